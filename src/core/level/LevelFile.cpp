#include "LevelFile.h"

#include <sstream>

#include "Archive.h"
#include "util/SafeFile.h"

namespace trundlex {

LevelLoadResult loadLevelFile(const std::string& path, Level& level) {
    std::string bytes;
    switch (readFileUpTo(path, MaxLevelFileBytes, bytes)) {
        case CappedRead::Read:
            break;
        case CappedRead::TooLarge:
            return LevelLoadResult::TooLarge;
        case CappedRead::Unreadable:
            return LevelLoadResult::Unreadable;
    }
    return readLevelBytes(bytes, level);
}

LevelLoadResult readLevelBytes(std::string_view bytes, Level& level) {
    if (bytes.size() > MaxLevelFileBytes) {
        return LevelLoadResult::TooLarge;
    }
    std::istringstream in{std::string(bytes)};
    ArchiveReader archive(in);
    Level read;
    if (!read.readFrom(archive)) {
        return LevelLoadResult::NotALevel;
    }
    level = std::move(read);
    return LevelLoadResult::Loaded;
}

bool saveLevelFile(Level& level, const std::string& path, const LocalClock& clock,
                   std::string* error) {
    const std::string previousId = level.id();
    std::ostringstream out;
    ArchiveWriter archive(out);
    bool ok = level.writeTo(archive, clock);
    if (!ok) {
        if (error) {
            *error = "the level text cannot be encoded";
        }
    } else {
        ok = writeFileSafely(path, out.str(), error);
    }
    if (!ok) {
        level.setId(previousId);
        level.setModified(true);
    }
    return ok;
}

bool writeLevelFile(const Level& level, const std::string& path, std::string* error) {
    std::ostringstream out;
    ArchiveWriter archive(out);
    archive.writeString(level.toText());
    if (!archive.ok()) {
        if (error) {
            *error = "the level text cannot be encoded";
        }
        return false;
    }
    return writeFileSafely(path, out.str(), error);
}

}  // namespace trundlex
