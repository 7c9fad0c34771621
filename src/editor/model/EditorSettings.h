#pragma once

#include "settings/RegistrySettings.h"

namespace trundlex {

// The editor's settings record, under "Software\Brackwater Works\Trundlex\Trundlex Editor":
//   misc\grid   whether the level is drawn with grid lines
//   misc\sound  whether the test ball makes sounds
// Missing or unreadable values keep the defaults (both on).
class EditorSettings : public RegistrySettings {
public:
    // `store` must outlive the record.
    explicit EditorSettings(SettingsStore& store) : RegistrySettings(store) {}

    std::string RootPath() const override;

    bool showGrid() const { return showGrid_; }
    void setShowGrid(bool on) { showGrid_ = on; }
    bool sound() const { return sound_; }
    void setSound(bool on) { sound_ = on; }

protected:
    // grid, then sound.
    void Exchange(bool load) override;

private:
    bool showGrid_ = true;
    bool sound_ = true;
};

}  // namespace trundlex
