#pragma once

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "level/Archive.h"
#include "level/Level.h"
#include "support/ScriptedRandom.h"
#include "support/TempFolder.h"

namespace trundlex::testing {

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
                                  std::string_view creator = "tests") {
    Level level(4, 3, name, creator);
    level.setId(id);
    return encodeArchiveString(level.toText());
}

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
