#pragma once

#include "settings/RegistrySettings.h"

namespace trundlex {

// The editor's settings record, under "Software\Brackwater Works\Trundlex\Trundlex Editor":
//   misc\grid   whether the level is drawn with grid lines
//   misc\sound  whether the test ball makes sounds
//   misc\look   how the level is drawn: 0 classic, 1 modern (the game's looks)
// Missing or unreadable values keep the defaults (grid and sound on, the classic look).
class EditorSettings : public RegistrySettings {
public:
    // `store` must outlive the record.
    explicit EditorSettings(SettingsStore& store) : RegistrySettings(store) {}

    std::string RootPath() const override;

    bool showGrid() const { return showGrid_; }
    void setShowGrid(bool on) { showGrid_ = on; }
    bool sound() const { return sound_; }
    void setSound(bool on) { sound_ = on; }
    bool modernLook() const { return look_ == 1; }
    void setModernLook(bool on) { look_ = on ? 1 : 0; }

protected:
    // grid, sound, then look.
    void Exchange(bool load) override;

private:
    bool showGrid_ = true;
    bool sound_ = true;
    std::int32_t look_ = 0;
};

}  // namespace trundlex
