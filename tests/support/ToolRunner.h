#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "Commands.h"

namespace trundlex::testing {

// Runs trundlex-tool's commands in the test's process, keeping what the last one printed.
class ToolRunner {
public:
    // The command's exit code; -1 (and a failure) when there is no such command.
    int run(std::string_view name, const std::vector<std::string>& args) {
        out_.str({});
        err_.str({});
        for (auto group : {tool::levelCommands, tool::simulateCommands, tool::renderCommands,
                           tool::courseCommands, tool::editorCommands, tool::solveCommands,
                           tool::serveCommands, tool::playCourseCommands,
                           tool::dailyCommands}) {
            for (const tool::Command& command : group()) {
                if (name == command.name) {
                    return command.run(args, out_, err_);
                }
            }
        }
        ADD_FAILURE() << "no command " << name;
        return -1;
    }
    std::string out() const { return out_.str(); }
    std::string err() const { return err_.str(); }

private:
    std::ostringstream out_;
    std::ostringstream err_;
};

}  // namespace trundlex::testing
