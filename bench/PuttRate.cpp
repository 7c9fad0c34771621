// Sub-steps per second of the ball over a realistic mix of putts: every Nth putt of the golden
// trace, on its copy of the shipped levels, rolled by PuttSimulator with the probes where they
// are needed (searches, pars, computer players) and everywhere (the animated ball). A plain
// program rather than a Google Benchmark one, so that the very same code runs natively and in
// WebAssembly under node, and scripts/bench-web.sh can set the two side by side.
//
//   putt_rate TRACE LEVELDIR [EVERY [ROUNDS]]   (defaults: every 8th putt, 3 rounds)
//
// Prints the work of one round (putts, sub-steps and a digest of where they ended, which must
// be the same on every build) and the best round's rate for each kind of probing.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "ball/PuttSimulator.h"
#include "level/Level.h"
#include "level/LevelFile.h"
#include "util/BitCast.h"
#include "util/TextNumbers.h"

namespace {

using namespace trundlex;

struct Putt {
    const PuttSimulator* where;
    const PuttSimulator* everywhere;
    double x, y, speed, heading;
};

struct Round {
    std::int64_t subSteps = 0;
    std::uint64_t digest = 0;
    double seconds = 0.0;
};

Round roll(const std::vector<Putt>& putts, bool everywhere) {
    Round round;
    const auto start = std::chrono::steady_clock::now();
    for (const Putt& p : putts) {
        const PuttSimulator& sim = everywhere ? *p.everywhere : *p.where;
        const PuttOutcome end = sim.putt(p.x, p.y, p.speed, p.heading);
        round.subSteps += end.subSteps;
        round.digest = (round.digest ^ bitCast<std::uint64_t>(end.x)) * 0x100000001b3ULL;
        round.digest = (round.digest ^ bitCast<std::uint64_t>(end.y)) * 0x100000001b3ULL;
    }
    round.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return round;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 5) {
        std::fprintf(stderr, "usage: putt_rate TRACE LEVELDIR [EVERY [ROUNDS]]\n");
        return 2;
    }
    const std::string folder = argv[2];
    const int every = argc > 3 ? std::max(1, parseLeadingInt(argv[3])) : 8;
    const int rounds = argc > 4 ? std::max(1, parseLeadingInt(argv[4])) : 3;

    std::map<std::string, Level> levels;
    std::map<std::string, std::pair<PuttSimulator, PuttSimulator>> simulators;
    std::vector<Putt> putts;
    std::ifstream in(argv[1]);
    int index = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#' || index++ % every != 0) {
            continue;
        }
        std::istringstream fields(line);
        std::string name, x, y, speed, heading;
        fields >> name >> x >> y >> speed >> heading;
        auto it = simulators.find(name);
        if (it == simulators.end()) {
            Level& level = levels[name];
            if (loadLevelFile(folder + "/" + name, level) != LevelLoadResult::Loaded) {
                std::fprintf(stderr, "putt_rate: cannot load %s/%s\n", folder.c_str(),
                             name.c_str());
                return 1;
            }
            it = simulators
                     .try_emplace(name, PuttSimulator(level, PuttSimulator::Probing::WhereNeeded),
                                  PuttSimulator(level, PuttSimulator::Probing::Everywhere))
                     .first;
        }
        putts.push_back({&it->second.first, &it->second.second, parseLeadingDouble(x),
                         parseLeadingDouble(y), parseLeadingDouble(speed),
                         parseLeadingDouble(heading)});
    }
    if (putts.empty()) {
        std::fprintf(stderr, "putt_rate: no putts in %s\n", argv[1]);
        return 1;
    }
    for (const bool everywhere : {false, true}) {
        Round best;
        for (int r = 0; r < rounds; ++r) {
            const Round round = roll(putts, everywhere);
            if (r == 0 || round.seconds < best.seconds) {
                best = round;
            }
        }
        const char* kind = everywhere ? "everywhere" : "where-needed";
        std::printf("%s: %zu putts, %lld sub-steps, digest %016llx\n", kind, putts.size(),
                    static_cast<long long>(best.subSteps),
                    static_cast<unsigned long long>(best.digest));
        std::printf("%s: %.0f sub-steps/s\n", kind,
                    static_cast<double>(best.subSteps) / best.seconds);
    }
    return 0;
}
