#pragma once

#include <algorithm>
#include <cassert>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "library/FolderWalker.h"

namespace trundlex {

// Told about the progress of a scan. The scan calls it on the thread that runs the scan,
// which is a worker thread at start-up: an implementation that touches a user interface must
// hand the step over to that interface's thread itself.
class ScanProgress {
public:
    virtual ~ScanProgress() = default;
    // One item has just been added to the library.
    virtual void itemAdded() = 0;
};

// An in-memory collection of items read from the files of one extension under one folder
// tree. Every item has a non-empty ID and no two items share one (IDs compared byte for
// byte). `Item` must offer `id()` returning something comparable with a std::string_view.
//
// A library has no lock: one thread fills it by a scan, and hands it over when the scan is
// done (the game's start-up reading does exactly that).
template <typename Item>
class FileLibrary {
public:
    // `programFolder` is the folder of the shipped data; the derived libraries scan a folder
    // inside it. `userFolder`, when not empty, is the user's own data folder, whose folder of
    // the same name is scanned afterwards. `extension` is the file extension without the dot.
    FileLibrary(std::string programFolder, std::string extension, std::string userFolder = {})
        : programFolder_(std::move(programFolder)),
          userFolder_(std::move(userFolder)),
          extension_(std::move(extension)) {}
    virtual ~FileLibrary() = default;

    int count() const { return static_cast<int>(items_.size()); }
    // `index` must be below count().
    const Item& at(int index) const {
        assert(index >= 0 && index < count());
        return items_[static_cast<std::size_t>(index)];
    }
    // For changing an item in place (a course whose level list was updated); `index` must be
    // below count(). The ID must not change.
    Item& at(int index) {
        assert(index >= 0 && index < count());
        return items_[static_cast<std::size_t>(index)];
    }
    // The index of the first item whose ID equals `id` byte for byte, or -1.
    int findById(std::string_view id) const {
        for (std::size_t i = 0; i < items_.size(); ++i) {
            if (std::string_view(items_[i].id()) == id) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    // Appends a copy as it is; callers that must keep IDs unique ask isAcceptable first.
    void add(const Item& item) { items_.push_back(item); }

    const std::string& extension() const { return extension_; }
    const std::string& programFolder() const { return programFolder_; }
    const std::string& userFolder() const { return userFolder_; }

    // The folder that scan() reads first. The base reads the program folder itself.
    virtual std::string folderPath() const { return programFolder_; }
    // The folder of the user's own files that scan() reads second; empty: none. The base
    // reads the user folder itself.
    virtual std::string userFolderPath() const { return userFolder_; }
    // Whether a freshly read item may join the list.
    virtual bool isAcceptable(const Item& item) const = 0;

    // Reads folderPath() and everything below it, then userFolderPath() and everything below
    // it (see scanFolder). The shipped files come first, so a user's file with the ID of a
    // shipped one is dropped and never replaces it; a missing user folder adds nothing.
    // `progress`, when given, is told about every item added and is forgotten when the scan
    // returns.
    void scan(ScanProgress* progress) {
        progress_ = progress;
        scanFolder(folderPath(), true);
        const std::string user = userFolderPath();
        if (!user.empty()) {
            scanFolder(user, true);
        }
        progress_ = nullptr;
    }

    // Loads every file of the library's extension in `path` (and, with `recurse`, in its
    // subfolders; see FolderWalker for the order and the hidden names) and adds each item
    // that loads and is acceptable. Files that cannot be read or are not valid, items with
    // an empty ID and items whose ID is already in the list are dropped without a word; a
    // missing folder adds nothing.
    void scanFolder(const std::string& path, bool recurse) {
        FolderWalker(extension_).walk(path, recurse, [this](const std::string& file) {
            Item item;
            if (loadItem(file, item) && isAcceptable(item)) {
                add(item);
                if (progress_ != nullptr) {
                    progress_->itemAdded();
                }
            }
        });
    }

protected:
    // Reads one item from a file. False when the file is not a valid item.
    virtual bool loadItem(const std::string& path, Item& item) const = 0;

    // Whether `id` may join the list: not empty and not there yet.
    bool isNewId(std::string_view id) const { return !id.empty() && findById(id) < 0; }

    // Orders the list. A stable sort, so items that compare equal keep the order in which
    // they were read and a picker shows them the same way at every start.
    template <typename Less>
    void sortBy(Less less) {
        std::stable_sort(items_.begin(), items_.end(), less);
    }

    // The folder named `name` inside the program folder.
    std::string programSubfolder(std::string_view name) const {
        return subfolder(programFolder_, name);
    }
    // The folder named `name` inside the user folder; empty when there is no user folder.
    std::string userSubfolder(std::string_view name) const {
        return userFolder_.empty() ? std::string() : subfolder(userFolder_, name);
    }

private:
    static std::string subfolder(std::string path, std::string_view name) {
        if (!path.empty() && path.back() != '/') {
            path += '/';
        }
        path += name;
        return path;
    }

    std::string programFolder_;
    std::string userFolder_;
    std::string extension_;
    std::vector<Item> items_;
    ScanProgress* progress_ = nullptr;
};

}  // namespace trundlex
