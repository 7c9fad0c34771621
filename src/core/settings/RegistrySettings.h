#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "settings/SettingsStore.h"

namespace trundlex {

// Base of a program's settings record. A derived record lists its values once, in
// Exchange(), which runs in either direction: Load() copies stored values into the fields,
// Save() stores the fields. Values live under the key RootPath() + "\" + section.
//
// Failures of the store are ignored: a value that is missing, unreadable or out of range
// leaves its field unchanged (the constructor's default on a first start), and a value
// that cannot be written is lost without a word.
class RegistrySettings {
public:
    // `store` must outlive the record.
    explicit RegistrySettings(SettingsStore& store) : store_(store) {}
    virtual ~RegistrySettings() = default;

    RegistrySettings(const RegistrySettings&) = delete;
    RegistrySettings& operator=(const RegistrySettings&) = delete;

    // Exchange(true): stored values to fields.
    void Load() { Exchange(true); }
    // Exchange(false): fields to stored values. A value read by Load or written by Save
    // before is written again only when its field changed since: another program sharing
    // the store may have saved its own changes meanwhile, and a value this program did not
    // change must not undo them. Values the store lacks are always written.
    void Save() { Exchange(false); }

    // The record's root key path, such as "Software\Brackwater Works\Trundlex".
    virtual std::string RootPath() const = 0;

    // Every write is flushed unless this is set.
    void setFlushSuppressed(bool suppressed) { flushSuppressed_ = suppressed; }
    bool isFlushSuppressed() const { return flushSuppressed_; }

protected:
    // The record's list of value exchanges, in the direction `load` gives.
    virtual void Exchange(bool load) = 0;

    // An integer stored as 4 bytes, little-endian. On load a stored value is taken only when
    // it lies within min ... max, where -1 for either bound means "no bound".
    void ExchangeInt(bool load, std::int32_t& field, std::string_view section,
                     std::string_view name, std::int32_t min, std::int32_t max);
    // Stored like an integer; loads as (value != 0) and saves as 0 or 1.
    void ExchangeBool(bool load, bool& field, std::string_view section, std::string_view name);
    // A string value; on load a value that exists but cannot be read gives the empty string.
    void ExchangeString(bool load, std::string& field, std::string_view section,
                        std::string_view name);

private:
    // Selects (and creates when missing) the key of `section`.
    std::string selectKey(std::string_view section);
    // Writes the value unless it is what was last loaded or saved under that name.
    void store(const std::string& key, std::string_view name, const SettingsValue& value);
    void remember(const std::string& key, std::string_view name, const SettingsValue& value);

    SettingsStore& store_;
    // The stored value of every field as last loaded or saved, by key and value name.
    std::map<std::pair<std::string, std::string>, SettingsValue> known_;
    bool flushSuppressed_ = false;
};

}  // namespace trundlex
