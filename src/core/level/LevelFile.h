#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "Level.h"
#include "LevelId.h"

namespace trundlex {

// Level files (.lev): one archive string holding the level text.

// Why a level could or could not be had, from a file or from a match's list of holes. The
// values are fixed so that a result can be told apart in logs and tests; never renumber.
enum class LevelLoadResult : std::int32_t {
    Loaded = 0,
    // The index names no hole of the level list (for the current hole: the match has not
    // started or is over).
    NoSuchHole = 1,
    // The level library holds no level with the hole's level ID.
    MissingLevel = 2,
    // The file cannot be opened or read.
    Unreadable = 3,
    // The file holds no level text that can be read (damaged or foreign).
    NotALevel = 4,
    // The file is larger than any level file can be (MaxLevelFileBytes); it is not read.
    TooLarge = 5,
};

// The largest level file that is read. The largest level the editor makes (99 x 99 blocks,
// each written as at most 8 bytes) takes about 80 KB; this leaves room for far larger ones
// while a huge file is refused before it fills the memory.
inline constexpr std::size_t MaxLevelFileBytes = 4u << 20;

// Reads the level file at `path` into `level`: Loaded, Unreadable, NotALevel or TooLarge. Only a level
// read in full replaces `level`, which is then not modified; on any failure `level` is left
// exactly as it was, so that a level in use is never swapped for a half-read or default one.
LevelLoadResult loadLevelFile(const std::string& path, Level& level);

// The same from a level file's bytes (a page hands them over): Loaded, NotALevel or TooLarge,
// and `level` replaced only by a level read in full.
LevelLoadResult readLevelBytes(std::string_view bytes, Level& level);

// Saves `level` to `path` with a new level ID made from its blocks and the clock's time. The
// file is replaced only once the new contents are safely on disk, so a failed save leaves the
// previous file intact. On success the level holds the new ID and is not modified. On
// failure it returns false with a short reason in `error` (when given), the level keeps its
// previous ID and stays modified.
bool saveLevelFile(Level& level, const std::string& path, const LocalClock& clock,
                   std::string* error = nullptr);

// Writes `level` to `path` with the ID it has, replacing the file only once the new contents
// are safely on disk: for a level whose ID is still right, such as an unchanged copy. False,
// with a short reason in `error` (when given), when the text cannot be encoded or the file
// cannot be written; the previous file is then intact.
bool writeLevelFile(const Level& level, const std::string& path, std::string* error = nullptr);

}  // namespace trundlex
