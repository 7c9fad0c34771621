#pragma once
// One HTTP request by hand over loopback, for the room host's web side: the bytes sent as
// they are, the whole answer until the server closes (every wait bounded).
#include <chrono>
#include <string>

#include "net/Socket.h"

namespace trundlex::testing {

// Sends `request` to 127.0.0.1:`port` and returns what comes back until the connection
// closes or `patience` has passed (empty when it cannot connect).
inline std::string httpExchange(std::uint16_t port, const std::string& request,
                                std::chrono::milliseconds patience = std::chrono::seconds(5)) {
    Socket socket;
    WakePipe never;
    if (socket.connectTo("127.0.0.1", port, never, patience) != ConnectResult::Connected ||
        !socket.sendAll(request, patience)) {
        return {};
    }
    std::string answer;
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (std::chrono::steady_clock::now() < deadline) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || !socket.waitReadable(left)) {
            break;
        }
        char buffer[4096];
        const long got = socket.receive(buffer, sizeof buffer);
        if (got <= 0) {
            break;
        }
        answer.append(buffer, static_cast<std::size_t>(got));
    }
    return answer;
}

// A GET (or other `method`) of `target` that asks the server to close after answering.
inline std::string httpRequest(const std::string& target, const std::string& method = "GET",
                               const std::string& extra = {}) {
    return method + " " + target + " HTTP/1.1\r\nHost: localhost\r\nConnection: close\r\n" +
           extra + "\r\n";
}

// The status line's code of an answer ("HTTP/1.1 404 Not Found" -> 404), 0 for none.
inline int statusOf(const std::string& answer) {
    return answer.size() > 12 && answer.starts_with("HTTP/1.") ? std::stoi(answer.substr(9, 3))
                                                               : 0;
}

}  // namespace trundlex::testing
