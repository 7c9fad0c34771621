#pragma once

#include <string>
#include <string_view>

namespace trundlex {

// Replaces the file at `path` with `bytes` so that a failure at any point leaves the old
// file as it was: the bytes go to a temporary file in the same folder, are flushed to disk,
// and the temporary file is then renamed over the old one. False on failure, with a short
// reason in `error` when given; the temporary file is removed then.
bool writeFileSafely(const std::string& path, std::string_view bytes, std::string* error = nullptr);

// Reads a whole file. False when it cannot be opened or read.
bool readWholeFile(const std::string& path, std::string& bytes);

enum class CappedRead { Read, Unreadable, TooLarge };

// Reads a whole regular file of at most `maxBytes` bytes into `bytes`. A larger file is
// refused by its size before anything is read, and one that grows meanwhile is read no
// further than one byte past the cap. Anything but a regular file (a folder, a device, a
// pipe) is Unreadable: reading it could block or never end. `bytes` is changed only on Read.
CappedRead readFileUpTo(const std::string& path, std::size_t maxBytes, std::string& bytes);

}  // namespace trundlex
