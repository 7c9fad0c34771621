// `render` in a build without Qt: drawing a level needs the game's Qt painting.
#include <iostream>

#include "Commands.h"

namespace trundlex::tool {

namespace {

constexpr CommandInfo kRender = {
    "render", "render FILE.lev OUT.png [--block-size N] [--grid] [--look classic|modern]",
    "Draw a level as the game does into a PNG; only in the build with Qt."};

int refuseRender(std::span<const std::string>, std::ostream&, std::ostream& err) {
    err << "render: this trundlex-tool was built without Qt, which drawing a level needs\n";
    return 1;
}

}  // namespace

std::vector<Command> renderCommands() {
    return {{kRender, refuseRender}};
}

}  // namespace trundlex::tool
