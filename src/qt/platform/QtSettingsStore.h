#pragma once

#include <QSettings>
#include <memory>

#include "settings/SettingsStore.h"

namespace trundlex {

// The settings store of the programs, on QSettings: the registry on Windows (the current
// user's "Software\Brackwater Works\Trundlex" and the keys below it), a per-user file
// elsewhere. Integers keep their 4-byte little-endian encoding as binary values; strings are
// stored as text.
class QtSettingsStore : public SettingsStore {
public:
    // The per-user store of the organisation "Brackwater Works", application "Trundlex".
    QtSettingsStore();
    // A store over the given settings, for tests.
    explicit QtSettingsStore(std::unique_ptr<QSettings> settings);
    ~QtSettingsStore() override;

    bool createKey(const std::string& key) override;
    std::optional<SettingsValue> read(const std::string& key, const std::string& name) override;
    bool write(const std::string& key, const std::string& name, const SettingsValue& value,
               bool flush) override;

private:
    // "Software\Brackwater Works\Trundlex\misc" + "sound" -> "misc/sound".
    QString settingsPath(const std::string& key, const std::string& name) const;

    std::unique_ptr<QSettings> settings_;
};

}  // namespace trundlex
