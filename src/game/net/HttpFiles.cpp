#include "net/HttpFiles.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <chrono>
#include <system_error>

namespace trundlex {

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// Whether a comma-separated Accept-Encoding names `coding` (without q=0).
bool accepts(std::string_view header, std::string_view coding) {
    std::size_t at = 0;
    while (at <= header.size()) {
        const std::size_t end = std::min(header.find(',', at), header.size());
        std::string_view item = header.substr(at, end - at);
        const std::size_t semicolon = item.find(';');
        std::string_view name = item.substr(0, semicolon);
        while (!name.empty() && name.front() == ' ') {
            name.remove_prefix(1);
        }
        while (!name.empty() && name.back() == ' ') {
            name.remove_suffix(1);
        }
        const bool refused = semicolon != std::string_view::npos &&
                             item.substr(semicolon).find("q=0") != std::string_view::npos &&
                             item.substr(semicolon).find("q=0.") == std::string_view::npos;
        if (name == coding && !refused) {
            return true;
        }
        at = end + 1;
    }
    return false;
}

// Whether `inner` is `outer` or lies below it (both canonical).
bool within(const std::filesystem::path& inner, const std::filesystem::path& outer) {
    auto o = outer.begin();
    auto i = inner.begin();
    for (; o != outer.end(); ++o, ++i) {
        if (i == inner.end() || *i != *o) {
            return false;
        }
    }
    return true;
}

std::string etagOf(std::uintmax_t size, std::filesystem::file_time_type time) {
    const auto ticks = static_cast<std::uint64_t>(time.time_since_epoch().count());
    return "\"" + std::to_string(size) + "-" + std::to_string(ticks) + "\"";
}

}  // namespace

std::string HttpFiles::Response::header(std::string_view name) const {
    for (const auto& [key, value] : headers) {
        if (key == name) {
            return value;
        }
    }
    return {};
}

HttpFiles::HttpFiles(std::filesystem::path root, bool crossOriginIsolated)
    : isolated_(crossOriginIsolated) {
    std::error_code error;
    root_ = std::filesystem::canonical(root, error);
    if (error) {
        root_ = std::move(root);
    }
}

std::string HttpFiles::mediaType(const std::filesystem::path& file) {
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 16> kTypes{{
        {".html", "text/html; charset=utf-8"},
        {".htm", "text/html; charset=utf-8"},
        {".js", "text/javascript; charset=utf-8"},
        {".mjs", "text/javascript; charset=utf-8"},
        {".css", "text/css; charset=utf-8"},
        {".json", "application/json"},
        {".wasm", "application/wasm"},
        {".svg", "image/svg+xml"},
        {".png", "image/png"},
        {".jpg", "image/jpeg"},
        {".webp", "image/webp"},
        {".ico", "image/x-icon"},
        {".wav", "audio/wav"},
        {".ogg", "audio/ogg"},
        {".txt", "text/plain; charset=utf-8"},
        {".webmanifest", "application/manifest+json"},
    }};
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const auto& [known, type] : kTypes) {
        if (extension == known) {
            return std::string(type);
        }
    }
    return "application/octet-stream";
}

std::optional<std::string> HttpFiles::decodePath(std::string_view target) {
    target = target.substr(0, std::min(target.find('?'), target.find('#')));
    if (target.empty() || target.front() != '/') {
        return std::nullopt;
    }
    std::string path;
    for (std::size_t i = 0; i < target.size(); ++i) {
        char c = target[i];
        if (c == '%') {
            if (i + 2 >= target.size() || hexValue(target[i + 1]) < 0 ||
                hexValue(target[i + 2]) < 0) {
                return std::nullopt;
            }
            c = static_cast<char>(hexValue(target[i + 1]) * 16 + hexValue(target[i + 2]));
            // An escaped separator would hide a path step from the checks below.
            if (c == '/' || c == '\\' || c == '\0') {
                return std::nullopt;
            }
            i += 2;
        } else if (c == '\\' || c == '\0') {
            return std::nullopt;
        }
        path += c;
    }
    return path;
}

