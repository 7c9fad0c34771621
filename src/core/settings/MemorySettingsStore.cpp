#include "settings/MemorySettingsStore.h"

namespace trundlex {

bool MemorySettingsStore::createKey(const std::string& key) {
    // The keys above a key exist with it, as in a registry.
    for (std::size_t end = key.find('\\'); end != std::string::npos;
         end = key.find('\\', end + 1)) {
        keys_.insert(key.substr(0, end));
    }
    keys_.insert(key);
    return true;
}

std::optional<SettingsValue> MemorySettingsStore::read(const std::string& key,
                                                       const std::string& name) {
    const auto found = values_.find({key, name});
    if (found == values_.end()) {
        return std::nullopt;
    }
    return found->second;
}

bool MemorySettingsStore::write(const std::string& key, const std::string& name,
                                const SettingsValue& value, bool flush) {
    createKey(key);
    values_[{key, name}] = value;
    if (flush) {
        ++flushes_;
    }
    return true;
}

}  // namespace trundlex
