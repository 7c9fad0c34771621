// How trundlex-tool reads its arguments, seen from outside: every command's --help, and the
// messages and exit code of a call that gets its arguments wrong.
#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/TempFolder.h"

namespace {

namespace fs = std::filesystem;

const std::string kLevel = std::string(TRUNDLEX_SOURCE_DIR) + "/resources/levels/first-putt.lev";

struct ToolRun {
    int exitCode = -1;  // -1: did not start, crashed or did not end in time
    std::string out;
    std::string err;
};

// Runs trundlex-tool to its end; a call that hangs fails after 20 seconds.
ToolRun runTool(const std::vector<std::string>& args, const fs::path& folder = {}) {
    QStringList list;
    for (const std::string& a : args) {
        list << QString::fromStdString(a);
    }
    QProcess process;
    process.setWorkingDirectory(QString::fromStdString(folder.string()));  // empty: the test's
    process.start(QStringLiteral(TRUNDLEX_TOOL_PATH), list);
    ToolRun run;
    if (!process.waitForFinished(20000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    if (process.exitStatus() == QProcess::NormalExit) {
        run.exitCode = process.exitCode();
    }
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

class ToolArgumentsTest : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return folder / name; }

    trundlex::testing::TempFolder folder;
};

// Each command with the arguments and options its help must name.
struct HelpCase {
    std::string command;
    std::vector<std::string> names;
};

const std::vector<HelpCase> kHelpCases = {
    {"level-text", {"FILE.lev"}},
    {"level-pack", {"TEXTFILE", "OUT.lev", "--new-id"}},
    {"level-info", {"FILE.lev"}},
    {"course-pack", {"OUT.cou", "NAME", "LEVEL.lev"}},
    {"course-info", {"FILE.cou"}},
    {"simulate", {"FILE.lev", "--speed", "--heading", "--x", "--y", "--mode", "--trace"}},
    {"render", {"FILE.lev", "OUT.png", "--block-size", "--grid"}},
    {"transform", {"IN.lev", "OUT.lev", "OP", "rotate", "flip-h", "flip-v", "make-fit"}},
    {"random-level", {"OUT.lev", "--seed", "--pieces"}},
    {"serve", {"LEVEL.lev", "--port", "--levels", "--course", "--start-when"}},
    {"solve", {"FILE.lev", "--max-strokes", "--time-limit"}},
    {"par", {"DIR"}},
};

TEST_F(ToolArgumentsTest, EveryCommandExplainsItselfWithHelp) {
    for (const HelpCase& c : kHelpCases) {
        SCOPED_TRACE(c.command);
        const ToolRun help = runTool({c.command, "--help"});
        ASSERT_EQ(help.exitCode, 0) << help.err;
        EXPECT_TRUE(help.out.starts_with("usage: trundlex-tool " + c.command + " ")) << help.out;
        EXPECT_EQ(help.err, "");
        for (const std::string& name : c.names) {
            EXPECT_NE(help.out.find(name), std::string::npos) << name << " in\n" << help.out;
        }
        EXPECT_EQ(runTool({c.command, "-h"}).out, help.out);
    }
}

TEST_F(ToolArgumentsTest, TheListOfCommandsHasOnlyCommandsWithAHelpTest) {
    const ToolRun list = runTool({"--help"});
    ASSERT_EQ(list.exitCode, 0);
    std::set<std::string> listed;
    for (const std::string& line : linesOf(list.out)) {
        // Commands are indented by two spaces, their descriptions by more.
        if (line.starts_with("  ") && line[2] != ' ' && line[2] != '-' &&
            !line.starts_with("  COMMAND")) {
            listed.insert(line.substr(2, line.find(' ', 2) - 2));
        }
    }
    std::set<std::string> tested;
    for (const HelpCase& c : kHelpCases) {
        tested.insert(c.command);
    }
    EXPECT_EQ(listed, tested);
    EXPECT_NE(list.out.find("COMMAND --help"), std::string::npos) << "tells of the commands' help";
}

// A wrong call, and the words its message (the line before the usage line) must contain: the
// argument at fault and, for a bad value, the value.
struct RefusedCase {
    const char* what;
    std::vector<std::string> args;
    std::vector<std::string> named;
};

TEST_F(ToolArgumentsTest, WrongCallsAreRefusedNamingTheArgument) {
    const std::string out = path("out.lev");
    const std::string png = path("out.png");
    const std::vector<RefusedCase> cases = {
        // Options the command does not have (the parser is shared by every command).
        {"misspelt flag", {"render", kLevel, png, "--gird"}, {"--gird"}},
        {"unknown option", {"level-pack", "--new-ids", kLevel, out}, {"--new-ids"}},
        {"unknown short option", {"level-info", "-q", kLevel}, {"-q"}},
        // An option at the end that needs a value.
        {"missing value", {"simulate", kLevel, "--speed", "1", "--heading"}, {"--heading"}},
        {"missing value", {"random-level", out, "--seed"}, {"--seed"}},
        // Values that are not numbers, or not numbers the option takes.
        {"not a number",
         {"simulate", kLevel, "--speed", "fast", "--heading", "0"},
         {"--speed", "\"fast\""}},
        {"decimal comma",
         {"simulate", kLevel, "--speed", "3,5", "--heading", "0"},
         {"--speed", "\"3,5\""}},
        {"not finite",
         {"simulate", kLevel, "--speed", "1", "--heading", "inf"},
         {"--heading", "\"inf\""}},
        {"an earlier bad value",
         {"simulate", kLevel, "--speed", "x", "--speed", "1", "--heading", "0"},
         {"--speed", "\"x\""}},
        {"pause mode",
         {"simulate", kLevel, "--speed", "1", "--heading", "0", "--mode", "-2"},
         {"--mode", "\"-2\""}},
        {"fraction", {"render", kLevel, png, "--block-size", "2.5"}, {"--block-size", "\"2.5\""}},
        {"no pixels", {"render", kLevel, png, "--block-size", "0"}, {"--block-size", "\"0\""}},
        {"trailing letters", {"random-level", out, "--seed", "12x"}, {"--seed", "\"12x\""}},
        {"negative seed", {"random-level", out, "--seed", "-3"}, {"--seed", "\"-3\""}},
        {"fraction", {"solve", kLevel, "--max-strokes", "2.5"}, {"--max-strokes", "\"2.5\""}},
        {"no strokes", {"solve", kLevel, "--max-strokes", "0"}, {"--max-strokes", "\"0\""}},
        {"zero seconds", {"solve", kLevel, "--time-limit", "0"}, {"--time-limit", "\"0\""}},
        {"port too high", {"serve", "--port", "65536", kLevel}, {"--port", "\"65536\""}},
        {"no clients",
         {"serve", "--port", "0", "--start-when", "0", kLevel},
         {"--start-when", "\"0\""}},
        // Positional arguments missing or too many, and options that must be given.
        {"missing file", {"level-info"}, {"FILE.lev"}},
        {"missing output", {"render", kLevel}, {"OUT.png"}},
        {"missing levels", {"course-pack", path("c.cou"), "Name"}, {"LEVEL.lev"}},
        {"missing operation", {"transform", kLevel, out}, {"OP"}},
        {"second file", {"solve", kLevel, "extra.lev"}, {"extra.lev"}},
        {"missing option", {"simulate", kLevel, "--speed", "1"}, {"--heading"}},
        {"x without y",
         {"simulate", kLevel, "--speed", "1", "--heading", "0", "--x", "2"},
         {"--x", "--y"}},
        {"unknown operation", {"transform", kLevel, out, "spin"}, {"spin"}},
    };
    for (const RefusedCase& c : cases) {
        SCOPED_TRACE(std::string(c.what) + ": " + c.args.front());
        const ToolRun run = runTool(c.args);
        EXPECT_EQ(run.exitCode, 2) << run.err;
        EXPECT_EQ(run.out, "");
        const std::vector<std::string> lines = linesOf(run.err);
        if (lines.size() != 2) {
            ADD_FAILURE() << "not a message and a usage line:\n" << run.err;
            continue;
        }
        for (const std::string& word : c.named) {
            EXPECT_NE(lines[0].find(word), std::string::npos) << word << " in: " << lines[0];
        }
        EXPECT_TRUE(lines[1].starts_with("usage: trundlex-tool " + c.args.front() + " "))
            << lines[1];
        EXPECT_EQ(folder.entryCount(), 0) << "a refused call writes nothing";
    }
}

TEST_F(ToolArgumentsTest, ValuesMayFollowAnEqualsSign) {
    const ToolRun spaced = runTool({"simulate", kLevel, "--speed", "3", "--heading", "0.5"});
    ASSERT_EQ(spaced.exitCode, 0) << spaced.err;
    ASSERT_TRUE(spaced.out.starts_with("result: ")) << spaced.out;
    const ToolRun joinedUp = runTool({"simulate", kLevel, "--speed=3", "--heading=0.5"});
    EXPECT_EQ(joinedUp.exitCode, 0) << joinedUp.err;
    EXPECT_EQ(joinedUp.out, spaced.out);
}

TEST_F(ToolArgumentsTest, AFileNamedLikeAnOptionIsReadAfterADoubleDash) {
    fs::copy_file(kLevel, folder / "-odd.lev");
    const ToolRun taken = runTool({"level-info", "-odd.lev"}, folder.path());
    EXPECT_EQ(taken.exitCode, 2);
    EXPECT_TRUE(taken.err.starts_with("unknown option: -odd.lev")) << taken.err;

    const ToolRun read = runTool({"level-info", "--", "-odd.lev"}, folder.path());
    EXPECT_EQ(read.exitCode, 0) << read.err;
    EXPECT_EQ(read.out, runTool({"level-info", kLevel}).out);
    EXPECT_TRUE(read.out.starts_with("name: ")) << read.out;
}

}  // namespace