std::optional<std::filesystem::path> HttpFiles::locate(const std::string& path) const {
    std::filesystem::path file = root_;
    std::size_t at = 1;
    while (at <= path.size()) {
        const std::size_t end = std::min(path.find('/', at), path.size());
        const std::string_view step = std::string_view(path).substr(at, end - at);
        if (step == ".." || step == ".") {
            return std::nullopt;
        }
        if (!step.empty()) {
            file /= std::string(step);
        }
        at = end + 1;
    }
    std::error_code error;
    if (std::filesystem::is_directory(file, error)) {
        file /= "index.html";
    }
    // A symbolic link (here or on the way) may point anywhere: the real place must be inside.
    const std::filesystem::path real = std::filesystem::canonical(file, error);
    if (error || !within(real, root_) || !std::filesystem::is_regular_file(real, error)) {
        return std::nullopt;
    }
    return real;
}

HttpFiles::Response HttpFiles::error(int status, std::string_view text) const {
    Response response;
    response.status = status;
    response.body = std::string(text) + "\n";
    response.headers = {{"Content-Type", "text/plain; charset=utf-8"},
                        {"Cache-Control", "no-store"}};
    if (status == 405) {
        response.headers.emplace_back("Allow", "GET, HEAD");
    }
    return response;
}

HttpFiles::Response HttpFiles::answer(const Request& request) const {
    const bool head = request.method == "HEAD";
    if (request.method != "GET" && !head) {
        return error(405, "Method not allowed");
    }
    const std::optional<std::string> path = decodePath(request.target);
    if (!path) {
        return error(400, "Bad request");
    }
    const std::optional<std::filesystem::path> file = locate(*path);
    if (!file) {
        Response missing = error(404, "Not found");
        missing.headOnly = head;
        return missing;
    }
    std::error_code failed;
    Response response;
    response.headOnly = head;
    response.file = *file;
    response.fileSize = std::filesystem::file_size(*file, failed);
    const auto time = std::filesystem::last_write_time(*file, failed);
    if (failed) {
        return error(404, "Not found");
    }
    const std::string etag = etagOf(response.fileSize, time);
    response.headers = {
        {"Content-Type", mediaType(*file)},
        {"ETag", etag},
        // The page itself is asked for again each time (it names the current scripts); the
        // rest is revalidated after an hour.
        {"Cache-Control", file->extension() == ".html" ? "no-cache" : "public, max-age=3600"},
        {"Vary", "Accept-Encoding"},
        {"X-Content-Type-Options", "nosniff"},
    };
    if (isolated_) {
        response.headers.emplace_back("Cross-Origin-Opener-Policy", "same-origin");
        response.headers.emplace_back("Cross-Origin-Embedder-Policy", "require-corp");
    }
    if (!request.ifNoneMatch.empty() && request.ifNoneMatch == etag) {
        response.status = 304;
        response.file.clear();
        response.fileSize = 0;
        return response;
    }
    for (const auto& [coding, suffix] : {std::pair{"br", ".br"}, std::pair{"gzip", ".gz"}}) {
        std::filesystem::path packed = *file;
        packed += suffix;
        const std::filesystem::path real = std::filesystem::canonical(packed, failed);
        // A packed copy older than its file was left by an earlier build: the browser would
        // get yesterday's script under today's ETag.
        if (accepts(request.acceptEncoding, coding) && !failed && within(real, root_) &&
            std::filesystem::is_regular_file(real, failed) &&
            std::filesystem::last_write_time(real, failed) >= time && !failed) {
            const auto size = std::filesystem::file_size(real, failed);
            if (!failed) {
                response.file = real;
                response.fileSize = size;
                response.headers.emplace_back("Content-Encoding", coding);
                break;
            }
        }
    }
    return response;
}

}  // namespace trundlex
