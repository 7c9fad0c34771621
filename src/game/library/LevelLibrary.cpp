#include "library/LevelLibrary.h"

namespace trundlex {

void LevelLibrary::sort() {
    sortBy(&Level::lessThan);
}

bool LevelLibrary::loadItem(const std::string& path, Level& level) const {
    return level.loadFromFile(path);
}

}  // namespace trundlex
