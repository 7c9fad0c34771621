#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "level/Level.h"
#include "render/BlockRenderer.h"
#include "render/MaterialStyle.h"

namespace trundlex {
namespace {

QImage drawOne(std::string_view code, int size, int left = 0, int top = 0) {
    Block block;
    EXPECT_TRUE(block.fromText(code)) << code;
    QImage image(left + size, top + size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    BlockRenderer renderer;
    renderer.drawBlock(painter, block, left, top, size);
    return image;
}

QRgb rgb(int r, int g, int b) { return qRgb(r, g, b); }

TEST(MaterialStyle, DocumentedColours) {
    const QImage grass = drawOne("S0G8", 16);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            ASSERT_EQ(grass.pixel(x, y), rgb(20, 128, 20));
        }
    }
    const QImage cup = drawOne("S0H5", 16);
    EXPECT_EQ(cup.pixel(0, 0), rgb(0, 0, 0)) << "a sloped cup is plain black";
    EXPECT_EQ(cup.pixel(7, 3), rgb(0, 0, 0));

    const MaterialStyle wall = styleOf(Material(Wall, 7));
    EXPECT_EQ(wall.colour, QColor(67, 0, 0)) << "green clamps at 0";
    EXPECT_EQ(wall.lineColour, QColor(37, 0, 0));

    const QImage sloped = drawOne("S0G2", 16);
    EXPECT_EQ(sloped.pixel(0, 5), rgb(12, 120, 12)) << "vertical line at x = 0";
    EXPECT_EQ(sloped.pixel(8, 11), rgb(12, 120, 12)) << "and every 8 pixels";
    EXPECT_EQ(sloped.pixel(3, 5), rgb(42, 150, 42)) << "gaps in the shaded colour";

    for (int kind = 0; kind < MaterialKindCount; ++kind) {
        for (int slope = 0; slope < 8; ++slope) {
            if (kind == Cup) {
                continue;
            }
            const MaterialStyle style = styleOf(Material(kind, slope));
            const MaterialStyle opposite = styleOf(Material(kind, (slope + 4) % 8));
            const QColor flat = kindColour(kind);
            // Opposite slopes shade in opposite directions (before clamping).
            const int d = style.colour.red() - flat.red() + style.colour.green() - flat.green() +
                          style.colour.blue() - flat.blue();
            const int e = opposite.colour.red() - flat.red() + opposite.colour.green() -
                          flat.green() + opposite.colour.blue() - flat.blue();
            EXPECT_LE(d * e, 0) << kind << "/" << slope;
        }
    }
}

TEST(MaterialStyle, HatchLinesRunAlongTheFallLineEveryEightPixels) {
    // Drawn at an odd place so the pattern is seen to be anchored to the image, not the block.
    const int left = 5;
    const int top = 3;
    const int size = 32;
    for (int slope = 0; slope < 8; ++slope) {
        const std::string code = std::string("S0S") + char('0' + slope);
        const QImage image = drawOne(code, size, left, top);
        const MaterialStyle style = styleOf(Material(Sand, slope));
        int lines = 0;
        for (int y = top; y < top + size; ++y) {
            for (int x = left; x < left + size; ++x) {
                const QRgb p = image.pixel(x, y);
                ASSERT_TRUE(p == style.colour.rgb() || p == style.lineColour.rgb()) << slope;
                const bool line = p == style.lineColour.rgb();
                lines += line;
                bool expected = false;
                switch (slope % 4) {
                    case 0:
                        expected = y % 8 == 0;
                        break;
                    case 2:
                        expected = x % 8 == 0;
                        break;
                    case 1:  // rising: "/" on screen
                        expected = (x + y) % 8 == 7;
                        break;
                    default:  // falling: "\" on screen
                        expected = (x - y + 64) % 8 == 0;
                        break;
                }
                ASSERT_EQ(line, expected) << "slope " << slope << " at " << x << "," << y;
            }
        }
        EXPECT_EQ(lines, size * size / 8) << "one pixel in eight is a line";
    }
}

TEST(BlockRenderer, ShapesShowTheRegionsTheBallFeels) {
    for (char shape : {'C', 'T', 'P', 'M'}) {
        for (int rotation = 0; rotation < 4; ++rotation) {
            for (int size : {13, 40, 41}) {
                const std::string code = std::string(1, shape) + char('0' + rotation) + "G8W8";
                Block block;
                ASSERT_TRUE(block.fromText(code));
                const QImage image = drawOne(code, size);
                for (int y = 0; y < size; ++y) {
                    for (int x = 0; x < size; ++x) {
                        // Clearly inside or outside: all neighbouring pixel centres agree.
                        int inside = 0;
                        for (int dy = -1; dy <= 1; ++dy) {
                            for (int dx = -1; dx <= 1; ++dx) {
                                inside += block.inFront((x + dx + 0.5) / size,
                                                        (y + dy + 0.5) / size);
                            }
                        }
                        if (inside != 0 && inside != 9) {
                            continue;
                        }
                        const QRgb want = inside == 9 ? rgb(0, 0, 198) : rgb(20, 128, 20);
                        ASSERT_EQ(image.pixel(x, y), want)
                            << code << " size " << size << " at " << x << "," << y;
                    }
                }
            }
        }
    }
}

TEST(BlockRenderer, PlainShapedBlockDrawsOneSquare) {
    const QImage image = drawOne("T1W8W8", 20);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            ASSERT_EQ(image.pixel(x, y), rgb(0, 0, 198));
        }
    }
}

TEST(BlockRenderer, LevelWithGrid) {
    Level level(3, 2);
    ASSERT_TRUE(level.block(2, 1).fromText("S0T8"));
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    BlockRenderer renderer;
    renderer.drawLevel(painter, level, 4, 5, 10, true);
    painter.end();

    const QRgb black = rgb(0, 0, 0);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            const bool onVertical = (x - 4) % 10 == 0 && x >= 4 && x <= 34 && y >= 5 && y < 25;
            const bool onHorizontal = (y - 5) % 10 == 0 && y >= 5 && y <= 25 && x >= 4 && x < 34;
            const bool inLevel = x >= 4 && x < 34 && y >= 5 && y < 25;
            QRgb want = rgb(255, 255, 255);
            if (onVertical || onHorizontal) {
                want = black;
            } else if (inLevel) {
                want = (x >= 24 && y >= 15) ? rgb(97, 1, 18) : rgb(20, 128, 20);
            }
            ASSERT_EQ(image.pixel(x, y), want) << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace trundlex
