#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace trundlex {

class NetPool;

// The room host's web side: serves the files of the web client (HttpFiles), GET /healthz and
// /metrics over HTTP/1.1 on a port of its own, on the host's I/O pool, and carries the game at
// /play over WebSocket. Every request is bounded: its header in size and in time (a client
// that trickles its header is dropped), no body at all. Each connection takes a place of its
// address first, as the door's do.
//
// A WebSocket's binary messages carry the game's byte stream exactly as a TCP connection does
// (letters, bodies, terminators, cut anywhere). Each is carried on to the game's own port on
// this machine as a connection of its own, announced first (bridgeOpening) so that the door
// takes it for the browser's address, not for this machine's.
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
        // The game's TCP port on this machine, where /play carries each WebSocket (0: no
        // /play).
        std::uint16_t gamePort = 0;
        // Origins a page may open /play from ("https://golf.example.org"); empty: only the
        // host's own (the Origin names the host and port the request was sent to).
        std::vector<std::string> allowedOrigins;
        // A WebSocket's game connection will come from this machine's `port`: the browser's
        // address and address:port. Then, when the WebSocket has ended, the port again.
        std::function<void(std::uint16_t port, const std::string& address,
                           const std::string& peer)>
            bridgeOpening;
        std::function<void(std::uint16_t port)> bridgeClosed;
        // Take the address in X-Forwarded-For of a request from this machine's loopback
        // address (a proxy such as nginx on the same machine).
        bool trustLocalProxy = true;
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
    // Connections being served now (HTTP and WebSocket).
    std::size_t connections() const;
    // WebSockets carrying a game now.
    std::size_t webSockets() const;

    struct State;

private:
    std::shared_ptr<State> state_;
};

}  // namespace trundlex
