#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

namespace trundlex {

// The item encoding of every file the programs write: archive strings (a 1-, 3- or 7-byte
// length prefix, then the bytes, no terminator) and archive integers (4 bytes, signed,
// little-endian), one after another with nothing in between.

// Writes items to a stream. Check ok() once at the end: after a failed write the
// remaining calls do nothing.
class ArchiveWriter {
public:
    explicit ArchiveWriter(std::ostream& out) : out_(out) {}

    // Lengths 0-254 take a one-byte prefix, 255-65533 the byte 0xFF and 16 bits, longer ones
    // 0xFF, 0xFFFF and 32 bits. A string longer than 32 bits can count is refused.
    void writeString(std::string_view bytes);
    void writeInt32(std::int32_t value);
    bool ok() const;

private:
    void put(const void* data, std::size_t size);

    std::ostream& out_;
    bool failed_ = false;
};

// Reads items from a stream. A read that fails leaves the reader failed; every later read
// fails too.
class ArchiveReader {
public:
    explicit ArchiveReader(std::istream& in) : in_(in) {}

    // False when the prefix or the bytes it promises are not all there. Memory grows with
    // the bytes actually read, never with the length the prefix claims.
    bool readString(std::string& bytes);
    bool readInt32(std::int32_t& value);
    bool ok() const { return !failed_; }

private:
    bool get(void* data, std::size_t size);

    std::istream& in_;
    bool failed_ = false;
};

// In-memory helpers for the same encoding.
std::string encodeArchiveString(std::string_view bytes);

}  // namespace trundlex
