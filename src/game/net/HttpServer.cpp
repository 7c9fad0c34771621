#include "net/HttpServer.h"

#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/websocket.hpp>

#include <condition_variable>
#include <mutex>
#include <set>

#include "net/AsioSupport.h"
#include "net/HttpFiles.h"
#include "net/HttpServerState.h"
#include "net/WebSocketBridge.h"

namespace trundlex {

namespace beast = boost::beast;
namespace http = boost::beast::http;
namespace websocket = boost::beast::websocket;
using asio::ip::tcp;

namespace {

constexpr int kBacklog = 128;

bool isLoopback(std::string_view address) {
    return address == "127.0.0.1" || address == "::1";
}

// Whether a page of `origin` may open the game (see HttpServer::Settings::allowedOrigins).
bool originAllowed(const HttpServer::Settings& settings, std::string_view origin,
                   std::string_view host) {
    // Only browsers send an Origin, and only a browser can be made to connect by a page of
    // another site: a program without one has nothing to be protected from.
    if (origin.empty()) {
        return true;
    }
    if (!settings.allowedOrigins.empty()) {
        return std::find(settings.allowedOrigins.begin(), settings.allowedOrigins.end(),
                         origin) != settings.allowedOrigins.end();
    }
    const std::size_t scheme = origin.find("://");
    return scheme != std::string_view::npos && !host.empty() && origin.substr(scheme + 3) == host;
}

class Session : public std::enable_shared_from_this<Session> {
public:
    Session(std::shared_ptr<HttpServer::State> state, tcp::socket socket, std::string address,
            std::string peer, std::shared_ptr<void> lease)
        : state_(std::move(state)),
          stream_(std::move(socket)),
          address_(std::move(address)),
          peer_(std::move(peer)),
          lease_(std::move(lease)) {}

    ~Session() {
        std::lock_guard lock(state_->mutex);
        state_->streams.erase(&stream_);
        state_->idle.notify_all();
    }

    // False when the server has stopped meanwhile.
    bool enlist() {
        std::lock_guard lock(state_->mutex);
        if (state_->stopped || state_->streams.size() >= state_->settings.maxConnections) {
            return false;
        }
        state_->streams.insert(&stream_);
        return true;
    }

    void read() {
        {
            std::lock_guard lock(state_->mutex);
            if (state_->stopped) {
                close();
                return;
            }
        }
        parser_.emplace();
        parser_->header_limit(static_cast<std::uint32_t>(state_->settings.maxHeaderBytes));
        // No request of the web side has a body.
        parser_->body_limit(0);
        stream_.expires_after(state_->settings.headerTimeout);
        http::async_read(stream_, buffer_, *parser_,
                         [self = shared_from_this()](const ErrorCode& error, std::size_t) {
                             self->onRead(error);
                         });
    }

private:
    void onRead(const ErrorCode& error) {
        if (error == http::error::header_limit) {
            reply(plain(431, "Request header too large"), false);
            return;
        }
        if (error == http::error::body_limit || error == http::error::unexpected_body) {
            reply(plain(413, "No request body is taken here"), false);
            return;
        }
        if (error) {
            // The client closed, stalled past the limit or sent no HTTP: nothing to answer.
            if (error == beast::error::timeout) {
                state_->log("slow http request: dropped " + peer_);
            }
            close();
            return;
        }
        const http::request<http::empty_body>& request = parser_->get();
        const bool keepAlive = request.keep_alive();
        if (request.target() == "/play" && state_->settings.gamePort != 0) {
            play(request);
            return;
        }
        if (request.target() == "/healthz" && (request.method() == http::verb::get ||
                                               request.method() == http::verb::head)) {
            auto answer = plain(200, "ok");
            if (request.method() == http::verb::head) {
                answer->body().clear();
            }
            reply(std::move(answer), keepAlive);
            return;
        }
        if (request.target() == "/metrics" && request.method() == http::verb::get &&
            state_->settings.metrics) {
            auto answer = plain(200, "");
            answer->set(http::field::content_type, "text/plain; version=0.0.4; charset=utf-8");
            answer->body() = state_->settings.metrics();
            answer->prepare_payload();
            reply(std::move(answer), keepAlive);
            return;
        }
        const HttpFiles::Response answer = state_->files.answer(
            {std::string(request.method_string()), std::string(request.target()),
             std::string(request[http::field::accept_encoding]),
             std::string(request[http::field::if_none_match])});
        if (answer.file.empty() || answer.headOnly || answer.status != 200) {
            auto response = std::make_shared<http::response<http::string_body>>(
                static_cast<http::status>(answer.status), 11);
            fill(*response, answer);
            if (!answer.headOnly) {
                response->body() = answer.body;
            }
            response->content_length(answer.file.empty() ? answer.body.size() : answer.fileSize);
            if (answer.headOnly || answer.status == 304) {
                response->body().clear();
            }
            reply(std::move(response), keepAlive);
            return;
        }
        auto response =
            std::make_shared<http::response<http::file_body>>(http::status::ok, 11);
        beast::error_code opened;
        response->body().open(answer.file.string().c_str(), beast::file_mode::scan, opened);
        if (opened) {
            reply(plain(404, "Not found"), keepAlive);
            return;
        }
        fill(*response, answer);
        response->prepare_payload();
        reply(std::move(response), keepAlive);
    }

