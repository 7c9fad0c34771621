#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "Commands.h"
#include "level/Archive.h"

namespace trundlex::tool {
namespace {

namespace fs = std::filesystem;

const std::string kText =
    "{Trundlex1}\r\n{77}\r\n{Tiny}{Tester}\r\n{2}{2}\r\n{1.250000}{0.500000}\r\n"
    "{S0T8}{$}\r\n{$}{C0G8H8}\r\n";

class ToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("trundlex-tool-" + std::string(::testing::UnitTest::GetInstance()
                                                   ->current_test_info()
                                                   ->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string file(const std::string& name, std::string_view bytes) {
        const std::string path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        return path;
    }

    static std::string slurp(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }

    int run(const std::string& name, std::vector<std::string> args) {
        out_.str({});
        err_.str({});
        for (const Command& c : levelCommands()) {
            if (name == c.name) {
                return c.run(args, out_, err_);
            }
        }
        ADD_FAILURE() << "no command " << name;
        return -1;
    }

    fs::path dir_;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(ToolTest, PackThenTextGivesTheSameBytes) {
    const std::string lev = (dir_ / "tiny.lev").string();
    ASSERT_EQ(run("level-pack", {file("tiny.txt", kText), lev}), 0) << err_.str();
    EXPECT_EQ(slurp(lev), encodeArchiveString(kText)) << "the ID is kept";
    ASSERT_EQ(run("level-text", {lev}), 0) << err_.str();
    EXPECT_EQ(out_.str(), kText);
}

TEST_F(ToolTest, InfoListsTheHeader) {
    ASSERT_EQ(run("level-info", {file("t.lev", encodeArchiveString(kText))}), 0);
    EXPECT_EQ(out_.str(),
              "name: Tiny\ncreator: Tester\nid: 77\nwidth: 2\nheight: 2\nstart: 1.250000 0.500000\n");
}

TEST_F(ToolTest, BadInputFailsWithAMessage) {
    EXPECT_EQ(run("level-text", {file("junk.lev", "\xff\x40")}), 1);
    EXPECT_NE(err_.str().find("not a level file"), std::string::npos);
    EXPECT_EQ(run("level-text", {file("hello.lev", encodeArchiveString("hello"))}), 1);
    EXPECT_EQ(run("level-info", {(dir_ / "none.lev").string()}), 1);
    EXPECT_FALSE(err_.str().empty());
    EXPECT_EQ(run("level-text", {}), 2) << "usage error";

    // A text that does not parse must not replace an existing file.
    const std::string target = file("keep.lev", "precious");
    EXPECT_EQ(run("level-pack", {file("bad.txt", "{Trundlex1}{1}{n}{c}{1}{1}"), target}), 1);
    EXPECT_EQ(slurp(target), "precious");
}

}  // namespace
}  // namespace trundlex::tool
