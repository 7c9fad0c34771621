// How trundlex-tool reads its arguments, seen from outside: every command's --help, and the
// messages and exit code of a call that gets its arguments wrong.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/TempFolder.h"
#include "support/ToolRunner.h"

namespace {

namespace fs = std::filesystem;

const std::string kLevel = std::string(TRUNDLEX_SOURCE_DIR) + "/resources/levels/first-putt.lev";

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
    // Runs a command in this process; the call's arguments start with the command's name.
    int run(const std::vector<std::string>& call) {
        return tool.run(call.front(), std::vector<std::string>(call.begin() + 1, call.end()));
    }

    trundlex::testing::TempFolder folder;
    trundlex::testing::ToolRunner tool;
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
    {"par", {"DIR", "--table"}},
};

TEST_F(ToolArgumentsTest, EveryCommandExplainsItselfWithHelp) {
    for (const HelpCase& c : kHelpCases) {
        SCOPED_TRACE(c.command);
        ASSERT_EQ(run({c.command, "--help"}), 0) << tool.err();
        const std::string help = tool.out();
        EXPECT_TRUE(help.starts_with("usage: trundlex-tool " + c.command + " ")) << help;
        EXPECT_EQ(tool.err(), "");
        for (const std::string& name : c.names) {
            EXPECT_NE(help.find(name), std::string::npos) << name << " in\n" << help;
        }
        run({c.command, "-h"});
        EXPECT_EQ(tool.out(), help);
    }
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
        {"flag with a value", {"render", kLevel, png, "--grid=yes"}, {"--grid"}},
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
        EXPECT_EQ(run(c.args), 2) << tool.err();
        EXPECT_EQ(tool.out(), "");
        const std::vector<std::string> lines = linesOf(tool.err());
        if (lines.size() != 2) {
            ADD_FAILURE() << "not a message and a usage line:\n" << tool.err();
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
    ASSERT_EQ(run({"simulate", kLevel, "--speed", "3", "--heading", "0.5"}), 0) << tool.err();
    const std::string spaced = tool.out();
    ASSERT_TRUE(spaced.starts_with("result: ")) << spaced;
    EXPECT_EQ(run({"simulate", kLevel, "--speed=3", "--heading=0.5"}), 0) << tool.err();
    EXPECT_EQ(tool.out(), spaced);
}

TEST_F(ToolArgumentsTest, AFileNamedLikeAnOptionIsReadAfterADoubleDash) {
    fs::copy_file(kLevel, folder / "-odd.lev");
    const fs::path before = fs::current_path();
    fs::current_path(folder.path());
    EXPECT_EQ(run({"level-info", "-odd.lev"}), 2);
    EXPECT_TRUE(tool.err().starts_with("unknown option: -odd.lev")) << tool.err();
    EXPECT_EQ(run({"level-info", "--", "-odd.lev"}), 0) << tool.err();
    const std::string read = tool.out();
    fs::current_path(before);
    run({"level-info", kLevel});
    EXPECT_EQ(read, tool.out());
    EXPECT_TRUE(read.starts_with("name: ")) << read;
}

}  // namespace
