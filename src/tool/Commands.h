#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <vector>

namespace trundlex::tool {

// The exit code of a command that was called the wrong way.
constexpr int kUsageError = 2;

// What a command is called and says about itself: the list of commands shows it, and the
// command's own --help and usage messages start from it.
struct CommandInfo {
    const char* name;
    const char* usage;
    const char* summary;
};

// One sub-command of trundlex-tool. `run` gets the arguments after the command's name and
// returns the process exit code: 0 on success, 1 on a failure it reported on `err`,
// kUsageError on a usage error.
struct Command : CommandInfo {
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
std::vector<Command> playCourseCommands();
std::vector<Command> localMatchCommands();
std::vector<Command> dailyCommands();

}  // namespace trundlex::tool
