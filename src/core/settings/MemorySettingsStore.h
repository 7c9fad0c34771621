#pragma once

#include <map>
#include <set>
#include <utility>

#include "settings/SettingsStore.h"

namespace trundlex {

// A settings store that lives in memory only, for tests and for programs run without a
// persistent store. Keys and value names are compared byte for byte.
class MemorySettingsStore : public SettingsStore {
public:
    bool createKey(const std::string& key) override;
    std::optional<SettingsValue> read(const std::string& key, const std::string& name) override;
    bool write(const std::string& key, const std::string& name, const SettingsValue& value,
               bool flush) override;

    bool hasKey(const std::string& key) const { return keys_.count(key) != 0; }
    // The number of values stored under all keys together.
    std::size_t valueCount() const { return values_.size(); }
    // How many writes asked to be flushed.
    int flushCount() const { return flushes_; }

private:
    std::set<std::string> keys_;
    std::map<std::pair<std::string, std::string>, SettingsValue> values_;
    int flushes_ = 0;
};

}  // namespace trundlex
