#include <gtest/gtest.h>

#include "level/Archive.h"
#include "support/TempFolder.h"
#include "support/ToolRunner.h"

namespace trundlex::testing {
namespace {

const std::string kText =
    "{Trundlex1}\r\n{77}\r\n{Tiny}{Tester}\r\n{2}{2}\r\n{1.250000}{0.500000}\r\n"
    "{S0T8}{$}\r\n{$}{C0G8H8}\r\n";

class LevelCommandsTest : public ::testing::Test {
protected:
    TempFolder folder;
    ToolRunner tool;
};

TEST_F(LevelCommandsTest, PackThenTextGivesTheSameBytes) {
    const std::string lev = folder / "tiny.lev";
    ASSERT_EQ(tool.run("level-pack", {folder.write("tiny.txt", kText), lev}), 0) << tool.err();
    EXPECT_EQ(readBytes(lev), encodeArchiveString(kText)) << "the ID is kept";
    ASSERT_EQ(tool.run("level-text", {lev}), 0) << tool.err();
    EXPECT_EQ(tool.out(), kText);
}

TEST_F(LevelCommandsTest, InfoListsTheHeader) {
    ASSERT_EQ(tool.run("level-info", {folder.write("t.lev", encodeArchiveString(kText))}), 0);
    EXPECT_EQ(
        tool.out(),
        "name: Tiny\ncreator: Tester\nid: 77\nwidth: 2\nheight: 2\nstart: 1.250000 0.500000\n");
}

TEST_F(LevelCommandsTest, BadInputFailsWithAMessage) {
    EXPECT_EQ(tool.run("level-text", {folder.write("junk.lev", "\xff\x40")}), 1);
    EXPECT_NE(tool.err().find("not a level file"), std::string::npos);
    EXPECT_EQ(tool.run("level-text", {folder.write("hello.lev", encodeArchiveString("hello"))}), 1);
    EXPECT_EQ(tool.run("level-info", {folder / "none.lev"}), 1);
    EXPECT_FALSE(tool.err().empty());

    // A text that does not parse must not replace an existing file.
    const std::string target = folder.write("keep.lev", "precious");
    EXPECT_EQ(
        tool.run("level-pack", {folder.write("bad.txt", "{Trundlex1}{1}{n}{c}{1}{1}"), target}), 1);
    EXPECT_EQ(readBytes(target), "precious");
}

}  // namespace
}  // namespace trundlex::testing
