#pragma once

#include <array>
#include <string>
#include <vector>

#include "settings/RegistrySettings.h"

namespace trundlex {

// The editor's most recently used level files, newest first, at most four, kept under
// "Software\Brackwater Works\Trundlex\Trundlex Editor\Recent File List" as File1 ... File4.
// Paths are compared byte for byte.
class RecentFileList : public RegistrySettings {
public:
    static constexpr int Capacity = 4;

    // `store` must outlive the list. Starts empty; Load() reads the stored entries.
    explicit RecentFileList(SettingsStore& store) : RegistrySettings(store) {}

    std::string RootPath() const override;

    // Puts `path` first; an equal entry further down is removed and the oldest entry drops
    // out when the list is full. An empty path is ignored.
    void add(const std::string& path);
    // Removes `path` when it is listed; nothing happens otherwise.
    void remove(const std::string& path);
    // The entries, newest first; never more than Capacity, never an empty one.
    std::vector<std::string> entries() const;

    // The folder the file dialogs start in: the folder of the newest entry (the text up to
    // and including its last "\", or its last "/" when it has no "\"), or `levelsFolder` when
    // the list is empty or the newest entry names no folder.
    std::string startFolder(const std::string& levelsFolder) const;

protected:
    // File1 ... File4; on load the entries are packed so that none is empty.
    void Exchange(bool load) override;

private:
    std::array<std::string, Capacity> entries_;
};

}  // namespace trundlex
