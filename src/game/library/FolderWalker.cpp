#include "library/FolderWalker.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <utility>
#include <vector>

namespace trundlex {

namespace {

struct FolderEntries {
    std::vector<std::string> files;
    std::vector<std::string> folders;
};

std::string joinPath(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == '/') {
        return folder + name;
    }
    return folder + "/" + name;
}

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The visible entries of one folder, each list in byte-wise name order. Entries whose type
// cannot be found out (a dangling link, a file removed meanwhile) are left out.
FolderEntries listFolder(const std::string& path) {
    FolderEntries entries;
    DIR* dir = ::opendir(path.c_str());
    if (dir == nullptr) {
        return entries;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.empty() || name[0] == '.') {
            continue;
        }
        const std::string full = joinPath(path, name);
        struct stat info {};
        if (::stat(full.c_str(), &info) != 0) {
            continue;
        }
        if (S_ISDIR(info.st_mode)) {
            entries.folders.push_back(full);
        } else if (S_ISREG(info.st_mode)) {
            entries.files.push_back(full);
        }
    }
    ::closedir(dir);
    std::sort(entries.files.begin(), entries.files.end());
    std::sort(entries.folders.begin(), entries.folders.end());
    return entries;
}

// What tells a folder from every other, so that a link back up is walked only once: the
// device and inode, or on Windows (whose C library has no inodes) the canonical path.
#ifdef _WIN32
using FolderKey = std::string;
FolderKey keyOf(const std::string& folder, const struct stat&) {
    std::error_code error;
    return std::filesystem::canonical(folder, error).string();
}
#else
using FolderKey = std::pair<dev_t, ino_t>;
FolderKey keyOf(const std::string&, const struct stat& info) {
    return {info.st_dev, info.st_ino};
}
#endif

std::string fileNameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

bool FolderWalker::matches(std::string_view fileName) const {
    if (fileName.size() < extension_.size() + 1) {
        return false;
    }
    const std::string_view tail = fileName.substr(fileName.size() - extension_.size());
    if (fileName[fileName.size() - extension_.size() - 1] != '.') {
        return false;
    }
    return std::equal(tail.begin(), tail.end(), extension_.begin(), extension_.end(),
                      [](char a, char b) { return lowerAscii(a) == lowerAscii(b); });
}

void FolderWalker::walk(const std::string& root, bool recurse,
                        const std::function<void(const std::string&)>& visit) const {
    std::set<FolderKey> visited;
    // Folders still to walk, the next one on top; pushing the subfolders of a folder in
    // reverse order walks them depth-first in name order without recursion.
    std::vector<std::string> pending{root};
    while (!pending.empty()) {
        const std::string folder = std::move(pending.back());
        pending.pop_back();
        struct stat info {};
        if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
            !visited.insert(keyOf(folder, info)).second) {
            continue;
        }
        FolderEntries entries = listFolder(folder);
        for (const std::string& file : entries.files) {
            if (matches(fileNameOf(file))) {
                visit(file);
            }
        }
        if (recurse) {
            pending.insert(pending.end(), entries.folders.rbegin(), entries.folders.rend());
        }
    }
}

}  // namespace trundlex
