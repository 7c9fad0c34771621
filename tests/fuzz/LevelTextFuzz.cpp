// Level texts as the library, the editor and a network game read them.
#include "FuzzSupport.h"
#include "level/Level.h"

using namespace trundlex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::bytesOf(data, size);
    Level level;
    if (level.fromText(text)) {
        // What was read writes out as a text that reads back to the same level.
        Level again;
        FUZZ_CHECK(again.fromText(level.toText()));
        FUZZ_CHECK(again.width() == level.width() && again.height() == level.height());
    }
    Level received;
    if (received.fromText(text, Level::MaxEditorSide)) {
        FUZZ_CHECK(received.width() <= Level::MaxEditorSide &&
                   received.height() <= Level::MaxEditorSide);
    }
    return 0;
}
