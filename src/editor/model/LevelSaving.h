#pragma once

#include <ctime>
#include <string>

#include "level/Level.h"

namespace trundlex {

// What saving the level being edited takes.
struct SavePlan {
    // The ID the saved level carries.
    std::string id;
    // False when the file already holds exactly this level, ID included: nothing is written.
    bool write = true;
    // The ID of the earlier state of this level that the save replaces in the file, when the
    // saved level carries another one; empty otherwise. Courses that list it lose the level
    // unless they are told its new ID.
    std::string replacedId;
};

// Plans the save of `editing`. An ID stands for a level's content on every computer (a
// network game looks levels up by it), so a level keeps the ID of `opened` (the level as last
// opened or saved; null when it never came from a file) while it holds the same content, and
// any change gives it a new ID made from its blocks and `now`, never the old one again.
// `inFile` is the level now in the file to be written; null when there is none or it cannot
// be read.
SavePlan planSave(const Level& editing, const Level* opened, const Level* inFile,
                  const std::tm& now);

}  // namespace trundlex
