#include "Archive.h"

#include <algorithm>
#include <istream>
#include <limits>
#include <ostream>
#include <sstream>

namespace trundlex {

namespace {

void storeLittleEndian(unsigned char* out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out[i] = static_cast<unsigned char>(value >> (8 * i));
    }
}

std::uint32_t loadLittleEndian(const unsigned char* in, int bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) {
        value |= static_cast<std::uint32_t>(in[i]) << (8 * i);
    }
    return value;
}

// Payloads are read in pieces of this size so that a lying prefix costs nothing.
constexpr std::size_t kReadChunk = 1 << 20;

}  // namespace

void ArchiveWriter::put(const void* data, std::size_t size) {
    if (failed_) {
        return;
    }
    out_.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out_) {
        failed_ = true;
    }
}

void ArchiveWriter::writeString(std::string_view bytes) {
    const std::size_t length = bytes.size();
    unsigned char prefix[7];
    std::size_t prefixSize = 0;
    if (length < 255) {
        prefix[0] = static_cast<unsigned char>(length);
        prefixSize = 1;
    } else if (length < 0xFFFE) {
        prefix[0] = 0xFF;
        storeLittleEndian(prefix + 1, static_cast<std::uint32_t>(length), 2);
        prefixSize = 3;
    } else if (length < std::numeric_limits<std::uint32_t>::max()) {
        prefix[0] = 0xFF;
        storeLittleEndian(prefix + 1, 0xFFFF, 2);
        storeLittleEndian(prefix + 3, static_cast<std::uint32_t>(length), 4);
        prefixSize = 7;
    } else {
        failed_ = true;
        return;
    }
    put(prefix, prefixSize);
    put(bytes.data(), length);
}

void ArchiveWriter::writeInt32(std::int32_t value) {
    unsigned char bytes[4];
    storeLittleEndian(bytes, static_cast<std::uint32_t>(value), 4);
    put(bytes, 4);
}

bool ArchiveWriter::ok() const { return !failed_ && static_cast<bool>(out_); }

bool ArchiveReader::get(void* data, std::size_t size) {
    if (failed_) {
        return false;
    }
    in_.read(static_cast<char*>(data), static_cast<std::streamsize>(size));
    if (static_cast<std::size_t>(in_.gcount()) != size) {
        failed_ = true;
    }
    return !failed_;
}

bool ArchiveReader::readString(std::string& bytes) {
    unsigned char prefix[4];
    if (!get(prefix, 1)) {
        return false;
    }
    std::uint32_t length = prefix[0];
    if (length == 0xFF) {
        if (!get(prefix, 2)) {
            return false;
        }
        length = loadLittleEndian(prefix, 2);
        if (length == 0xFFFF) {
            if (!get(prefix, 4)) {
                return false;
            }
            length = loadLittleEndian(prefix, 4);
        }
    }
    std::string result;
    std::size_t remaining = length;
    while (remaining > 0) {
        const std::size_t piece = std::min(remaining, kReadChunk);
        const std::size_t old = result.size();
        result.resize(old + piece);
        if (!get(result.data() + old, piece)) {
            return false;
        }
        remaining -= piece;
    }
    bytes = std::move(result);
    return true;
}

bool ArchiveReader::readInt32(std::int32_t& value) {
    unsigned char bytes[4];
    if (!get(bytes, 4)) {
        return false;
    }
    value = static_cast<std::int32_t>(loadLittleEndian(bytes, 4));
    return true;
}

std::string encodeArchiveString(std::string_view bytes) {
    std::ostringstream out;
    ArchiveWriter writer(out);
    writer.writeString(bytes);
    return writer.ok() ? std::move(out).str() : std::string();
}

}  // namespace trundlex