    // The game over WebSocket: the stream moves to a bridge, which the door will take for the
    // browser's address (the one a proxy on this machine names, else the peer's).
    void play(const http::request<http::empty_body>& request) {
        if (!websocket::is_upgrade(request)) {
            reply(plain(426, "This is the game's WebSocket"), false);
            return;
        }
        if (!originAllowed(state_->settings, request[http::field::origin],
                           request[http::field::host])) {
            // The Origin is the client's text: only its printable ASCII reaches the log.
            std::string origin;
            for (const char c : request[http::field::origin].substr(0, 100)) {
                origin += c >= 0x20 && c < 0x7f ? c : '?';
            }
            state_->log("websocket from another site: refused " + peer_ + " (" + origin + ")");
            reply(plain(403, "Origin not allowed"), false);
            return;
        }
        std::string address = address_;
        std::string peer = peer_;
        const std::string_view forwarded = request["X-Forwarded-For"];
        if (state_->settings.trustLocalProxy && isLoopback(address_) && !forwarded.empty()) {
            std::string last(forwarded.substr(forwarded.rfind(',') + 1));
            last.erase(0, last.find_first_not_of(' '));
            last.erase(last.find_last_not_of(' ') + 1);
            ErrorCode invalid;
            const auto named = asio::ip::make_address(last, invalid);
            if (!invalid) {
                address = addressText(named);
                peer = endpointText(tcp::endpoint(named, 0));
            }
        }
        auto bridge = std::make_shared<WebSocketBridge>(state_, std::move(stream_),
                                                        std::move(address), std::move(peer));
        // The door counts the game connection against the browser's address from now on.
        lease_.reset();
        if (bridge->enlist()) {
            bridge->start(request);
        }
    }

    template <class Body>
    static void fill(http::response<Body>& response, const HttpFiles::Response& answer) {
        for (const auto& [name, value] : answer.headers) {
            response.set(name, value);
        }
    }

    static std::shared_ptr<http::response<http::string_body>> plain(int status,
                                                                    std::string_view text) {
        auto response = std::make_shared<http::response<http::string_body>>(
            static_cast<http::status>(status), 11);
        response->set(http::field::content_type, "text/plain; charset=utf-8");
        response->set(http::field::cache_control, "no-store");
        response->body() = std::string(text) + "\n";
        response->prepare_payload();
        return response;
    }

