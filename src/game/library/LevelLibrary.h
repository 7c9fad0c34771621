#pragma once

#include <string>

#include "level/Level.h"
#include "library/FileLibrary.h"

namespace trundlex {

// The levels of the game: every ".lev" file under the "levels" folder of the program folder,
// then under the "levels" folder of the user's own data folder.
class LevelLibrary : public FileLibrary<Level> {
public:
    // `userFolder`: the user's own data folder, whose "levels" is read after the shipped one;
    // empty: none.
    explicit LevelLibrary(std::string programFolder, std::string userFolder = {})
        : FileLibrary(std::move(programFolder), "lev", std::move(userFolder)) {}

    // The program folder followed by "levels".
    std::string folderPath() const override { return programSubfolder("levels"); }
    // The user folder followed by "levels"; empty without a user folder.
    std::string userFolderPath() const override { return userSubfolder("levels"); }
    // True when the level has an ID and no level in the list has the same one. The level's
    // size and contents do not matter.
    bool isAcceptable(const Level& level) const override { return isNewId(level.id()); }

    // Orders the list with Level::lessThan: by creator, then name, then size.
    void sort();

protected:
    bool loadItem(const std::string& path, Level& level) const override;
};

}  // namespace trundlex
