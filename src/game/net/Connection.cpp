#include "net/Connection.h"

#include "net/NetProtocol.h"

namespace trundlex {

Connection::Connection(std::int32_t id, Socket socket, std::string address)
    : id_(id),
      socket_(std::move(socket)),
      address_(std::move(address)),
      framer_(netproto::MaxPendingBytes) {}

bool Connection::send(std::string_view message) {
    if (broken_ || message.find('\x07') != std::string_view::npos) {
        return false;
    }
    lastSentAt = std::chrono::steady_clock::now();
    for (const std::string& piece : MessageFramer::frame(message, netproto::PieceSize)) {
        if (!socket_.sendAll(piece, SendTimeout)) {
            // The rest of the message can never be framed correctly any more.
            broken_ = true;
            socket_.shutdownBoth();
            return false;
        }
    }
    return true;
}

void Connection::shutdown() {
    socket_.shutdownBoth();
}

bool Connection::receiveMore() {
    char buffer[4096];
    const long got = socket_.receive(buffer, sizeof buffer);
    if (got <= 0) {
        return false;
    }
    return framer_.append(std::string_view(buffer, static_cast<std::size_t>(got)));
}

}  // namespace trundlex
