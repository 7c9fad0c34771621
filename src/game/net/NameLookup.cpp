#include "net/NameLookup.h"

#include <thread>

namespace trundlex {

using asio::ip::tcp;

namespace {

std::mutex gReplacementMutex;
NameLookup::Function gReplacement;

// The system's answer (getaddrinfo), on the calling thread.
std::vector<std::string> systemLookup(const std::string& host) {
    asio::io_context io;
    tcp::resolver resolver(io);
    ErrorCode error;
    const auto found = resolver.resolve(host, "", error);
    std::vector<std::string> addresses;
    if (!error) {
        for (const auto& entry : found) {
            addresses.push_back(entry.endpoint().address().to_string());
        }
    }
    return addresses;
}

}  // namespace

void NameLookup::run(const std::shared_ptr<NameLookup>& lookup, const std::string& host,
                     std::uint16_t port) {
    Function find;
    {
        std::lock_guard lock(gReplacementMutex);
        find = gReplacement;
    }
    std::thread([lookup, host, port, find] {
        Found found;
        for (const std::string& text : find ? find(host) : systemLookup(host)) {
            ErrorCode error;
            const asio::ip::address address = asio::ip::make_address(text, error);
            if (!error) {
                found.emplace_back(address, port);
            }
        }
        lookup->give(std::move(found));
    }).detach();
}

void NameLookup::give(Found found) {
    std::lock_guard lock(mutex_);
    if (receive_) {
        const auto take = std::move(receive_);
        receive_ = nullptr;
        take(std::move(found));
    }
}

void NameLookup::forget() {
    std::lock_guard lock(mutex_);
    receive_ = nullptr;
}

void NameLookup::replace(Function function) {
    std::lock_guard lock(gReplacementMutex);
    gReplacement = std::move(function);
}

}  // namespace trundlex
