#include "library/LevelLibrary.h"

#include "level/LevelFile.h"

namespace trundlex {

void LevelLibrary::sort() {
    sortBy(&Level::lessThan);
}

bool LevelLibrary::loadItem(const std::string& path, Level& level) const {
    return loadLevelFile(path, level) == LevelLoadResult::Loaded;
}

}  // namespace trundlex
