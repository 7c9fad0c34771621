#pragma once

#include <string>

#include "play/ComputerPlayer.h"
#include "play/Match.h"
#include "settings/GameSettings.h"

namespace trundlex {

class CourseLibrary;
class LevelLibrary;

// Between a game's setup and what the settings keep of it for the next launch: the players of
// this computer, how the game was played and the course.
namespace setupmemory {

// The shipped beginners' course: the first game's course.
inline constexpr std::string_view BeginnersCourseId = "341939388";

// What to keep of `setup`, played in `mode` (0 this computer ... 3 online): its players made
// on this computer, in order, and its course (empty for levels that are not a whole course).
GameSettings::LastSetup of(const Match& setup, int mode);

// A match holding the kept players (each made on this computer) and, when the kept course is
// in `courses` with every level found in `levels`, that course's levels under its ID; only
// the players otherwise.
Match restore(const GameSettings::LastSetup& kept, const CourseLibrary& courses,
              const LevelLibrary& levels);

// The course a quick game is played on: the kept one, else the beginners' course, else the
// first course; each only when every level of it is found. -1 when none is.
int quickCourse(const std::string& keptCourse, const CourseLibrary& courses,
                const LevelLibrary& levels);

// The name and strength a quick game offers: the first person kept (empty when none) and
// the first computer's strength (medium when none).
struct QuickChoice {
    std::string name;
    ComputerStrength strength = ComputerStrength::Medium;
};
QuickChoice quickChoice(const GameSettings::LastSetup& kept);

}  // namespace setupmemory
}  // namespace trundlex
