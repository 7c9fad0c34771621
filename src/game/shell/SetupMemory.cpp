#include "SetupMemory.h"

#include "library/Course.h"
#include "library/CourseLibrary.h"
#include "library/LevelLibrary.h"

namespace trundlex::setupmemory {

namespace {

bool playable(const CourseLibrary& courses, int index, const LevelLibrary& levels) {
    return index >= 0 && index < courses.count() && courses.at(index).levelCount() > 0 &&
           courses.at(index).resolve(levels).complete();
}

}  // namespace

GameSettings::LastSetup of(const Match& setup, int mode) {
    GameSettings::LastSetup kept;
    kept.mode = mode;
    kept.course = setup.GetName();
    for (int i = 0; i < setup.PlayerCount(); ++i) {
        const Player& player = *setup.GetPlayer(i);
        if (!player.IsCreatedLocal()) {
            continue;
        }
        kept.players.push_back({player.GetName(), static_cast<std::int32_t>(player.GetComputer()),
                                player.GetStyle().colour, player.GetStyle().pattern,
                                player.GetStyle().transparent});
    }
    return kept;
}

Match restore(const GameSettings::LastSetup& kept, const CourseLibrary& courses,
              const LevelLibrary& levels) {
    Match match;
    for (const GameSettings::SetupPlayer& player : kept.players) {
        match
            .AddPlayer(player.name, player.colour, player.pattern, player.transparent,
                       Player::LocalConnection)
            .SetComputer(static_cast<ComputerStrength>(player.strength));
    }
    const int course = kept.course.empty() ? -1 : courses.findById(kept.course);
    if (playable(courses, course, levels)) {
        const Course& found = courses.at(course);
        for (int i = 0; i < found.levelCount(); ++i) {
            match.AddLevel(found.levelId(i));
        }
        match.SetName(found.id());
    }
    return match;
}

int quickCourse(const std::string& keptCourse, const CourseLibrary& courses,
                const LevelLibrary& levels) {
    for (const std::string_view id : {std::string_view(keptCourse), BeginnersCourseId}) {
        const int index = id.empty() ? -1 : courses.findById(id);
        if (playable(courses, index, levels)) {
            return index;
        }
    }
    for (int i = 0; i < courses.count(); ++i) {
        if (playable(courses, i, levels)) {
            return i;
        }
    }
    return -1;
}

QuickChoice quickChoice(const GameSettings::LastSetup& kept) {
    QuickChoice choice;
    bool strengthFound = false;
    for (const GameSettings::SetupPlayer& player : kept.players) {
        if (player.strength == static_cast<std::int32_t>(ComputerStrength::Person)) {
            if (choice.name.empty()) {
                choice.name = player.name;
            }
        } else if (!strengthFound) {
            choice.strength = static_cast<ComputerStrength>(player.strength);
            strengthFound = true;
        }
    }
    return choice;
}

}  // namespace trundlex::setupmemory
