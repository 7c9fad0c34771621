#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace trundlex {

class Level;

// How often a careful person (the par's human model) holes out within par on each shipped
// level, in whole percent, worked out once with the levels (`trundlex-tool hole-rates`) and
// kept beside their pars (levels/rates.txt), so that a course picker can tell a course of
// tight pars from one of generous pars without playing a single trial.
//
// The text: the header line, then one line per level in ID order, "ID <tab> fingerprint in
// hex <tab> percent", each ending in a line feed. A level gets its rate only while its blocks
// are those the rate was worked out for (levelFingerprint). The table is trusted as a whole or
// not at all: anything wrong in it leaves it empty.
class HoleRates {
public:
    enum class ReadResult { Read, Missing, Refused };

    static constexpr std::string_view Header = "trundlex hole rates 1";
    static constexpr std::size_t MaxFileBytes = 1u << 20;

    ReadResult load(const std::string& path);
    // The same from the text: false (and an empty table) when refused.
    bool parse(std::string_view text);
    std::string toText() const;

    // Adds or replaces the rate (0 … 1) of this level as it is now; false for a rate outside
    // 0 … 1 or an ID the text cannot hold.
    bool add(const Level& level, double rate);
    // The rate, 0 … 1, of this level as it is now.
    std::optional<double> lookup(const Level& level) const;
    std::size_t size() const { return entries_.size(); }

private:
    struct Entry {
        std::uint64_t fingerprint = 0;
        int percent = 0;
    };
    std::map<std::string, Entry, std::less<>> entries_;
};

}  // namespace trundlex
