#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace trundlex {

// One received message: its type letter and its body.
struct NetMessage {
    // '\0' for a message that was only a terminator (it has no letter).
    char letter = '\0';
    std::string body;
};

// Cuts the byte stream of one connection into messages at the terminator 0x07 0x07. TCP may
// deliver part of a message or several messages in one read; bytes after the last
// terminator wait for the next read. The bytes waiting for a terminator are bounded, so a
// peer that never sends one cannot make this computer hold more and more.
class MessageFramer {
public:
    // `maxPending`: the most bytes that may wait for a terminator.
    explicit MessageFramer(std::size_t maxPending);

    // Appends received bytes. False when more than maxPending bytes are now waiting without
    // a terminator: the peer breaks the protocol and the connection should be closed
    // (nothing is kept then).
    bool append(std::string_view bytes);
    // Takes the oldest complete message; false when none is complete.
    bool next(NetMessage& message);
    // Bytes received and not yet taken as messages.
    std::size_t pendingBytes() const { return buffer_.size() - head_; }

    // The bytes that carry `message` (letter and body) on the wire: the message and the
    // terminator, cut into pieces of at most `pieceSize` bytes, in order.
    static std::vector<std::string> frame(std::string_view message, std::size_t pieceSize);

private:
    std::size_t maxPending_;
    std::string buffer_;
    // Start of the first message not yet taken.
    std::size_t head_ = 0;
    // From here on no terminator has been found yet (the search resumes here).
    std::size_t searched_ = 0;
};

}  // namespace trundlex
