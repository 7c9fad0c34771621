#include "model/LevelSaving.h"

#include "level/LevelId.h"

namespace trundlex {

SavePlan planSave(const Level& editing, const Level* opened, const Level* inFile,
                  const std::tm& now) {
    SavePlan plan;
    const bool unchanged =
        opened != nullptr && !opened->id().empty() && sameLevelContent(editing, *opened);
    if (unchanged) {
        plan.id = opened->id();
    } else {
        // The time in an ID has no minutes: a level changed only in its name or start, saved
        // at the same second of another minute, would get its old ID back. A later second
        // keeps the IDs apart.
        std::tm stamp = now;
        plan.id = makeLevelId(editing, stamp);
        for (int tries = 0; opened != nullptr && plan.id == opened->id() && tries < 60; ++tries) {
            stamp.tm_sec = (stamp.tm_sec + 1) % 60;
            plan.id = makeLevelId(editing, stamp);
        }
    }
    if (inFile != nullptr) {
        Level saved = editing;
        saved.setId(plan.id);
        plan.write = inFile->toText() != saved.toText();
        const bool sameLevelBefore = opened != nullptr && inFile->id() == opened->id();
        if (sameLevelBefore && !inFile->id().empty() && inFile->id() != plan.id) {
            plan.replacedId = inFile->id();
        }
    }
    return plan;
}

}  // namespace trundlex
