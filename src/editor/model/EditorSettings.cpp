#include "model/EditorSettings.h"

namespace trundlex {

std::string EditorSettings::RootPath() const {
    return "Software\\Brackwater Works\\Trundlex\\Trundlex Editor";
}

void EditorSettings::Exchange(bool load) {
    ExchangeBool(load, showGrid_, "misc", "grid");
    ExchangeBool(load, sound_, "misc", "sound");
    ExchangeInt(load, look_, "misc", "look", 0, 1);
}

}  // namespace trundlex
