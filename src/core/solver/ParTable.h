#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace trundlex {

// The text form that both the per-user par cache and the shipped pars use: a header line,
// then one line per level, "ID <tab> fingerprint in hex <tab> par", each ending in a line feed.
struct ParEntry {
    std::uint64_t fingerprint = 0;
    int par = 0;
};
using ParEntries = std::map<std::string, ParEntry>;

// An ID a table can hold: not empty, under 256 bytes, no tab or line end in it.
bool storableParId(std::string_view id);
// A par a table can hold: 0 … ParStrokeLimit.
bool storablePar(int par);
// One line read strictly: nothing before, between or after the fields, a storable ID and par.
// False (the outputs unspecified) for anything else.
bool readParLine(std::string_view line, std::string& id, ParEntry& entry);
// The table's whole text under `header`, in ID order.
std::string parTableText(std::string_view header, const ParEntries& entries);

}  // namespace trundlex
