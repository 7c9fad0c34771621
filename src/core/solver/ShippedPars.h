#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "ParTable.h"

namespace trundlex {

class Level;

// The pars of the levels that ship with the game, worked out once when the levels were made
// (`trundlex-tool par --table`) and kept in a small text file beside them, so that nobody
// waits for the par of a shipped level. Each par is held under the level's ID together with
// the fingerprint of the level it was worked out for (levelFingerprint), and a level gets it
// only when both match: a level edited since, or saved under a new ID, gets none.
//
// The table is trusted as a whole or not at all: a file with anything wrong in it (another
// header, a line that does not read, a par outside 0 … ParStrokeLimit, an ID twice, too many
// lines or bytes) is refused, and the table stays empty, so that those levels' pars are worked
// out as for any other level.
class ShippedPars {
public:
    enum class ReadResult { Read, Missing, Refused };

    // More levels than anyone ships; a table larger than this is not ours.
    static constexpr std::size_t MaxEntries = 4096;
    static constexpr std::size_t MaxFileBytes = 1u << 20;

    // Reads the table from a file, replacing what the table held. Missing: no such file (or
    // one that cannot be read); Refused: a file that is not a sound table. Both leave the table
    // empty.
    ReadResult load(const std::string& path);
    // The same from the file's bytes: false (and an empty table) when refused.
    bool parse(std::string_view text);
    // The file's text: a header line, then one line per level in the order of their IDs.
    std::string toText() const;

    // Adds or replaces a level's par; false (and nothing added) for a par outside
    // 0 … ParStrokeLimit or an ID the file cannot hold (empty, over 255 bytes, a tab or line
    // end in it).
    bool add(const Level& level, int par);

    // The par of this level as it is now; nothing when the table does not name it or holds
    // it for other blocks.
    std::optional<int> lookup(const Level& level) const;
    std::optional<int> lookup(const std::string& id, std::uint64_t fingerprint) const;

    std::size_t size() const { return entries_.size(); }
    bool contains(const std::string& id) const { return entries_.contains(id); }

private:
    bool parseInto(std::string_view text, ParEntries& entries) const;

    ParEntries entries_;
};

}  // namespace trundlex
