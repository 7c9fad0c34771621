#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace trundlex {

class NetPool;

// The room host's web side: serves the files of the web client (HttpFiles) and GET /healthz
// over HTTP/1.1 on a port of its own, on the host's I/O pool. Every request is bounded: its
// header in size and in time (a client that trickles its header is dropped), no body at all.
// Each connection takes a place of its address first, as the door's do.
class HttpServer {
public:
    struct Settings {
        // The folder served at /; empty: only /healthz.
        std::filesystem::path webRoot;
        // Every answer carries the headers a page needs for SharedArrayBuffer.
        bool crossOriginIsolated = false;
        // The longest a client may take to send a request's header, and to read an answer.
        std::chrono::milliseconds headerTimeout{10000};
        std::size_t maxHeaderBytes = 8192;
        // Connections at once; more are closed at once.
        std::size_t maxConnections = 1024;
        // The text of GET /metrics (Prometheus' text format); none: 404.
        std::function<std::string()> metrics;
    };
    // `admit` gives a connection from an address its place (null: refused, the connection is
    // closed); `log` takes a line for the operator (called on the pool's threads).
    HttpServer(NetPool& io, Settings settings,
               std::function<std::shared_ptr<void>(const std::string& address)> admit,
               std::function<void(const std::string&)> log);
    // Stops listening, closes every connection and waits until none is being served.
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // Listens at `port` (0: any free one) on `bindAddress` (a numeric address; empty: every
    // local address); the port, or 0.
    std::uint16_t listen(std::uint16_t port, const std::string& bindAddress = {});
    // Connections being served now.
    std::size_t connections() const;

    struct State;

private:
    std::shared_ptr<State> state_;
};

}  // namespace trundlex
