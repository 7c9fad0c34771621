#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>

namespace trundlex {

// Walks a folder tree for the files of one extension, the way the libraries read their
// folders: the files directly in a folder come before its subfolders, subfolders are visited
// depth-first, and within a folder entries go in byte-wise name order, so a scan gives the
// same result on every file system. Names starting with "." are hidden: such files are not
// reported and such folders are not entered.
class FolderWalker {
public:
    // `extension` without the dot, for example "lev". Names are matched ignoring ASCII case,
    // since level packs made on Windows often carry ".LEV".
    explicit FolderWalker(std::string extension) : extension_(std::move(extension)) {}

    // Calls `visit` with the full path of every matching regular file under `root`; with
    // `recurse` false only the files directly in `root`. A folder that is missing or cannot
    // be read contributes nothing. A folder reached a second time (through a symbolic link)
    // is not walked again, so links that form a loop end the walk instead of hanging it.
    void walk(const std::string& root, bool recurse,
              const std::function<void(const std::string&)>& visit) const;

    // Whether a file name carries the walker's extension: a "." followed by it at the end.
    bool matches(std::string_view fileName) const;

private:
    std::string extension_;
};

}  // namespace trundlex