    // Sends `response`; then reads the next request or closes.
    template <class Body>
    void reply(std::shared_ptr<http::response<Body>> response, bool keepAlive) {
        response->keep_alive(keepAlive);
        response->set(http::field::server, "Trundlex");
        stream_.expires_after(state_->settings.headerTimeout);
        http::async_write(stream_, *response,
                          [self = shared_from_this(), response, keepAlive](
                              const ErrorCode& error, std::size_t) {
                              if (error || !keepAlive) {
                                  self->close();
                              } else {
                                  self->read();
                              }
                          });
    }

    void close() {
        ErrorCode ignored;
        stream_.socket().shutdown(tcp::socket::shutdown_send, ignored);
        stream_.close();
    }

    std::shared_ptr<HttpServer::State> state_;
    beast::tcp_stream stream_;
    beast::flat_buffer buffer_;
    std::optional<http::request_parser<http::empty_body>> parser_;
    std::string address_;
    std::string peer_;
    std::shared_ptr<void> lease_;
};

}  // namespace

void HttpServer::State::accept(const std::shared_ptr<State>& self) {
    acceptor.async_accept(asio::make_strand(io), [self](const ErrorCode& error,
                                                        tcp::socket socket) {
        if (error == asio::error::operation_aborted || !self->acceptor.is_open()) {
            return;
        }
        if (!error) {
            ErrorCode failed;
            const tcp::endpoint remote = socket.remote_endpoint(failed);
            const std::string address = failed ? std::string() : addressText(remote.address());
            std::shared_ptr<void> lease = failed ? nullptr : self->admit(address);
            if (lease != nullptr) {
                tuneSocket(socket);
                auto session =
                    std::make_shared<Session>(self, std::move(socket), address,
                                              endpointText(remote), std::move(lease));
                if (session->enlist()) {
                    session->read();
                }
            }
        }
        self->accept(self);
    });
}

HttpServer::HttpServer(NetPool& io, Settings settings,
                       std::function<std::shared_ptr<void>(const std::string&)> admit,
                       std::function<void(const std::string&)> log)
    : state_(std::make_shared<State>(io, std::move(settings), std::move(admit),
                                     std::move(log))) {}

HttpServer::~HttpServer() {
    std::unique_lock lock(state_->mutex);
    state_->stopped = true;
    // A game that has ended closes its WebSockets itself, with a close frame after its last
    // words (the host's "stopping"): they get a moment for it before they are cut.
    state_->idle.wait_for(lock, std::chrono::seconds(1),
                          [this] { return state_->bridges.empty(); });
    for (WebSocketBridge* bridge : state_->bridges) {
        // On the bridge's own strand, where it runs: it may be gone by then (checked there).
        asio::post(bridge->executor(), [bridge, state = state_] {
            std::lock_guard inner(state->mutex);
            if (state->bridges.contains(bridge)) {
                bridge->stop();
            }
        });
    }
    asio::post(state_->acceptor.get_executor(), [state = state_] {
        ErrorCode ignored;
        state->acceptor.close(ignored);
    });
    for (beast::tcp_stream* stream : state_->streams) {
        // On the stream's own strand: closing from here would race its handlers.
        asio::post(stream->get_executor(), [stream, state = state_] {
            std::lock_guard inner(state->mutex);
            if (state->streams.contains(stream)) {
                ErrorCode ignored;
                stream->socket().cancel(ignored);
            }
        });
    }
    state_->idle.wait(lock,
                      [this] { return state_->streams.empty() && state_->bridges.empty(); });
}

std::uint16_t HttpServer::listen(std::uint16_t port, const std::string& bindAddress) {
    ErrorCode error;
    if (!openAcceptor(state_->acceptor, bindAddress, port, kBacklog, error)) {
        return 0;
    }
    const std::uint16_t chosen = state_->acceptor.local_endpoint(error).port();
    state_->accept(state_);
    return error ? 0 : chosen;
}

std::size_t HttpServer::connections() const {
    std::lock_guard lock(state_->mutex);
    return state_->streams.size() + state_->bridges.size();
}

std::size_t HttpServer::webSockets() const {
    std::lock_guard lock(state_->mutex);
    return state_->bridges.size();
}

}  // namespace trundlex
