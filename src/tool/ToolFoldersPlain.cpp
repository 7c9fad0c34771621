#include "ToolFolders.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace trundlex::tool {

namespace fs = std::filesystem;

namespace {

fs::path programFolder() {
#ifdef _WIN32
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) {
            return {};
        }
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    return fs::path(path).parent_path();
#else
    std::error_code error;
    return fs::read_symlink("/proc/self/exe", error).parent_path();
#endif
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// Where the system keeps this user's data; the first of the folders Qt's generic data
// location lists.
fs::path userDataHome() {
#ifdef _WIN32
    return environment("LOCALAPPDATA");
#else
    const std::string xdg = environment("XDG_DATA_HOME");
    return xdg.empty() ? fs::path(environment("HOME")) / ".local/share" : fs::path(xdg);
#endif
}

std::vector<fs::path> systemDataFolders() {
#ifdef _WIN32
    return {environment("PROGRAMDATA")};
#else
    std::string dirs = environment("XDG_DATA_DIRS");
    if (dirs.empty()) {
        dirs = "/usr/local/share:/usr/share";
    }
    std::vector<fs::path> folders;
    for (std::size_t start = 0; start <= dirs.size();) {
        const std::size_t colon = std::min(dirs.find(':', start), dirs.size());
        if (colon > start) {
            folders.emplace_back(dirs.substr(start, colon - start));
        }
        start = colon + 1;
    }
    return folders;
#endif
}

}  // namespace

std::string shippedFolder(std::string_view name) {
    if (name.empty()) {
        return {};
    }
    const fs::path bin = programFolder();
    std::vector<fs::path> candidates{bin / name, bin / ".." / "share" / "trundlex" / name,
                                     userDataHome() / "trundlex" / name};
    for (const fs::path& folder : systemDataFolders()) {
        candidates.push_back(folder / "trundlex" / name);
    }
    for (const fs::path& candidate : candidates) {
        std::error_code error;
        if (fs::is_directory(candidate, error)) {
            return candidate.lexically_normal().string();
        }
    }
    return {};
}

std::string userFolder(std::string_view name) {
    return (userDataHome() / "Trundlex" / name).string();
}

}  // namespace trundlex::tool
