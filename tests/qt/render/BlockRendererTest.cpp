#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "level/Level.h"
#include "render/BlockRenderer.h"
#include "render/MaterialStyle.h"

namespace trundlex {
namespace {

QImage drawOne(std::string_view code, int size) {
    Block block;
    EXPECT_TRUE(block.fromText(code)) << code;
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    BlockRenderer().drawBlock(painter, block, 0, 0, size);
    return image;
}

TEST(MaterialStyle, OppositeSlopesShadeInOppositeDirectionsAndCupsShowNoSlope) {
    for (int kind = 0; kind < MaterialKindCount; ++kind) {
        for (int slope = 0; slope < 8 && kind != Cup; ++slope) {
            const QColor flat = kindColour(kind);
            const auto shade = [&](int s) {
                const QColor c = styleOf(Material(kind, s)).colour;
                return c.red() - flat.red() + c.green() - flat.green() + c.blue() - flat.blue();
            };
            EXPECT_LE(shade(slope) * shade((slope + 4) % 8), 0) << kind << "/" << slope;
        }
    }
    EXPECT_EQ(drawOne("S0H5", 16), drawOne("S0H8", 16)) << "a sloped cup is a plain cup";
}

TEST(MaterialStyle, HatchLinesRunAlongTheFallLineAndGoOnIntoTheNextBlock) {
    // The fall line on screen for slopes 0 ... 3 (right, up-right, up, up-left); 4 ... 7 have
    // the same lines.
    const int along[4][2] = {{1, 0}, {1, -1}, {0, -1}, {-1, -1}};
    for (int slope = 0; slope < 8; ++slope) {
        Block block;
        block.back() = Material(Sand, slope);
        const MaterialStyle style = styleOf(block.back());
        // Two blocks side by side, drawn one at a time at an odd place: the lines are
        // anchored to the picture, so they run on from one block into the next.
        QImage image(72, 39, QImage::Format_RGB32);
        QPainter painter(&image);
        BlockRenderer renderer;
        renderer.drawBlock(painter, block, 0, 3, 36);
        renderer.drawBlock(painter, block, 36, 3, 36);
        painter.end();
        int lines = 0;
        for (int i = 72 * 3; i < 72 * 39; ++i) {
            const QRgb p = image.pixel(i % 72, i / 72);
            ASSERT_TRUE(p == style.colour.rgb() || p == style.lineColour.rgb()) << slope;
            const int nx = i % 72 + along[slope % 4][0];
            const int ny = i / 72 + along[slope % 4][1];
            if (p == style.lineColour.rgb()) {
                ++lines;
                if (nx >= 0 && nx < 72 && ny >= 3) {
                    ASSERT_EQ(image.pixel(nx, ny), p) << "slope " << slope << " at pixel " << i;
                }
            }
        }
        EXPECT_NEAR(lines, 72 * 36 / 8, 72 * 36 / 32) << "one pixel in eight, slope " << slope;
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
                        for (int d = 0; d < 9; ++d) {
                            inside +=
                                block.inFront((x + d % 3 - 0.5) / size, (y + d / 3 - 0.5) / size);
                        }
                        if (inside == 0 || inside == 9) {
                            ASSERT_EQ(image.pixel(x, y),
                                      kindColour(inside == 9 ? Water : Grass).rgb())
                                << code << " size " << size << " at " << x << "," << y;
                        }
                    }
                }
            }
        }
    }
}

TEST(BlockRenderer, PlainShapedBlockDrawsOneSquare) {
    EXPECT_EQ(drawOne("T1W8W8", 20), drawOne("S0W8", 20));
}

TEST(BlockRenderer, LevelWithGridLinesOnEveryBlockEdge) {
    Level level(3, 2);
    ASSERT_TRUE(level.block(2, 1).fromText("S0T8"));
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    BlockRenderer().drawLevel(painter, level, 4, 5, 10, true);
    painter.end();
    for (int i = 0; i < 40 * 30; ++i) {
        const int x = i % 40 - 4;  // from the level's top-left corner
        const int y = i / 40 - 5;
        const bool inLevel = x >= 0 && x < 30 && y >= 0 && y < 20;
        const bool line = (x % 10 == 0 && x >= 0 && x <= 30 && y >= 0 && y < 20) ||
                          (y % 10 == 0 && y >= 0 && y <= 20 && x >= 0 && x < 30);
        const QRgb want = line       ? qRgb(0, 0, 0)
                          : !inLevel ? qRgb(255, 255, 255)
                                     : kindColour(x >= 20 && y >= 10 ? Wall : Grass).rgb();
        ASSERT_EQ(image.pixel(i % 40, i / 40), want) << x << "," << y;
    }
}

}  // namespace
}  // namespace trundlex
