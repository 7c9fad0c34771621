#pragma once

#include <cstdint>
#include <string>
#include <string_view>

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
    // Exchange(false): fields to stored values.
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

    SettingsStore& store_;
    bool flushSuppressed_ = false;
};

}  // namespace trundlex
