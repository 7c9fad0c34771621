#include "net/RoomDirectory.h"

#include "net/NetProtocol.h"

namespace trundlex {

using roomproto::Refusal;

RoomDirectory::Outcome RoomDirectory::create(std::size_t course, Clock::time_point now) {
    if (rooms_.size() >= maxRooms_) {
        return {Refusal::NoFreeRoom, {}};
    }
    std::string code = codes_.issue(now);
    if (code.empty()) {
        return {Refusal::NoFreeRoom, {}};
    }
    rooms_[code] = Room{code, course, 1, false};
    return {std::nullopt, code};
}

RoomDirectory::Outcome RoomDirectory::join(const std::string& code) {
    const auto it = rooms_.find(code);
    if (it == rooms_.end()) {
        return {Refusal::NoSuchRoom, code};
    }
    Room& room = it->second;
    if (room.started) {
        return {Refusal::Started, code};
    }
    if (room.clients >= netproto::MaxClients) {
        return {Refusal::Full, code};
    }
    ++room.clients;
    return {std::nullopt, code};
}

void RoomDirectory::leave(const std::string& code, Clock::time_point now) {
    const auto it = rooms_.find(code);
    if (it == rooms_.end()) {
        return;
    }
    if (--it->second.clients <= 0) {
        rooms_.erase(it);
        codes_.retire(code, now);
    }
}

void RoomDirectory::setClients(const std::string& code, std::int32_t clients,
                               Clock::time_point now) {
    const auto it = rooms_.find(code);
    if (it == rooms_.end()) {
        return;
    }
    it->second.clients = clients;
    if (clients <= 0) {
        rooms_.erase(it);
        codes_.retire(code, now);
    }
}

void RoomDirectory::markStarted(const std::string& code) {
    if (const auto it = rooms_.find(code); it != rooms_.end()) {
        it->second.started = true;
    }
}

const RoomDirectory::Room* RoomDirectory::find(const std::string& code) const {
    const auto it = rooms_.find(code);
    return it == rooms_.end() ? nullptr : &it->second;
}

}  // namespace trundlex
