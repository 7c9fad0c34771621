#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "level/Archive.h"
#include "level/Level.h"
#include "level/LevelFile.h"
#include "support/SwedishLocale.h"
#include "support/TempFolder.h"

namespace trundlex {
namespace {

const std::string kDemoText =
    "{Trundlex1}\r\n"
    "{42}\r\n"
    "{Demo}{Team}\r\n"
    "{2}{2}\r\n"
    "{1.000000}{1.000000}\r\n"
    "{$}{S0T8}\r\n"
    "{C0G8H8}{$}\r\n";

Level demoLevel() {
    Level level(2, 2, "Demo", "Team");
    level.setId("42");
    level.setStart(1.0, 1.0);
    EXPECT_TRUE(level.block(1, 0).fromText("S0T8"));
    EXPECT_TRUE(level.block(0, 1).fromText("C0G8H8"));
    return level;
}

// A level text with the size and start fields as given and `cells` default cells.
std::string levelText(const std::string& sizeAndStart, int cells) {
    std::string text = "{Trundlex1}{1}{n}{c}" + sizeAndStart;
    for (int i = 0; i < cells; ++i) {
        text += "{$}";
    }
    return text;
}

std::string fourByFour(const std::string& start) {
    return levelText("{4}{4}" + start, 16);
}

class LevelFileTest : public ::testing::Test {
protected:
    testing::TempFolder folder;
};

TEST(LevelText, WritesAndReadsTheDemoLevelByteForByte) {
    EXPECT_EQ(demoLevel().toText(), kDemoText);
    Level level;
    ASSERT_TRUE(level.fromText(kDemoText));
    Level expected = demoLevel();
    expected.setModified(false);
    EXPECT_EQ(level, expected);
    EXPECT_EQ(level.materialKindAt(0.5, 1.5), Cup);
    EXPECT_TRUE(level.isWallAt(1.5, 0.5));
}

TEST(LevelText, RoundTripKeepsEverythingThatMatters) {
    Level level(7, 5, "Name with\r\nnew line and \xe5\xe4\xf6", "Creator \"x\"");
    level.setId("-123456789020261234121107");
    level.setStart(2.1234567, 3.5);
    const char* codes[] = {"T1G8W8", "S2I2", "P0S8G8", "M3T8G0", "C0G8H8", "S0W8", "T3T8T8"};
    for (int i = 0; i < 7; ++i) {
        ASSERT_TRUE(level.block(i, i % 5).fromText(codes[i]));
    }
    Level copy;
    ASSERT_TRUE(copy.fromText(level.toText()));
    EXPECT_EQ(copy.toText(), level.toText());
    EXPECT_EQ(copy.name(), level.name());
    EXPECT_EQ(copy.creator(), level.creator());
    EXPECT_EQ(copy.id(), level.id());
    EXPECT_EQ(copy.startX(), 2.123457) << "the start comes back rounded to six decimals";
    EXPECT_EQ(copy.block(4, 4).toText(), "C0G8H8");
}

TEST(LevelText, VersionTags) {
    std::string alfa2 = kDemoText;
    alfa2.replace(1, 9, "Trundlex alfa2");
    Level level;
    ASSERT_TRUE(level.fromText(alfa2));
    EXPECT_EQ(level.toText(), kDemoText);

    const Level untouched = level;
    for (std::string bad : {std::string("{Trundlex2}") + kDemoText.substr(11),
                            std::string("no braces at all"), std::string()}) {
        EXPECT_FALSE(level.fromText(bad));
        EXPECT_EQ(level, untouched) << "a refused text changes nothing";
    }
}

TEST(LevelText, OldAlphaFilesConvertTheirSlopeDigits) {
    // Old files numbered slopes with 0 = flat; their digits are mapped through 810765432.
    const std::string old =
        "{Trunldex alfa1}\r\n{7}\r\n{Old}{Me}\r\n{2}{2}\r\n{1.0}{1.0}\r\n"
        "{S0G0}{S0I1}\r\n{T1G2W8}{C0H5S3}\r\n";
    Level level;
    ASSERT_TRUE(level.fromText(old));
    EXPECT_TRUE(level.block(0, 0).isDefault()) << "old 0 is flat";
    EXPECT_EQ(level.block(1, 0).toText(), "S0I1");
    EXPECT_EQ(level.block(0, 1).toText(), "T1G0W2");
    EXPECT_EQ(level.block(1, 1).toText(), "C0H5S7");
    EXPECT_EQ(level.toText().substr(0, 11), "{Trundlex1}") << "written back in today's format";
}

TEST(LevelText, RefusesTooSmallSizesUnchanged) {
    Level level = demoLevel();
    level.setModified(false);
    const Level before = level;
    for (std::string header : {"{1}{5}", "{5}{1}", "{}{}", "{-4}{4}", "{abc}{3}"}) {
        EXPECT_FALSE(level.fromText(levelText(header + "{1.0}{1.0}", 50))) << header;
        EXPECT_EQ(level, before) << header;
    }
}

TEST(LevelText, ShortTextAppliesCellsUpToTheGap) {
    Level level;
    const std::string text =
        "{Trundlex1}\r\n{9}\r\n{N}{C}\r\n{2}{2}\r\n{1.0}{1.0}\r\n{S0W8}{S0I8}\r\n{S0S8}\r\n";
    EXPECT_FALSE(level.fromText(text));
    EXPECT_EQ(level.width(), 2);
    EXPECT_EQ(level.name(), "N");
    EXPECT_EQ(level.block(0, 0).toText(), "S0W8");
    EXPECT_EQ(level.block(1, 0).toText(), "S0I8");
    EXPECT_EQ(level.block(0, 1).toText(), "S0S8");
    EXPECT_TRUE(level.isModified());

    Level emptyCell;
    EXPECT_FALSE(
        emptyCell.fromText("{Trundlex1}{9}{N}{C}{2}{2}{1.0}{1.0}{S0W8}{}{S0S8}{S0S8}{S0S8}{S0S8}"));
    EXPECT_EQ(emptyCell.block(0, 0).toText(), "S0W8");
    EXPECT_TRUE(emptyCell.block(1, 0).isDefault()) << "reading stops at the empty field";
}

TEST(LevelText, HostileSizesAreRefusedBeforeAllocating) {
    // A 32-bit product of these sizes overflows and would slip past a naive bound.
    for (std::string size : {"{65536}{65536}", "{2147483647}{2147483647}", "{99999999999}{3}",
                             "{100000}{100000}", "{1000}{1000}"}) {
        Level level = demoLevel();
        const Level before = level;
        EXPECT_FALSE(level.fromText(levelText(size + "{1}{1}", 4))) << size;
        EXPECT_EQ(level, before) << size;
    }
}

TEST(LevelText, LargestSizeTheTextCanHoldStillReads) {
    Level level;
    ASSERT_TRUE(level.fromText(levelText("{300}{200}{1}{1}", 300 * 200)));
    EXPECT_EQ(level.width(), 300);
    EXPECT_EQ(level.height(), 200);
}

TEST(LevelText, DamagedStartNumbers) {
    Level level;
    ASSERT_TRUE(level.fromText(fourByFour("{nan}{1e999}")));
    EXPECT_DOUBLE_EQ(level.startX(), 0.35) << "a start that is no number reads as 0 and is clamped";
    EXPECT_DOUBLE_EQ(level.startY(), 0.35);

    ASSERT_TRUE(level.fromText(fourByFour("{ 2.5xyz}{-7}")));
    EXPECT_EQ(level.startX(), 2.5) << "leading digits count, like atof";
    EXPECT_DOUBLE_EQ(level.startY(), 0.35);
}

TEST(LevelText, NumbersUseAPointWhateverTheLocale) {
    testing::SwedishLocale swedish;
    if (!swedish.available()) {
        GTEST_SKIP() << "no Swedish locale with a decimal comma on this build "
                        "(scripts/install-deps.sh adds it; WebAssembly's C library has none)";
    }
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    ASSERT_STREQ(probe, "1,5") << "the locale is really active";

    EXPECT_EQ(demoLevel().toText(), kDemoText);
    Level level;
    ASSERT_TRUE(level.fromText(fourByFour("{2.75}{1.5}")));
    EXPECT_EQ(level.startX(), 2.75);
    EXPECT_EQ(level.startY(), 1.5);
}

TEST_F(LevelFileTest, DamagedFilesAreRefused) {
    const std::string good = encodeArchiveString(kDemoText);
    const std::string lies = std::string("\xff\xff\xff\xff\xff\xff\x7f", 7) + kDemoText;
    Level level = demoLevel();
    level.setModified(true);
    const Level before = level;
    for (const std::string& path :
         {folder.write("empty.lev", ""), folder.write("cut.lev", good.substr(0, good.size() - 5)),
          folder.write("prefix.lev", "\xff\x10"), folder.write("lies.lev", lies),
          folder.write("notes.lev", "\x0bhello world"),
          folder.write("notlevel.lev", encodeArchiveString("hello"))}) {
        EXPECT_EQ(loadLevelFile(path, level), LevelLoadResult::NotALevel) << path;
    }
    EXPECT_NE(loadLevelFile(folder.path().string(), level), LevelLoadResult::Loaded);
    EXPECT_EQ(loadLevelFile(folder / "missing.lev", level), LevelLoadResult::Unreadable);
    EXPECT_EQ(level, before) << "a refused file leaves the level untouched";
}

TEST_F(LevelFileTest, WritingGivesANewIdFromBlocksAndTimeAndReadsBack) {
    std::tm time{};
    time.tm_year = 2026 - 1900;
    time.tm_mon = 11;
    time.tm_yday = 340;
    time.tm_mday = 7;
    time.tm_hour = 9;
    time.tm_min = 59;
    time.tm_sec = 5;
    const LocalClock clock = [time] { return time; };

    Level level = demoLevel();
    level.setModified(true);
    std::ostringstream out;
    ArchiveWriter writer(out);
    ASSERT_TRUE(level.writeTo(writer, clock));
    EXPECT_FALSE(level.isModified());
    // Every 2 x 2 level has the same time part; only the hash depends on the blocks.
    const std::string timePart = "202612341090705";
    ASSERT_GT(level.id().size(), timePart.size());
    EXPECT_EQ(level.id().substr(level.id().size() - timePart.size()), timePart);

    Level other = demoLevel();
    ASSERT_TRUE(other.block(0, 0).fromText("S0S8"));
    EXPECT_NE(makeLevelId(other, time), level.id()) << "different blocks, different hash";
    Level turned = demoLevel();
    turned.block(0, 1).setRotation(2);
    EXPECT_EQ(makeLevelId(turned, time), level.id()) << "rotation does not take part";
    turned.block(0, 1).setShape(Triangle);
    EXPECT_NE(makeLevelId(turned, time), level.id()) << "the shape does";

    Level reread;
    const std::string file = folder.write("saved.lev", out.str() + "trailing bytes are ignored");
    ASSERT_EQ(loadLevelFile(file, reread), LevelLoadResult::Loaded);
    EXPECT_EQ(reread.id(), level.id());
    EXPECT_EQ(reread.toText(), level.toText());
    EXPECT_FALSE(reread.isModified());
}

}  // namespace
}  // namespace trundlex
