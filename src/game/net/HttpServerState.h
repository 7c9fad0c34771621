#pragma once
// What the web side's connections share (HttpServer's own files only).
#include <boost/beast/core.hpp>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>

#include "net/AsioSupport.h"
#include "net/HttpFiles.h"
#include "net/HttpServer.h"

namespace trundlex {

class WebSocketBridge;

struct HttpServer::State {
    State(NetPool& io, Settings settings,
          std::function<std::shared_ptr<void>(const std::string&)> admit,
          std::function<void(const std::string&)> log)
        : io(io.impl().io),
          settings(std::move(settings)),
          files(this->settings.webRoot, this->settings.crossOriginIsolated),
          admit(std::move(admit)),
          log(std::move(log)),
          acceptor(asio::make_strand(this->io)) {}

    asio::io_context& io;
    const Settings settings;
    const HttpFiles files;
    const std::function<std::shared_ptr<void>(const std::string&)> admit;
    const std::function<void(const std::string&)> log;
    asio::ip::tcp::acceptor acceptor;

    std::mutex mutex;
    std::condition_variable idle;
    bool stopped = false;
    // The sockets of the connections being served, to close them when the server stops.
    std::set<boost::beast::tcp_stream*> streams;
    // The WebSockets carrying a game, likewise.
    std::set<WebSocketBridge*> bridges;

    void accept(const std::shared_ptr<State>& self);
};

}  // namespace trundlex
