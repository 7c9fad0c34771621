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
        store(key, name, SettingsValue::fromInt(field));
        return;
    }
    const auto stored = store_.read(key, std::string(name));
    const auto value = stored ? stored->toInt() : std::nullopt;
    if (value && (min == -1 || *value >= min) && (max == -1 || *value <= max)) {
        field = *value;
        remember(key, name, *stored);
    }
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
        store(key, name, SettingsValue::fromString(field));
        return;
    }
    if (const auto stored = store_.read(key, std::string(name))) {
        field = stored->toText();
        remember(key, name, SettingsValue::fromString(field));
    }
}

void RegistrySettings::store(const std::string& key, std::string_view name,
                             const SettingsValue& value) {
    const auto known = known_.find({key, std::string(name)});
    if (known != known_.end() && known->second == value) {
        return;
    }
    if (store_.write(key, std::string(name), value, !flushSuppressed_)) {
        remember(key, name, value);
    }
}

void RegistrySettings::remember(const std::string& key, std::string_view name,
                                const SettingsValue& value) {
    known_[{key, std::string(name)}] = value;
}

}  // namespace trundlex
