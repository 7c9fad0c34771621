#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace trundlex {

// What the room host's web side answers to a request for a file of the web client under one
// folder: the decision alone (status, headers, which file), so that it is tested without a
// socket. Only GET and HEAD; no directory listing; no path that leaves the folder, however it
// is spelled (`..`, `%2e%2e`, an encoded slash, a symbolic link pointing out); index.html for
// a folder; a precompressed .br or .gz beside a file when the browser takes it; an ETag from
// size and time, and a 304 for a request that already holds it.
class HttpFiles {
public:
    struct Request {
        std::string method;
        std::string target;
        std::string acceptEncoding;
        std::string ifNoneMatch;
    };
    struct Response {
        int status = 200;
        std::vector<std::pair<std::string, std::string>> headers;
        // The file whose bytes are the body; empty for `body`.
        std::filesystem::path file;
        std::uintmax_t fileSize = 0;
        std::string body;
        // HEAD: the headers of a GET, without the body.
        bool headOnly = false;

        // The value of a header, or empty.
        std::string header(std::string_view name) const;
    };

    // Serves the files under `root` (which must exist). With `crossOriginIsolated`, every
    // answer carries the headers a page needs for SharedArrayBuffer.
    explicit HttpFiles(std::filesystem::path root, bool crossOriginIsolated = false);

    Response answer(const Request& request) const;

    // The media type for a file name's extension (application/octet-stream for others).
    static std::string mediaType(const std::filesystem::path& file);
    // The path of a request target (without query or fragment), percent-decoded; nullopt for
    // a target that is not an absolute path, a bad escape, or an escape of "/", "\" or NUL.
    static std::optional<std::string> decodePath(std::string_view target);

private:
    // The file a decoded path names inside the root, or nullopt (not there, or outside).
    std::optional<std::filesystem::path> locate(const std::string& path) const;
    Response error(int status, std::string_view text) const;

    std::filesystem::path root_;
    bool isolated_;
};

}  // namespace trundlex
