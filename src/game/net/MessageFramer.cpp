#include "net/MessageFramer.h"

#include <algorithm>

#include "net/NetProtocol.h"

namespace trundlex {

MessageFramer::MessageFramer(std::size_t maxPending) : maxPending_(maxPending) {}

bool MessageFramer::append(std::string_view bytes) {
    if (head_ > 0 && head_ * 2 >= buffer_.size()) {
        // Drop what was taken before the buffer grows, so it never holds much more than the
        // pending bytes.
        buffer_.erase(0, head_);
        searched_ -= head_;
        head_ = 0;
    }
    buffer_.append(bytes);
    // Only bytes after the last terminator count: complete messages are taken next.
    std::size_t lastEnd = head_;
    for (std::size_t at = buffer_.find(netproto::Terminator, searched_); at != std::string::npos;
         at = buffer_.find(netproto::Terminator, at + 2)) {
        lastEnd = at + 2;
    }
    if (buffer_.size() - lastEnd > maxPending_) {
        buffer_.clear();
        head_ = 0;
        searched_ = 0;
        return false;
    }
    return true;
}

bool MessageFramer::next(NetMessage& message) {
    const std::size_t at = buffer_.find(netproto::Terminator, std::max(searched_, head_));
    if (at == std::string::npos) {
        // The last byte may be the first half of a terminator: search it again next time.
        searched_ = std::max(head_, buffer_.empty() ? 0 : buffer_.size() - 1);
        return false;
    }
    const std::string_view text = std::string_view(buffer_).substr(head_, at - head_);
    message.letter = text.empty() ? '\0' : text[0];
    message.body = text.empty() ? std::string() : std::string(text.substr(1));
    head_ = at + 2;
    searched_ = head_;
    return true;
}

std::vector<std::string> MessageFramer::frame(std::string_view message, std::size_t pieceSize) {
    std::string wire(message);
    wire += netproto::Terminator;
    std::vector<std::string> pieces;
    for (std::size_t at = 0; at < wire.size(); at += pieceSize) {
        pieces.push_back(wire.substr(at, pieceSize));
    }
    return pieces;
}

}  // namespace trundlex
