// The tiled backgrounds behind the game's playfield and the editor's level picture.
#include <gtest/gtest.h>

#include <QImage>

#include "render/ImageTiling.h"

namespace trundlex {
namespace {

// A 3 x 2 tile of six different colours, so that any misplaced pixel shows.
QImage sixColourTile(QImage::Format format) {
    QImage tile(3, 2, format);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            tile.setPixel(x, y, qRgb(40 * x + 10, 100 * y + 20, 200));
        }
    }
    return tile;
}

TEST(ImageTiling, RepeatsTheTileFromTheTopLeftCornerToEveryEdgeInAnyTileFormat) {
    const QImage expected = sixColourTile(QImage::Format_RGB32);
    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
        QImage image(11, 7, QImage::Format_RGB32);
        image.fill(Qt::black);
        fillTiled(image, sixColourTile(format));
        for (int i = 0; i < 11 * 7; ++i) {
            ASSERT_EQ(image.pixel(i % 11, i / 11), expected.pixel(i % 11 % 3, i / 11 % 2)) << i;
        }
    }
}

TEST(ImageTiling, ImagesItCannotFillAreLeftAlone) {
    QImage grey(4, 4, QImage::Format_Grayscale8);
    grey.fill(7);
    fillTiled(grey, sixColourTile(QImage::Format_RGB32));
    EXPECT_EQ(qGray(grey.pixel(3, 3)), 7);

    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    fillTiled(image, QImage());
    EXPECT_EQ(image.pixel(2, 2), qRgb(255, 0, 0)) << "a null tile changes nothing";
}

}  // namespace
}  // namespace trundlex
