#pragma once

#include <optional>
#include <span>

namespace trundlex {

// How hard a course plays, as the course pickers label it.
enum class CourseDifficulty { Easy, Medium, Hard };

// What is known of one hole when a course is rated.
struct HoleFigures {
    // The hole's par (what a careful person scores at least half of the time).
    int par = 0;
    // The share of a careful person's rounds (the human model of the par) that hole out
    // within par, from 0 to 1; unknown when not measured. By the par's definition it is at
    // least about one half: near one half the par is tight, near one it is generous.
    std::optional<double> holeRate;
};

// Mean par per hole below which a course is Easy, and from which it is Hard.
inline constexpr double EasyBelowMeanPar = 2.5;
inline constexpr double HardFromMeanPar = 3.25;
// Mean hole rates that move the label one step: below the first the pars are hard to make
// (one step harder), from the second they are easy to make (one step easier).
inline constexpr double TightHoleRate = 0.6;
inline constexpr double GenerousHoleRate = 0.85;

// Rates a course from its holes: the mean par per hole gives the label, and the mean hole
// rate, when every hole has one, moves it a step up or down. Nothing for a course without
// holes or with a hole whose par is unknown (0 or less).
std::optional<CourseDifficulty> rateCourse(std::span<const HoleFigures> holes);

}  // namespace trundlex
