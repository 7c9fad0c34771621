// The golden trace: where thousands of putts over a fixed copy of the shipped levels end, to the last bit, as
// committed in golden-trace.txt. Every build on every platform must roll them the same way,
// or two computers of a network game fall out of step.
//
//   golden_trace write FILE LEVELDIR   rolls the putts and writes the trace
//   golden_trace check FILE LEVELDIR   rolls them again and reports every line that differs
//                                      (exit status 1); every 16th putt also with probing at
//                                      every sub-step, which is slow and must agree as well
//
// The putts are chosen by a fixed integer generator and are exact binary fractions (positions
// in 1/64 of a block, speeds in 1/64, headings in 1/65536 of a radian), printed in decimal so
// that they read back exactly anywhere, also by `trundlex-tool simulate`.
#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "ball/BallPhysics.h"
#include "level/Level.h"
#include "level/LevelFile.h"
#include "util/BitCast.h"

namespace {

using namespace trundlex;

constexpr int kPuttsPerLevel = 320;

// SplitMix64: the same numbers from every compiler and library.
struct Draws {
    std::uint64_t state;
    std::uint64_t next() {
        std::uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    // 0 ... n - 1
    std::int64_t below(std::int64_t n) { return static_cast<std::int64_t>(next() % n); }
};

struct Putt {
    double x, y, speed, heading;
};

// A putt from a random point on ground the ball can lie on (not a wall, not water), at a
// random speed up to a full putt, in a random direction.
Putt choosePutt(const Level& level, Draws& draws) {
    Putt p{level.startX(), level.startY(), 0.0, 0.0};
    for (int tries = 0; tries < 200; ++tries) {
        const double x = static_cast<double>(draws.below(level.width() * 64LL)) / 64.0;
        const double y = static_cast<double>(draws.below(level.height() * 64LL)) / 64.0;
        if (!level.isWallAt(x, y) && level.materialKindAt(x, y) != Water) {
            p.x = x;
            p.y = y;
            break;
        }
    }
    p.speed = static_cast<double>(1 + draws.below(80 * 64)) / 64.0;
    p.heading = static_cast<double>(draws.below(411775) - 205887) / 65536.0;
    return p;
}

std::string hex(double d) {
    char text[20];
    std::snprintf(text, sizeof text, "%016" PRIx64, bitCast<std::uint64_t>(d));
    return text;
}

// The end of the putt as a line: position, speed and heading as bits, sub-steps, outcome.
std::string roll(const Level& level, const OpenCells* open, const Putt& p) {
    BallMotion m;
    m.x = p.x;
    m.y = p.y;
    m.begin(p.speed, p.heading);
    while (m.radius > 0.0 && m.rolling) {
        runSubSteps(m, level, open, 10, nullptr, nullptr, nullptr, nullptr);
    }
    const char* outcome = m.sinking                          ? "holed"
                          : m.loss == BallLoss::Water        ? "water"
                          : m.loss == BallLoss::OutOfBounds ? "out"
                                                             : "stopped";
    return hex(m.x) + " " + hex(m.y) + " " + hex(m.speed) + " " + hex(m.heading) + " " +
           std::to_string(m.subSteps) + " " + outcome;
}

std::string number(double d) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", d);
    return text;
}

int run(bool write, const std::string& file, const std::string& folder) {
    std::vector<std::filesystem::path> paths;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".lev") {
            paths.push_back(entry.path());
        }
    }
    std::sort(paths.begin(), paths.end());
    std::vector<std::string> expected;
    if (!write) {
        std::ifstream in(file);
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line[0] != '#') {
                expected.push_back(line);
            }
        }
        if (expected.empty()) {
            std::cerr << "golden_trace: " << file << " holds no putts\n";
            return 1;
        }
    }
    std::ostringstream out;
    out << "# level, x, y, speed, heading -> x, y, speed, heading (bits), sub-steps, outcome\n";
    std::size_t index = 0;
    int differences = 0;
    for (std::size_t l = 0; l < paths.size(); ++l) {
        Level level;
        if (loadLevelFile(paths[l].string(), level) != LevelLoadResult::Loaded) {
            std::cerr << "golden_trace: cannot load " << paths[l] << "\n";
            return 1;
        }
        const OpenCells open(level);
        Draws draws{0x5eed0000ULL + l};
        for (int i = 0; i < kPuttsPerLevel; ++i, ++index) {
            const Putt p = choosePutt(level, draws);
            const std::string putt = paths[l].filename().string() + " " + number(p.x) + " " +
                                     number(p.y) + " " + number(p.speed) + " " +
                                     number(p.heading) + " -> ";
            const std::string line = putt + roll(level, &open, p);
            if (write) {
                out << line << "\n";
                continue;
            }
            const std::string full = index % 16 != 0 ? line : putt + roll(level, nullptr, p);
            const std::string& want = index < expected.size() ? expected[index] : "(missing)";
            for (const std::string* got : {&line, &full}) {
                if (*got != want && ++differences <= 20) {
                    std::cerr << (got == &line ? "skipped probing" : "full probing")
                              << " differs:\n  want " << want << "\n  got  " << *got << "\n";
                }
            }
        }
    }
    if (write) {
        std::ofstream(file) << out.str();
        std::cout << "golden_trace: " << index << " putts written to " << file << "\n";
        return 0;
    }
    if (expected.size() != index) {
        std::cerr << "golden_trace: the trace has " << expected.size() << " putts, "
                  << index << " were rolled\n";
        return 1;
    }
    std::cout << "golden_trace: " << index << " putts, " << differences << " differences\n";
    return differences == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc == 4 ? argv[1] : "";
    if (mode != "write" && mode != "check") {
        std::cerr << "usage: golden_trace write|check FILE LEVELDIR\n";
        return 2;
    }
    return run(mode == "write", argv[2], argv[3]);
}
