// The modern look: every pixel well inside a region shows the colour family of the material
// the ball feels there, and a modern ball stays inside the rectangle the window restores.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>

#include "ball/Ball.h"
#include "level/Level.h"
#include "render/BallLook.h"
#include "render/ModernBall.h"
#include "render/ModernRenderer.h"

namespace trundlex {
namespace {

// Tells the kinds apart by hue, saturation and brightness alone.
int kindByColour(QRgb rgb) {
    const QColor c = QColor::fromRgb(rgb).toHsv();
    const double s = c.saturationF();
    const double v = c.valueF();
    if (s < 0.3 && v < 0.4) {
        return Cup;
    }
    if (s < 0.35 && v > 0.6) {
        return Ice;
    }
    const int h = c.hue();
    if (h < 20 || h > 330) {
        return Wall;
    }
    if (h < 65) {
        return Sand;
    }
    return h < 170 ? Grass : Water;
}

// Checks the middle block of a 3 x 3 level at pixels whose neighbourhood lies wholly on one
// side of the shape's edge; returns how many pixels were checked.
int checkMiddleBlock(ModernRenderer& renderer, const Block& block, int size) {
    Level level(3, 3);
    level.block(1, 1) = block;
    const QImage image = renderer.renderLevel(level, size);
    int checked = 0;
    for (int y = 3; y < size - 3; y += 2) {
        for (int x = 3; x < size - 3; x += 2) {
            auto side = [&](int dx, int dy) {
                return block.inFront((x + dx + 0.5) / size, (y + dy + 0.5) / size);
            };
            const bool front = side(0, 0);
            if (side(-3, -3) != front || side(3, -3) != front || side(-3, 3) != front ||
                side(3, 3) != front) {
                continue;
            }
            const int felt = block.kindAt((x + 0.5) / size, (y + 0.5) / size);
            EXPECT_EQ(kindByColour(image.pixel(size + x, size + y)), felt)
                << "shape " << block.shape() << " rotation " << block.rotation() << " block "
                << block.toText() << " at " << x << "," << y;
            ++checked;
            if (::testing::Test::HasFailure()) {
                return checked;
            }
        }
    }
    return checked;
}

TEST(ModernLook, EveryShapeRotationAndMaterialShowsTheKindTheBallFeels) {
    ModernRenderer renderer;
    constexpr int kSize = 40;
    for (int kind = 0; kind < MaterialKindCount; ++kind) {
        for (int slope = 0; slope <= Flat; ++slope) {
            const Material material(kind, slope);
            // The material as the front on grass and as the back behind a contrasting front.
            const Material other(kind == Grass ? Sand : Grass, Flat);
            for (int shape = 0; shape < BlockShapeCount; ++shape) {
                for (int rotation = 0; rotation < 4; ++rotation) {
                    for (const bool asFront : {true, false}) {
                        Block block;
                        block.setShape(shape);
                        block.setRotation(rotation);
                        block.back() = asFront ? other : material;
                        block.front() = asFront ? material : other;
                        EXPECT_GT(checkMiddleBlock(renderer, block, kSize), 20);
                        if (HasFailure()) {
                            return;
                        }
                    }
                }
            }
        }
    }
}

TEST(ModernLook, BallAndItsShadowStayInTheRectangleTheWindowRestores) {
    const Level level(4, 3);
    for (const bool waiting : {false, true}) {
        Ball ball;
        ball.SetLevel(level);
        ball.SetX(1.37);
        ball.SetY(0.91);
        BallLook look(BallStyle{0x00E6E6E6, 0, true});
        look.setGeometry(7, 3, 40);
        look.setMargin(modernBallMargin(40));
        QImage image(200, 140, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        drawModernBall(painter, ball, look, waiting);
        painter.end();
        const PixelRect r = look.boundingRect(ball);
        const QRect allowed(r.left, r.top, r.right - r.left, r.bottom - r.top);
        int drawn = 0;
        for (int i = 0; i < image.width() * image.height(); ++i) {
            const QPoint p(i % image.width(), i / image.width());
            if (qAlpha(image.pixel(p)) != 0) {
                ++drawn;
                ASSERT_TRUE(allowed.contains(p)) << "waiting " << waiting << " at " << p.x() << "," << p.y();
            }
        }
        EXPECT_GT(drawn, 600);
    }
}

// On a screen of device pixel ratio 2 the ball must come from pictures made at that density,
// not from ones made for ratio 1 and enlarged (blurred edges).
TEST(ModernLook, BallIsAsSharpAtRatioTwoAsDrawnTwiceAsLarge) {
    const Level level(4, 3);
    Ball ball;
    ball.SetLevel(level);
    ball.SetX(1.37);
    QImage images[2];
    for (const int ratio : {1, 2}) {
        BallLook look(BallStyle{0x0040C0FF, BallPatternCount, false});
        look.setGeometry(14 / ratio, 6 / ratio, 80 / ratio);  // the same device pixels
        images[ratio - 1] = QImage(400, 280, QImage::Format_ARGB32_Premultiplied);
        images[ratio - 1].fill(Qt::transparent);
        images[ratio - 1].setDevicePixelRatio(ratio);
        QPainter painter(&images[ratio - 1]);
        drawModernBall(painter, ball, look, false);
    }
    images[1].setDevicePixelRatio(1);
    EXPECT_EQ(images[0], images[1]);
}

}  // namespace
}  // namespace trundlex
