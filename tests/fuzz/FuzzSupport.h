#pragma once
// Shared by the fuzz targets: a check that stops the run with a finding, and a file that the
// readers under test can open (they read from paths, as the programs do).
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

namespace trundlex::fuzz {

// A broken promise of the code under test: libFuzzer keeps the input that led here.
#define FUZZ_CHECK(condition)                                                       \
    do {                                                                            \
        if (!(condition)) {                                                         \
            std::fprintf(stderr, "check failed: %s (%s:%d)\n", #condition, __FILE__, \
                         __LINE__);                                                 \
            std::abort();                                                           \
        }                                                                           \
    } while (false)

inline std::string_view bytesOf(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// One file per process, rewritten for every input.
inline const std::string& scratchFile(std::string_view name) {
    static const std::string path = [&] {
        const char* folder = std::getenv("TMPDIR");
        return std::string(folder != nullptr ? folder : "/tmp") + "/trundlex-fuzz-" +
               std::to_string(::getpid()) + "-" + std::string(name);
    }();
    return path;
}

inline const std::string& writeScratch(std::string_view name, std::string_view bytes) {
    const std::string& path = scratchFile(name);
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(),
                                                                  std::streamsize(bytes.size()));
    return path;
}

// Takes a value of a plain type from the front of the input (zeros when it runs out).
template <typename T>
T take(std::string_view& input) {
    T value{};
    const std::size_t n = std::min(sizeof(T), input.size());
    std::copy_n(input.data(), n, reinterpret_cast<char*>(&value));
    input.remove_prefix(n);
    return value;
}

}  // namespace trundlex::fuzz
