#pragma once
// The game over WebSocket (HttpServer's own files only).
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/websocket.hpp>

#include <array>
#include <memory>
#include <string>

#include "net/HttpServerState.h"

namespace trundlex {

// One WebSocket at /play and the game connection it carries: the browser's binary messages go
// to the game's port as bytes, and the game's bytes come back as binary messages. Both run on
// the WebSocket's strand; either side's end ends the other.
class WebSocketBridge : public std::enable_shared_from_this<WebSocketBridge> {
public:
    using tcp = asio::ip::tcp;
    // The largest WebSocket message taken: a game message is at most a little over 1 MiB.
    static constexpr std::size_t MaxMessageBytes = std::size_t{2} << 20;

    WebSocketBridge(std::shared_ptr<HttpServer::State> state, boost::beast::tcp_stream stream,
                    std::string address, std::string peer)
        : state_(std::move(state)),
          ws_(std::move(stream)),
          game_(ws_.get_executor()),
          address_(std::move(address)),
          peer_(std::move(peer)) {}

    ~WebSocketBridge() {
        if (port_ != 0 && state_->settings.bridgeClosed) {
            state_->settings.bridgeClosed(port_);
        }
        std::lock_guard lock(state_->mutex);
        state_->bridges.erase(this);
        state_->idle.notify_all();
    }

    // False when the server has stopped meanwhile.
    bool enlist() {
        std::lock_guard lock(state_->mutex);
        if (state_->stopped) {
            return false;
        }
        state_->bridges.insert(this);
        return true;
    }

    void start(const boost::beast::http::request<boost::beast::http::empty_body>& request) {
        // Idle limits and pings of their own take over from the request's timer.
        boost::beast::get_lowest_layer(ws_).expires_never();
        ws_.set_option(boost::beast::websocket::stream_base::timeout::suggested(boost::beast::role_type::server));
        ws_.set_option(boost::beast::websocket::stream_base::decorator([](boost::beast::websocket::response_type& answer) {
            answer.set(boost::beast::http::field::server, "Trundlex");
        }));
        ws_.read_message_max(MaxMessageBytes);
        ws_.binary(true);
        ws_.async_accept(request, [self = shared_from_this()](const ErrorCode& error) {
            if (!error) {
                self->connectGame();
            }
        });
    }

    asio::any_io_executor executor() { return ws_.get_executor(); }

    // On the strand: the server stops; both sides end at once.
    void stop() {
        ErrorCode ignored;
        game_.close(ignored);
        boost::beast::get_lowest_layer(ws_).socket().close(ignored);
    }

private:
    void connectGame() {
        ErrorCode error;
        const auto local = asio::ip::make_address("127.0.0.1");
        game_.open(tcp::v4(), error);
        if (!error) {
            game_.bind(tcp::endpoint(local, 0), error);
        }
        if (!error) {
            port_ = game_.local_endpoint(error).port();
        }
        if (error || port_ == 0) {
            port_ = 0;
            closeWebSocket(boost::beast::websocket::close_code::internal_error);
            return;
        }
        // Told before the door can see the connection.
        if (state_->settings.bridgeOpening) {
            state_->settings.bridgeOpening(port_, address_, peer_);
        }
        game_.async_connect(tcp::endpoint(local, state_->settings.gamePort),
                            [self = shared_from_this()](const ErrorCode& failed) {
                                if (failed) {
                                    self->closeWebSocket(boost::beast::websocket::close_code::try_again_later);
                                    return;
                                }
                                tuneSocket(self->game_);
                                self->readBrowser();
                                self->readGame();
                            });
    }

    void readBrowser() {
        ws_.async_read(fromBrowser_, [self = shared_from_this()](const ErrorCode& error,
                                                                 std::size_t) {
            if (error) {
                // The browser left (or broke the protocol): the game sees the connection end.
                ErrorCode ignored;
                self->game_.close(ignored);
                return;
            }
            asio::async_write(self->game_, self->fromBrowser_.data(),
                              [self](const ErrorCode& failed, std::size_t written) {
                                  if (failed) {
                                      // readGame's chain ends and closes the WebSocket.
                                      ErrorCode ignored;
                                      self->game_.close(ignored);
                                      return;
                                  }
                                  self->fromBrowser_.consume(written);
                                  self->readBrowser();
                              });
        });
    }

    void readGame() {
        game_.async_read_some(
            asio::buffer(fromGame_), [self = shared_from_this()](const ErrorCode& error,
                                                                 std::size_t size) {
                if (error) {
                    // The game closed the connection (a refusal, the room's end): a clean close.
                    self->closeWebSocket(boost::beast::websocket::close_code::normal);
                    return;
                }
                self->ws_.async_write(asio::buffer(self->fromGame_.data(), size),
                                      [self](const ErrorCode& failed, std::size_t) {
                                          if (failed) {
                                              ErrorCode ignored;
                                              self->game_.close(ignored);
                                              return;
                                          }
                                          self->readGame();
                                      });
            });
    }

    // Never while a write of the WebSocket is under way (readGame's chain is the only writer,
    // and calls this only between its writes).
    void closeWebSocket(boost::beast::websocket::close_code code) {
        if (closing_) {
            return;
        }
        closing_ = true;
        ws_.async_close(code, [self = shared_from_this()](const ErrorCode&) {
            ErrorCode ignored;
            self->game_.close(ignored);
        });
    }

    std::shared_ptr<HttpServer::State> state_;
    boost::beast::websocket::stream<boost::beast::tcp_stream> ws_;
    tcp::socket game_;
    std::string address_;
    std::string peer_;
    std::uint16_t port_ = 0;
    bool closing_ = false;
    boost::beast::flat_buffer fromBrowser_;
    std::array<char, 16384> fromGame_{};
};

}  // namespace trundlex
