#include "CourseDifficulty.h"

#include <algorithm>

namespace trundlex {

std::optional<CourseDifficulty> rateCourse(std::span<const HoleFigures> holes) {
    if (holes.empty()) {
        return std::nullopt;
    }
    double parSum = 0.0;
    double rateSum = 0.0;
    bool allRates = true;
    for (const HoleFigures& hole : holes) {
        if (hole.par <= 0) {
            return std::nullopt;
        }
        parSum += hole.par;
        if (hole.holeRate) {
            rateSum += std::clamp(*hole.holeRate, 0.0, 1.0);
        } else {
            allRates = false;
        }
    }
    const double count = static_cast<double>(holes.size());
    const double meanPar = parSum / count;
    int step = meanPar < EasyBelowMeanPar ? 0 : meanPar < HardFromMeanPar ? 1 : 2;
    if (allRates) {
        const double meanRate = rateSum / count;
        if (meanRate < TightHoleRate) {
            ++step;
        } else if (meanRate >= GenerousHoleRate) {
            --step;
        }
    }
    return static_cast<CourseDifficulty>(std::clamp(step, 0, 2));
}

}  // namespace trundlex
