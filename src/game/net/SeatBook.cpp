#include "net/SeatBook.h"

#include <algorithm>

namespace trundlex {

namespace {

// Compares every character whatever the first difference, so that the time an answer takes
// does not tell a guesser how much of a token was right.
bool sameToken(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    unsigned char difference = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    }
    return difference == 0;
}

}  // namespace

void SeatBook::assign(std::string token, std::int32_t connection) {
    if (token.empty()) {
        return;
    }
    forget(connection);
    std::erase_if(seats_, [&token](const Seat& seat) { return sameToken(seat.token, token); });
    // Clients coming and going in a lobby leave empty seats behind: the oldest goes first.
    if (seats_.size() >= MaxSeats) {
        const auto empty = std::find_if(seats_.begin(), seats_.end(),
                                        [](const Seat& seat) { return seat.connection == 0; });
        if (empty != seats_.end()) {
            seats_.erase(empty);
        }
    }
    seats_.push_back({std::move(token), connection, {}});
}

SeatBook::Seat* SeatBook::findToken(std::string_view token) {
    Seat* found = nullptr;
    for (Seat& seat : seats_) {
        if (sameToken(seat.token, token)) {
            found = &seat;
        }
    }
    return token.empty() ? nullptr : found;
}

SeatBook::Seat* SeatBook::findConnection(std::int32_t connection) {
    const auto it = std::find_if(seats_.begin(), seats_.end(), [connection](const Seat& seat) {
        return connection != 0 && seat.connection == connection;
    });
    return it == seats_.end() ? nullptr : &*it;
}

void SeatBook::vacate(std::int32_t connection, std::vector<std::string> names) {
    if (Seat* seat = findConnection(connection)) {
        seat->connection = 0;
        seat->names = std::move(names);
    }
}

void SeatBook::forget(std::int32_t connection) {
    std::erase_if(seats_, [connection](const Seat& seat) {
        return connection != 0 && seat.connection == connection;
    });
}

bool SeatBook::hasEmptySeatWithPlayers() const {
    return std::any_of(seats_.begin(), seats_.end(), [](const Seat& seat) {
        return seat.connection == 0 && !seat.names.empty();
    });
}

std::size_t SeatBook::seatCount() const {
    return seats_.size();
}

void SeatBook::clear() {
    seats_.clear();
    clearPutts();
}

void SeatBook::recordPutt(std::string_view body) {
    if (putts_.size() >= MaxPutts) {
        overflowed_ = true;
        return;
    }
    putts_.emplace_back(body);
}

void SeatBook::clearPutts() {
    putts_.clear();
    overflowed_ = false;
}

}  // namespace trundlex
