#include "model/RecentFileList.h"

#include <algorithm>

namespace trundlex {

namespace {

constexpr const char* kSection = "Recent File List";

}  // namespace

std::string RecentFileList::RootPath() const {
    return "Software\\Brackwater Works\\Trundlex\\Trundlex Editor";
}

void RecentFileList::add(const std::string& path) {
    if (path.empty()) {
        return;
    }
    remove(path);
    std::move_backward(entries_.begin(), entries_.end() - 1, entries_.end());
    entries_.front() = path;
}

void RecentFileList::remove(const std::string& path) {
    const auto found = std::find(entries_.begin(), entries_.end(), path);
    if (found == entries_.end()) {
        return;
    }
    std::move(found + 1, entries_.end(), found);
    entries_.back().clear();
}

std::vector<std::string> RecentFileList::entries() const {
    std::vector<std::string> result;
    for (const std::string& entry : entries_) {
        if (!entry.empty()) {
            result.push_back(entry);
        }
    }
    return result;
}

std::string RecentFileList::startFolder(const std::string& levelsFolder) const {
    const std::string& newest = entries_.front();
    std::size_t cut = newest.rfind('\\');
    if (cut == std::string::npos) {
        cut = newest.rfind('/');
    }
    if (newest.empty() || cut == std::string::npos) {
        return levelsFolder;
    }
    return newest.substr(0, cut + 1);
}

void RecentFileList::Exchange(bool load) {
    for (int i = 0; i < Capacity; ++i) {
        ExchangeString(load, entries_[static_cast<std::size_t>(i)], kSection,
                       "File" + std::to_string(i + 1));
    }
    if (load) {
        // Stored lists may have gaps; keep the order and close them.
        const std::vector<std::string> packed = entries();
        entries_ = {};
        std::copy(packed.begin(), packed.end(), entries_.begin());
    }
}

}  // namespace trundlex
