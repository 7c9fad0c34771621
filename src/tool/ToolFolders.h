#pragma once

#include <string>
#include <string_view>

namespace trundlex::tool {

// The folders the tool shares with the game. With Qt they are the game's own answers
// (platform/PlatformSupport); the build without Qt looks in the same places by itself.

// A data folder shipped with the programs ("levels", "courses", "RBites"): next to the
// executable, in share/trundlex/ beside its bin/, or in the system's data folders. Empty when
// none exists.
std::string shippedFolder(std::string_view name);

// This user's own folder `name` of the game's files ("courses"); it need not exist.
std::string userFolder(std::string_view name);

}  // namespace trundlex::tool
