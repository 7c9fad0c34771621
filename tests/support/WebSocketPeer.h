#pragma once
// A browser's side of the game's WebSocket, by hand over loopback: binary messages that carry
// the game's byte stream, read back message by message through the game's framer. Every wait
// is bounded.
#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/websocket.hpp>

#include <optional>
#include <string>

#include "game/net/NetTestSupport.h"
#include "net/MessageFramer.h"
#include "net/NetProtocol.h"

namespace trundlex::testing {

class WebSocketPeer {
public:
    // Opens ws://127.0.0.1:`port`/play, sending `origin` (none when empty) and `forwardedFor`
    // (as a proxy would); false when refused (status() then holds the HTTP answer's status).
    bool open(std::uint16_t port, const std::string& origin,
              const std::string& forwardedFor = {}) {
        namespace http = boost::beast::http;
        boost::system::error_code error;
        boost::beast::get_lowest_layer(ws_).connect(
            {boost::asio::ip::make_address("127.0.0.1"), port}, error);
        if (error) {
            return false;
        }
        ws_.set_option(boost::beast::websocket::stream_base::decorator(
            [origin, forwardedFor](boost::beast::websocket::request_type& request) {
                if (!origin.empty()) {
                    request.set(http::field::origin, origin);
                }
                if (!forwardedFor.empty()) {
                    request.set("X-Forwarded-For", forwardedFor);
                }
            }));
        boost::beast::websocket::response_type answer;
        std::optional<boost::system::error_code> done;
        ws_.async_handshake(answer, "127.0.0.1:" + std::to_string(port), "/play",
                            [&](const boost::system::error_code& failed) { done = failed; });
        run([&] { return done.has_value(); });
        status_ = answer.result_int();
        if (!done || *done) {
            return false;
        }
        ws_.binary(true);
        return true;
    }
    int status() const { return status_; }

    // One binary message of exactly these bytes.
    void sendRaw(const std::string& bytes) {
        std::optional<boost::system::error_code> done;
        ws_.async_write(boost::asio::buffer(bytes),
                        [&](const boost::system::error_code& failed, std::size_t) { done = failed; });
        run([&] { return done.has_value(); });
        EXPECT_TRUE(done && !*done) << "the message was not sent";
    }
    // A game message (letter and body) with its terminator, as one binary message.
    void send(const std::string& message) { sendRaw(message + std::string(netproto::Terminator)); }

    // The next game message, or none when nothing complete arrives in time or it closed.
    std::optional<NetMessage> receive() {
        NetMessage message;
        while (!framer_.next(message)) {
            if (closed_) {
                return std::nullopt;
            }
            std::optional<boost::system::error_code> done;
            ws_.async_read(buffer_, [&](const boost::system::error_code& failed, std::size_t) {
                done = failed;
            });
            run([&] { return done.has_value(); });
            if (!done || *done) {
                closed_ = true;
                closedCleanly_ = done && *done == boost::beast::websocket::error::closed;
                return std::nullopt;
            }
            const auto data = buffer_.data();
            framer_.append(std::string_view(static_cast<const char*>(data.data()), data.size()));
            buffer_.clear();
        }
        return message;
    }
    // Skips messages until one with this letter; its body, or none.
    std::optional<std::string> expect(char letter) {
        while (auto message = receive()) {
            if (message->letter == letter) {
                return message->body;
            }
        }
        return std::nullopt;
    }
    // The other side closed the WebSocket with a close frame (after the messages before it).
    bool closedCleanly() {
        while (receive()) {
        }
        return closedCleanly_;
    }

private:
    template <class Done>
    void run(Done done) {
        io_.restart();
        const auto deadline = std::chrono::steady_clock::now() + Patience;
        while (!done() && std::chrono::steady_clock::now() < deadline) {
            io_.run_for(std::chrono::milliseconds(20));
            io_.restart();
        }
    }

    boost::asio::io_context io_;
    boost::beast::websocket::stream<boost::beast::tcp_stream> ws_{io_};
    boost::beast::flat_buffer buffer_;
    MessageFramer framer_{64u << 20};
    bool closed_ = false;
    bool closedCleanly_ = false;
    int status_ = 0;
};

}  // namespace trundlex::testing
