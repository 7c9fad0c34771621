// `serve` in the WebAssembly build: hosting a game needs sockets, which a page has not.
#include <iostream>

#include "Commands.h"

namespace trundlex::tool {

namespace {

constexpr CommandInfo kServe = {
    "serve", "serve [--port P] ...",
    "Host a network game; only in the builds with sockets (Linux, Windows)."};

int refuseServe(std::span<const std::string>, std::ostream&, std::ostream& err) {
    err << "serve: this trundlex-tool was built for WebAssembly, which has no sockets\n";
    return 1;
}

}  // namespace

std::vector<Command> serveCommands() {
    return {{kServe, refuseServe}};
}

}  // namespace trundlex::tool
