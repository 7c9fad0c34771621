// trundlex-tool: command-line helpers for level designers and for checking the file formats.
#include <iostream>
#include <string>
#include <vector>

#include "Commands.h"

namespace {

using trundlex::tool::Command;

std::vector<Command> allCommands() {
    std::vector<Command> commands = trundlex::tool::levelCommands();
    for (auto group : {trundlex::tool::courseCommands, trundlex::tool::simulateCommands,
                       trundlex::tool::renderCommands, trundlex::tool::editorCommands,
                       trundlex::tool::serveCommands, trundlex::tool::solveCommands,
                       trundlex::tool::playCourseCommands, trundlex::tool::localMatchCommands,
                       trundlex::tool::dailyCommands}) {
        for (const Command& c : group()) {
            commands.push_back(c);
        }
    }
    return commands;
}

void printHelp(std::ostream& out, const std::vector<Command>& commands) {
    out << "Usage: trundlex-tool COMMAND [ARGUMENTS]\n\nCommands:\n";
    for (const Command& c : commands) {
        out << "  " << c.usage << "\n      " << c.summary << "\n";
    }
    out << "  --help\n      Show this list.\n"
        << "  COMMAND --help\n      Show a command's arguments and options.\n";
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const std::vector<Command> commands = allCommands();
    if (args.empty()) {
        printHelp(std::cerr, commands);
        return 2;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        printHelp(std::cout, commands);
        return 0;
    }
    for (const Command& c : commands) {
        if (args[0] == c.name) {
            return c.run(std::span(args).subspan(1), std::cout, std::cerr);
        }
    }
    std::cerr << "trundlex-tool: unknown command \"" << args[0] << "\"; see --help\n";
    return 2;
}
