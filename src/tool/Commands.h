#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <vector>

namespace trundlex::tool {

// One sub-command of trundlex-tool. `run` gets the arguments after the command's name and
// returns the process exit code: 0 on success, 1 on a failure it reported on `err`, 2 on a
// usage error.
struct Command {
    const char* name;
    const char* usage;
    const char* summary;
    int (*run)(std::span<const std::string> args, std::ostream& out, std::ostream& err);
};

// Each group of commands adds itself here; main lists and dispatches them.
std::vector<Command> levelCommands();
std::vector<Command> simulateCommands();
std::vector<Command> renderCommands();
std::vector<Command> courseCommands();
std::vector<Command> editorCommands();
std::vector<Command> serveCommands();
std::vector<Command> solveCommands();

}  // namespace trundlex::tool
