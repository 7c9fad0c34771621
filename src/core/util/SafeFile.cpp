#include "SafeFile.h"

#ifdef _WIN32
#include <windows.h>

#include <atomic>
#include <filesystem>
#include <system_error>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace trundlex {

#ifdef _WIN32

namespace {

namespace fs = std::filesystem;

bool fail(std::string* error, const std::string& what) {
    if (error) {
        *error = what + ": " + std::system_category().message(static_cast<int>(GetLastError()));
    }
    return false;
}

// A temporary file of its own beside `target`: CREATE_NEW never opens one that exists.
HANDLE createTemporary(const fs::path& target, fs::path& temporary) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = target;
        temporary +=
            ".tmp" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++);
        const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) {
            return file;
        }
    }
    return INVALID_HANDLE_VALUE;
}

}  // namespace

bool writeFileSafely(const std::string& path, std::string_view bytes, std::string* error) {
    const fs::path target(path);
    fs::path temporary;
    const HANDLE file = createTemporary(target, temporary);
    if (file == INVALID_HANDLE_VALUE) {
        return fail(error, "cannot create a temporary file next to " + path);
    }
    std::string reason;
    bool ok = true;
    for (std::size_t written = 0; ok && written < bytes.size();) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1 << 30));
        DWORD n = 0;
        ok = WriteFile(file, bytes.data() + written, chunk, &n, nullptr) && n > 0;
        written += n;
    }
    if (!ok) {
        fail(&reason, "cannot write " + temporary.string());
    } else if (!FlushFileBuffers(file)) {
        ok = fail(&reason, "cannot flush " + temporary.string());
    }
    if (!CloseHandle(file) && ok) {
        ok = fail(&reason, "cannot close " + temporary.string());
    }
    // Replaces the old file in one step, and returns only once the change is on disk.
    if (ok && !MoveFileExW(temporary.c_str(), target.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ok = fail(&reason, "cannot replace " + path);
    }
    if (!ok) {
        DeleteFileW(temporary.c_str());
        if (error) {
            *error = reason;
        }
    }
    return ok;
}

#else

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

#endif

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

#ifdef _WIN32

CappedRead readFileUpTo(const std::string& path, std::size_t maxBytes, std::string& bytes) {
    std::error_code error;
    const fs::path file(path);
    if (!fs::is_regular_file(file, error)) {
        return CappedRead::Unreadable;
    }
    const std::uintmax_t size = fs::file_size(file, error);
    if (error) {
        return CappedRead::Unreadable;
    }
    if (size > maxBytes) {
        return CappedRead::TooLarge;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return CappedRead::Unreadable;
    }
    // One byte past the cap tells a file that grew after it was measured.
    std::string read(std::min<std::uintmax_t>(size, maxBytes) + 1, '\0');
    std::size_t filled = 0;
    while (in && filled < maxBytes + 1) {
        if (filled == read.size()) {
            read.resize(std::min(maxBytes + 1, read.size() * 2));
        }
        in.read(read.data() + filled, static_cast<std::streamsize>(read.size() - filled));
        filled += static_cast<std::size_t>(in.gcount());
    }
    if (in.bad()) {
        return CappedRead::Unreadable;
    }
    if (filled > maxBytes) {
        return CappedRead::TooLarge;
    }
    read.resize(filled);
    bytes = std::move(read);
    return CappedRead::Read;
}

#else

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

#endif

}  // namespace trundlex
