#pragma once

#include <algorithm>
#include <vector>

#include "util/RandomSource.h"

namespace trundlex::testing {

// Hands out the draws it was given, then repeats the last one; counts the draws, so a test
// can tell how many a piece of code took.
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

}  // namespace trundlex::testing
