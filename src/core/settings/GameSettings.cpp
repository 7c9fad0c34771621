#include "settings/GameSettings.h"

namespace trundlex {

std::string GameSettings::RootPath() const {
    return "Software\\Brackwater Works\\Trundlex";
}

void GameSettings::Exchange(bool load) {
    ExchangeInt(load, count_, "misc", "count", 1, -1);
    ExchangeBool(load, sound_, "misc", "sound");
    ExchangeInt(load, port_, "network", "port", 1, 65535);
    ExchangeString(load, address_, "network", "address");
    ExchangeInt(load, look_, "misc", "look", ClassicLook, ModernLook);
}

}  // namespace trundlex
