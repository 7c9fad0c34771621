// The framer that cuts a connection's bytes into messages.
#include "FuzzSupport.h"
#include "net/MessageFramer.h"

using namespace trundlex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input = fuzz::bytesOf(data, size);
    const std::size_t maxPending = 64 + fuzz::take<std::uint8_t>(input) * 16;
    MessageFramer framer(maxPending);
    std::string joined;
    // Received in pieces of the sizes the input's bytes give.
    while (!input.empty()) {
        const std::size_t piece = std::min<std::size_t>(1 + fuzz::take<std::uint8_t>(input) % 64,
                                                        input.size());
        if (!framer.append(input.substr(0, piece))) {
            break;
        }
        input.remove_prefix(piece);
        NetMessage message;
        while (framer.next(message)) {
            FUZZ_CHECK(message.body.find("\x07\x07") == std::string::npos);
            joined += message.letter;
            joined += message.body;
        }
        FUZZ_CHECK(framer.pendingBytes() <= maxPending);
    }
    // A message framed for sending arrives whole and alone.
    if (!joined.empty() && joined.front() != '\0' && joined.find('\x07') == std::string::npos) {
        MessageFramer receiver(joined.size() + 2);
        for (const std::string& piece : MessageFramer::frame(joined, 7)) {
            FUZZ_CHECK(piece.size() <= 7);
            FUZZ_CHECK(receiver.append(piece));
        }
        NetMessage message;
        FUZZ_CHECK(receiver.next(message));
        FUZZ_CHECK(message.letter + message.body == joined);
        FUZZ_CHECK(!receiver.next(message));
    }
    return 0;
}
