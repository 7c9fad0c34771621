#include <gtest/gtest.h>

#include <QImage>

#include "level/Archive.h"
#include "render/MaterialStyle.h"
#include "support/AsciiLevel.h"
#include "support/TempFolder.h"
#include "support/ToolRunner.h"

namespace trundlex::testing {
namespace {

TEST(RenderCommand, DrawsAPictureOfExactlyTheLevelsSize) {
    const TempFolder folder;
    const std::string lev =
        folder.write("r.lev", encodeArchiveString(asciiLevel({"#..", "..~"}).toText()));
    const std::string png = folder / "r.png";
    ToolRunner tool;
    ASSERT_EQ(tool.run("render", {lev, png, "--block-size", "7"}), 0) << tool.err();
    QImage image(QString::fromStdString(png));
    ASSERT_EQ(image.size(), QSize(21, 14));
    EXPECT_EQ(image.pixelColor(3, 3), kindColour(Wall));
    EXPECT_EQ(image.pixelColor(10, 3), kindColour(Grass));
    EXPECT_EQ(image.pixelColor(17, 10), kindColour(Water));

    ASSERT_EQ(tool.run("render", {lev, png, "--grid"}), 0);
    image.load(QString::fromStdString(png));
    ASSERT_EQ(image.size(), QSize(60, 40)) << "20 pixels a block by default";
    EXPECT_EQ(image.pixel(20, 5), qRgb(0, 0, 0)) << "a grid line";

    EXPECT_EQ(tool.run("render", {folder / "none.lev", png}), 1);
}

TEST(RenderCommand, ModernLookOnlyWhenAskedFor) {
    const TempFolder folder;
    const std::string lev = folder.write("r.lev", encodeArchiveString(asciiLevel({"~~", "~~"}).toText()));
    const std::string png = folder / "r.png";
    ToolRunner tool;
    ASSERT_EQ(tool.run("render", {lev, png, "--look", "modern"}), 0) << tool.err();
    const QColor water = QImage(QString::fromStdString(png)).pixelColor(20, 20);
    EXPECT_NE(water, kindColour(Water));
    EXPECT_GT(water.blue(), 2 * water.red()) << "still water";
    EXPECT_EQ(tool.run("render", {lev, png, "--look", "fancy"}), tool::kUsageError);
}

}  // namespace
}  // namespace trundlex::testing
