#pragma once

#include <string>

#include "level/Level.h"
#include "library/FileLibrary.h"

namespace trundlex {

// The levels of the game: every ".lev" file under the "levels" folder of the program folder.
class LevelLibrary : public FileLibrary<Level> {
public:
    explicit LevelLibrary(std::string programFolder)
        : FileLibrary(std::move(programFolder), "lev") {}

    // The program folder followed by "levels".
    std::string folderPath() const override { return programSubfolder("levels"); }
    // True when the level has an ID and no level in the list has the same one. The level's
    // size and contents do not matter.
    bool isAcceptable(const Level& level) const override { return isNewId(level.id()); }

    // Orders the list with Level::lessThan: by creator, then name, then size.
    void sort();

protected:
    bool loadItem(const std::string& path, Level& level) const override;
};

}  // namespace trundlex
