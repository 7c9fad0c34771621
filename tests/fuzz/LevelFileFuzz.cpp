// .lev files: an archive string (1-, 3- or 7-byte length prefix) holding a level text.
#include <sstream>

#include "FuzzSupport.h"
#include "level/Archive.h"
#include "level/LevelFile.h"

using namespace trundlex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::bytesOf(data, size);
    Level level(3, 3, "kept");
    const LevelLoadResult result = loadLevelFile(fuzz::writeScratch("level.lev", bytes), level);
    FUZZ_CHECK(result == LevelLoadResult::Loaded || result == LevelLoadResult::NotALevel);
    if (result != LevelLoadResult::Loaded) {
        // A failed load leaves the level in use exactly as it was.
        FUZZ_CHECK(level == Level(3, 3, "kept"));
    }
    // The archive items themselves, as every file format reads them.
    std::istringstream in{std::string(bytes)};
    ArchiveReader archive(in);
    std::string item;
    std::int32_t number = 0;
    while (archive.readString(item) && archive.readInt32(number)) {
        FUZZ_CHECK(item.size() <= bytes.size());
    }
    return 0;
}
