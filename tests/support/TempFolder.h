#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <string_view>

namespace trundlex::testing {

// Writes `bytes` to `path`, making its folders.
inline void writeBytes(const std::string& path, std::string_view bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    EXPECT_TRUE(out.good()) << path;
}

// The whole file; empty when it cannot be read.
inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return std::move(bytes).str();
}

// A fresh folder of its own (ctest runs tests in parallel, and a test may use several),
// removed with everything in it when the object goes.
class TempFolder {
public:
    TempFolder() {
        const std::filesystem::path temp = std::filesystem::temp_directory_path();
#ifdef _WIN32
        // No mkdtemp: a random name, made only when it is not taken.
        std::random_device random;
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            const auto candidate = temp / ("trundlex-test-" + std::to_string(random()));
            std::error_code error;
            if (std::filesystem::create_directory(candidate, error)) {
                path_ = candidate;
            }
        }
#else
        std::string pattern = (temp / "trundlex-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
#endif
        if (path_.empty()) {
            ADD_FAILURE() << "cannot make a temporary folder";
        }
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The path of `relative` inside the folder.
    std::string operator/(std::string_view relative) const { return (path_ / relative).string(); }
    // Writes `bytes` to `relative` (making its folders); the file's path.
    std::string write(std::string_view relative, std::string_view bytes) const {
        const std::string file = *this / relative;
        writeBytes(file, bytes);
        return file;
    }
    // How many files and folders lie directly in the folder.
    long entryCount() const {
        return std::distance(std::filesystem::directory_iterator(path_), {});
    }

private:
    std::filesystem::path path_;
};

}  // namespace trundlex::testing
