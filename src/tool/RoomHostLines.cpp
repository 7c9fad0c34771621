// The room host's lines for its operator's log: how it started and how it ended.
#include "RoomHost.h"

namespace trundlex::tool {

std::string RoomHost::startLine(std::uint16_t port) const {
    const AddressLimits::Settings& a = settings_.perAddress;
    std::string courses;
    for (const auto& course : offered_) {
        courses += (courses.empty() ? "" : ", ") + lineSafe(course.name);
    }
    return "start rooms port " + std::to_string(port) + " courses " + courses +
           (settings_.defaultRoom
                ? " default " + lineSafe(settings_.courses[settings_.defaultCourse].name())
                : std::string()) +
           " limits max-rooms " + std::to_string(settings_.maxRooms) + " connections-per-address " +
           std::to_string(a.connections) + " rooms-per-address " + std::to_string(a.roomsAlive) +
           " rooms-per-minute " + std::to_string(a.creationsPerMinute) + " failed-joins " +
           std::to_string(a.failedJoins) + " game-idle " +
           std::to_string(settings_.gameIdle.count()) + " s lobby " +
           std::to_string(settings_.lobbyLimit.count()) + " s rejoin-wait " +
           std::to_string(settings_.rejoinWait.count()) + " s queued " +
           std::to_string(settings_.maxQueuedBytes >> 20) + " MiB" +
           (settings_.logChat ? " log-chat" : "");
}

std::string RoomHost::closingLine() {
    const Counts c = counts();
    return "stop rooms-created " + std::to_string(c.roomsCreated) + " games-started " +
           std::to_string(c.gamesStarted) + " joins " + std::to_string(c.joins) +
           " refused-joins " + std::to_string(c.refusedJoins) + " limit-hits " +
           std::to_string(c.limitHits) + " lobbies-expired " + std::to_string(c.lobbiesExpired) +
           " empty-games-closed " + std::to_string(c.emptyGamesClosed) +
           " clients-shed " + std::to_string(budget_->shed());
}

}  // namespace trundlex::tool
