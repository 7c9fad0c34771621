#pragma once
// Inside the network layer only (it speaks Asio).
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "net/AsioSupport.h"

namespace trundlex {

// A host name being looked up on a thread of its own. The system's lookup cannot be
// interrupted, and one that hangs (a name server out of reach) would hold up whatever waited
// for it; nobody waits for this thread instead. What it finds goes to the receiver as long as
// somebody still wants it.
class NameLookup {
public:
    using Found = std::vector<asio::ip::tcp::endpoint>;
    // Numeric addresses of a host name; empty when it has none.
    using Function = std::function<std::vector<std::string>(const std::string& host)>;

    // `receive` gets what is found, once, unless forget() came first.
    explicit NameLookup(std::function<void(Found)> receive) : receive_(std::move(receive)) {}
    // Starts looking `host` up on a thread of its own; its addresses, with `port`, go to the
    // receiver from that thread.
    static void run(const std::shared_ptr<NameLookup>& lookup, const std::string& host,
                    std::uint16_t port);
    // Hands `found` on, once (the attempt ends first: give it nothing).
    void give(Found found);
    // Nothing is handed on from now on, and a call of the receiver under way has returned.
    void forget();

    // The lookups from now on ask `function` instead of the system (null: the system again).
    static void replace(Function function);

private:
    std::mutex mutex_;
    std::function<void(Found)> receive_;
};

}  // namespace trundlex
