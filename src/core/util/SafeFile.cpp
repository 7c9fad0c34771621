#include "SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace trundlex {

namespace {

bool fail(std::string* error, const std::string& what) {
    if (error) {
        *error = what + ": " + std::strerror(errno);
    }
    return false;
}

}  // namespace

bool writeFileSafely(const std::string& path, std::string_view bytes, std::string* error) {
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        return fail(error, "cannot create a temporary file next to " + path);
    }
    bool ok = true;
    std::size_t written = 0;
    while (ok && written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        ok = n > 0;
        if (ok) {
            written += static_cast<std::size_t>(n);
        }
    }
    std::string reason;
    if (!ok) {
        fail(&reason, "cannot write " + temporary);
    } else if (::fsync(fd) != 0) {
        ok = fail(&reason, "cannot flush " + temporary);
    }
    // mkstemp makes the file private: keep the permissions of the file being replaced, or
    // make a new one readable by others as an ordinary new file would be.
    struct stat old {};
    ::fchmod(fd, ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);
    if (::close(fd) != 0 && ok) {
        ok = fail(&reason, "cannot close " + temporary);
    }
    if (ok && std::rename(temporary.c_str(), path.c_str()) != 0) {
        ok = fail(&reason, "cannot replace " + path);
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        if (error) {
            *error = reason;
        }
    }
    return ok;
}

bool readWholeFile(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) {
        return false;
    }
    bytes = std::move(buffer).str();
    return true;
}

CappedRead readFileUpTo(const std::string& path, std::size_t maxBytes, std::string& bytes) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return CappedRead::Unreadable;
    }
    if (static_cast<std::uintmax_t>(info.st_size) > maxBytes) {
        return CappedRead::TooLarge;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return CappedRead::Unreadable;
    }
    // Swapped for a pipe or a device between the two looks: refused all the same.
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return CappedRead::Unreadable;
    }
    std::string read;
    read.resize(std::min<std::size_t>(static_cast<std::size_t>(info.st_size), maxBytes) + 1);
    std::size_t filled = 0;
    CappedRead result = CappedRead::Read;
    while (result == CappedRead::Read) {
        if (filled == read.size()) {
            if (filled > maxBytes) {
                result = CappedRead::TooLarge;
                break;
            }
            // The file grew after it was measured.
            read.resize(std::min(maxBytes + 1, read.size() * 2));
        }
        const ssize_t n = ::read(fd, read.data() + filled, read.size() - filled);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            result = CappedRead::Unreadable;
        } else if (n == 0) {
            break;
        } else {
            filled += static_cast<std::size_t>(n);
        }
    }
    ::close(fd);
    if (result == CappedRead::Read) {
        read.resize(filled);
        bytes = std::move(read);
    }
    return result;
}

}  // namespace trundlex
