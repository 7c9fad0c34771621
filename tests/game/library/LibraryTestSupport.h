#pragma once

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "level/Archive.h"
#include "level/Level.h"
#include "util/RandomSource.h"

namespace trundlex::testing {

// A fresh folder of its own for every test, removed afterwards.
class TempFolder {
public:
    TempFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "trundlex-library-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            ADD_FAILURE() << "cannot make a temporary folder";
        }
        path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string operator/(std::string_view relative) const { return (path_ / relative).string(); }

private:
    std::filesystem::path path_;
};

// Writes `bytes` to `path`, making its folders.
inline void writeBytes(const std::string& path, std::string_view bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return std::move(bytes).str();
}

// Archive items built by hand, for files the code under test never writes itself.
class ArchiveBytes {
public:
    ArchiveBytes& string(std::string_view text) {
        writer_.writeString(text);
        return *this;
    }
    ArchiveBytes& integer(std::int32_t value) {
        writer_.writeInt32(value);
        return *this;
    }
    std::string bytes() const { return out_.str(); }

private:
    std::ostringstream out_;
    ArchiveWriter writer_{out_};
};

// A course file; `count` may promise another number of level IDs than follow.
inline std::string courseFileBytes(std::string_view name, std::string_view id, std::int32_t count,
                                   const std::vector<std::string>& levelIds = {}) {
    ArchiveBytes bytes;
    bytes.string("TrundlexCourse 1").string(name).string(id).integer(count);
    for (const std::string& levelId : levelIds) {
        bytes.string(levelId);
    }
    return bytes.bytes();
}

// A level file with the given ID (the level writer would make a new one).
inline std::string levelFileBytes(std::string_view id, std::string_view name,
                                  std::string_view creator = "tests", std::int32_t width = 4,
                                  std::int32_t height = 3) {
    Level level(width, height, name, creator);
    level.setId(id);
    return encodeArchiveString(level.toText());
}

// Hands out the draws it was given, then repeats the last one; counts the draws.
class ScriptedRandom : public RandomSource {
public:
    explicit ScriptedRandom(std::vector<int> draws) : draws_(std::move(draws)) {}
    int next() override {
        const std::size_t index = std::min(drawsTaken_, draws_.size() - 1);
        ++drawsTaken_;
        return draws_[index];
    }
    std::size_t drawsTaken() const { return drawsTaken_; }

private:
    std::vector<int> draws_;
    std::size_t drawsTaken_ = 0;
};

// While alive, a file write past `bytes` fails (EFBIG) instead of raising SIGXFSZ. Lets a test
// make a save fail half-way, even when the tests run as root.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

}  // namespace trundlex::testing
