#include "settings/RegistrySettings.h"

namespace trundlex {

std::string RegistrySettings::selectKey(std::string_view section) {
    std::string key = RootPath();
    if (!section.empty()) {
        key += '\\';
        key += section;
    }
    store_.createKey(key);
    return key;
}

void RegistrySettings::ExchangeInt(bool load, std::int32_t& field, std::string_view section,
                                   std::string_view name, std::int32_t min, std::int32_t max) {
    const std::string key = selectKey(section);
    if (!load) {
        store_.write(key, std::string(name), SettingsValue::fromInt(field), !flushSuppressed_);
        return;
    }
    const auto stored = store_.read(key, std::string(name));
    const auto value = stored ? stored->toInt() : std::nullopt;
    if (!value || (min != -1 && *value < min) || (max != -1 && *value > max)) {
        return;
    }
    field = *value;
}

void RegistrySettings::ExchangeBool(bool load, bool& field, std::string_view section,
                                    std::string_view name) {
    std::int32_t value = field ? 1 : 0;
    ExchangeInt(load, value, section, name, -1, -1);
    field = value != 0;
}

void RegistrySettings::ExchangeString(bool load, std::string& field, std::string_view section,
                                      std::string_view name) {
    const std::string key = selectKey(section);
    if (!load) {
        store_.write(key, std::string(name), SettingsValue::fromString(field), !flushSuppressed_);
        return;
    }
    if (const auto stored = store_.read(key, std::string(name))) {
        field = stored->toText();
    }
}

}  // namespace trundlex
