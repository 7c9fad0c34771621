#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "Commands.h"
#include "level/Archive.h"
#include "support/AsciiLevel.h"

namespace trundlex::tool {
namespace {

namespace fs = std::filesystem;

TEST(RenderCommand, DrawsAPictureOfExactlyTheLevelsSize) {
    const fs::path dir = fs::temp_directory_path() / "trundlex-render-test";
    fs::create_directories(dir);
    const std::string lev = (dir / "r.lev").string();
    const std::string png = (dir / "r.png").string();
    std::ofstream(lev, std::ios::binary)
        << encodeArchiveString(trundlex::testing::asciiLevel({"#..", "..~"}).toText());

    std::ostringstream out;
    std::ostringstream err;
    const Command render = renderCommands().at(0);
    ASSERT_EQ(render.run(std::vector<std::string>{lev, png, "--block-size", "7"}, out, err), 0)
        << err.str();
    QImage image(QString::fromStdString(png));
    ASSERT_EQ(image.size(), QSize(21, 14));
    EXPECT_EQ(image.pixel(3, 3), qRgb(97, 1, 18));
    EXPECT_EQ(image.pixel(10, 3), qRgb(20, 128, 20));
    EXPECT_EQ(image.pixel(17, 10), qRgb(0, 0, 198));

    ASSERT_EQ(render.run(std::vector<std::string>{lev, png, "--grid"}, out, err), 0);
    image.load(QString::fromStdString(png));
    ASSERT_EQ(image.size(), QSize(60, 40)) << "20 pixels a block by default";
    EXPECT_EQ(image.pixel(20, 5), qRgb(0, 0, 0)) << "a grid line";

    EXPECT_EQ(render.run(std::vector<std::string>{lev, png, "--block-size", "0"}, out, err), 2);
    EXPECT_EQ(render.run(std::vector<std::string>{lev, png, "--block-size", "x"}, out, err), 2);
    EXPECT_EQ(render.run(std::vector<std::string>{lev}, out, err), 2);
    EXPECT_EQ(render.run(std::vector<std::string>{(dir / "none.lev").string(), png}, out, err), 1);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace trundlex::tool
