#pragma once

#include <cstdint>
#include <iosfwd>

namespace trundlex {

// Guards for counts read from archive files: a count is believed only when the rest of the
// file can hold that many items, so a damaged or hostile file is refused before anything is
// allocated or looped over for the count it claims.

// The bytes between the stream's read position and its end; 0 when the stream cannot tell
// (a failed stream, or one that cannot seek).
std::uint64_t bytesLeft(std::istream& in);

// Whether `count` items of at least `minItemBytes` bytes each fit into the rest of `in`.
// A count of zero or below always fits (it asks for nothing).
bool countFits(std::istream& in, std::int64_t count, std::uint64_t minItemBytes);

}  // namespace trundlex
