// Copied blocks as clipboard text: what one editor writes, another reads back, and what it
// makes of text that is not theirs.
#include <gtest/gtest.h>

#include "model/LevelRegion.h"
#include "model/RegionText.h"
#include "support/AsciiLevel.h"

namespace trundlex {
namespace {

using testing::asciiLevel;
using testing::asciiRows;

// Shaped, turned and sloped blocks, so that every part of a block's code must come along.
Level pieceOfLevel() {
    Level level = asciiLevel({"#i.s", "~<>.", "..^v"});
    Block& shaped = level.block(3, 0);
    shaped.setShape(Triangle);
    shaped.setRotation(3);
    shaped.back() = Material(Ice, SlopeDownLeft);
    shaped.front() = Material(Sand, SlopeUp);
    return level;
}

void expectSameBlocks(const Level& read, const Level& region) {
    ASSERT_EQ(read.width(), region.width());
    ASSERT_EQ(read.height(), region.height());
    for (std::int32_t r = 0; r < region.height(); ++r) {
        for (std::int32_t c = 0; c < region.width(); ++c) {
            EXPECT_EQ(read.block(c, r), region.block(c, r)) << c << ", " << r;
        }
    }
}

TEST(RegionText, RegionsOfEverySizeComeBackWithTheirBlocks) {
    const Level level = pieceOfLevel();
    const CellRect rects[] = {{0, 0, 4, 3}, {3, 0, 1, 1}, {1, 0, 1, 3}, {0, 1, 4, 1}, {2, 0, 2, 2}};
    for (const CellRect& rect : rects) {
        const Level region = copyRegion(level, rect);
        Level read;
        ASSERT_EQ(readRegionText(regionText(region), read), RegionTextResult::Read)
            << rect.width << " x " << rect.height;
        expectSameBlocks(read, region);
    }
}

TEST(RegionText, TheTextIsALevelTextTheGameReads) {
    const Level region = copyRegion(pieceOfLevel(), {0, 0, 4, 3});
    Level asTheGameReads;
    ASSERT_TRUE(asTheGameReads.fromText(regionText(region)));
    expectSameBlocks(asTheGameReads, region);
    // And a whole level's text, as a text editor shows a level's source, pastes as blocks.
    Level read;
    ASSERT_EQ(readRegionText("Copied from a file:\n" + pieceOfLevel().toText(), read),
              RegionTextResult::Read);
    EXPECT_EQ(asciiRows(read), asciiRows(pieceOfLevel()));
}

TEST(RegionText, OtherTextIsNoBlocksAndLeavesTheRegion) {
    const Level region = copyRegion(pieceOfLevel(), {0, 0, 2, 2});
    for (const std::string text : {"", "hello", "{hello}{}{}{}{2}{2}{1}{1}{$}{$}{$}{$}", "{}",
                                   "{", "}{", "https://example.org/{x}"}) {
        Level read = region;
        EXPECT_EQ(readRegionText(text, read), RegionTextResult::NotBlocks) << text;
        expectSameBlocks(read, region);
    }
}

TEST(RegionText, TextCutShortAnywhereIsDamagedAndLeavesTheRegion) {
    const Level region = copyRegion(pieceOfLevel(), {0, 0, 4, 3});
    const std::string text = regionText(region);
    const std::size_t tagEnd = text.find('}') + 1;
    const std::size_t lastField = text.rfind('}');
    for (std::size_t length = tagEnd; length < lastField; ++length) {
        Level read = pieceOfLevel();
        ASSERT_EQ(readRegionText(text.substr(0, length), read), RegionTextResult::Damaged)
            << text.substr(0, length);
        EXPECT_EQ(asciiRows(read), asciiRows(pieceOfLevel()));
    }
}

TEST(RegionText, ASizeOrBlockThatCannotBeIsRefused) {
    const Level region = copyRegion(pieceOfLevel(), {0, 0, 3, 2});
    const std::string text = regionText(region);
    const std::string size = "{3}{2}";
    ASSERT_NE(text.find(size), std::string::npos);
    const auto withSize = [&](const std::string& fields) {
        std::string changed = text;
        changed.replace(changed.find(size), size.size(), fields);
        return changed;
    };
    Level read;
    for (const char* bad : {"{0}{2}", "{3}{-2}", "{x}{2}", "{2.5}{2}", "{}{2}", "{3 }{2}"}) {
        EXPECT_EQ(readRegionText(withSize(bad), read), RegionTextResult::Damaged) << bad;
    }
    const std::string maxSide = std::to_string(Level::MaxEditorSide);
    const std::string beyond = std::to_string(Level::MaxEditorSide + 1);
    EXPECT_EQ(readRegionText(withSize("{" + beyond + "}{2}"), read), RegionTextResult::TooLarge);
    EXPECT_EQ(readRegionText(withSize("{2}{2147483647}"), read), RegionTextResult::TooLarge);
    EXPECT_EQ(readRegionText(withSize("{99999999999999999999}{2}"), read),
              RegionTextResult::Damaged);
    // The most the editor makes, claimed by a text that holds only six blocks.
    EXPECT_EQ(readRegionText(withSize("{" + maxSide + "}{" + maxSide + "}"), read),
              RegionTextResult::Damaged);

    // A block field of two characters is no block.
    std::string badBlock = text;
    badBlock.insert(badBlock.rfind('{'), "{ab}");
    Level kept = region;
    EXPECT_EQ(readRegionText(badBlock, kept), RegionTextResult::Damaged);
    expectSameBlocks(kept, region);
}

}  // namespace
}  // namespace trundlex
