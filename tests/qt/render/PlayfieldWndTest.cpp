#include <gtest/gtest.h>

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>

#include "ball/Ball.h"
#include "render/BallRenderer.h"
#include "render/MaterialStyle.h"
#include "render/PlayfieldWnd.h"
#include "support/AsciiLevel.h"
#include "support/SilentBallOwner.h"

namespace trundlex {
namespace {

// Records which parts of the window were repainted.
class RecordingPlayfield : public PlayfieldWnd {
public:
    QRegion painted;
    int stops = 0;
    bool lastInCup = false;

protected:
    void paintEvent(QPaintEvent* event) override {
        painted += event->region();
        PlayfieldWnd::paintEvent(event);
    }
    void onBallStopped(bool inCup) override {
        ++stops;
        lastInCup = inCup;
    }
};

QRect toQRect(const PixelRect& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void settle() {
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
    }
}

TEST(PlayfieldWnd, ScalesTheLevelToTheWindow) {
    PlayfieldWnd wnd;
    wnd.resize(600, 500);
    wnd.level() = testing::asciiLevel(std::vector<std::string_view>(8, ".........."));
    wnd.show();
    wnd.refresh(true);
    EXPECT_EQ(wnd.blockSize(), 52);
    EXPECT_EQ(wnd.frame().size(), QSize(560, 456));
    EXPECT_EQ(wnd.pixelToLevel(60, 60), QPointF(0.0, 0.0));
    EXPECT_EQ(wnd.pixelToLevel(60 + 52 * 3.5, 60 + 52 * 2.25), QPointF(3.5, 2.25));

    wnd.setFrameOrigin(10, 115);
    EXPECT_EQ(wnd.pixelToLevel(30, 135), QPointF(0.0, 0.0));

    wnd.resize(300, 300);
    QApplication::processEvents();
    EXPECT_EQ(wnd.blockSize(), 18) << "resizing rebuilds at the new scale, below the origin";
    EXPECT_EQ(wnd.frame().size(), QSize(18 * 10 + 40, 18 * 8 + 40));

    wnd.resize(50, 50);
    QApplication::processEvents();
    EXPECT_EQ(wnd.blockSize(), 1) << "a tiny window still draws one pixel per block";
    EXPECT_EQ(wnd.frame().size(), QSize(50, 48));
}

TEST(PlayfieldWnd, BackgroundShowsTheLevelInsideTheBorder) {
    PlayfieldWnd wnd;
    wnd.resize(400, 400);
    wnd.level() = testing::asciiLevel({"#.", ".~"});
    wnd.refresh(false);
    const QImage& bg = wnd.background();
    const int b = wnd.border();
    const int bs = wnd.blockSize();
    EXPECT_EQ(bg.pixelColor(b + 1, b + 1), kindColour(Wall));
    EXPECT_EQ(bg.pixelColor(b + bs + 1, b + 1), kindColour(Grass));
    EXPECT_EQ(bg.pixelColor(b + 2 * bs - 1, b + 2 * bs - 1), kindColour(Water));
    EXPECT_NE(bg.pixelColor(b - 1, b + 1), kindColour(Wall)) << "the border";
}

TEST(PlayfieldWnd, CaptionShowsTheCreatorOnlyWhenThereIsOne) {
    // The caption is green text in the top border: a longer caption covers more pixels.
    const auto captionPixels = [](const char* creator) {
        PlayfieldWnd wnd;
        wnd.resize(400, 300);
        wnd.level().setName("Hole");
        wnd.level().setCreator(creator);
        wnd.refresh(false);
        const QImage& top = wnd.background();
        int n = 0;
        for (int i = 0; i < 20 * top.width(); ++i) {
            n += qGreen(top.pixel(i % top.width(), i / top.width())) > 150;
        }
        return n;
    };
    EXPECT_GT(captionPixels(""), 0);
    EXPECT_GT(captionPixels("Ann"), captionPixels(""));
}

TEST(PlayfieldWnd, BallMoveRepaintsOnlyTheOldAndNewBallRectangles) {
    RecordingPlayfield wnd;
    wnd.resize(500, 500);
    wnd.level() = testing::asciiLevel(std::vector<std::string_view>(10, ".........."));
    wnd.ownBall().SetLevel(wnd.level());
    wnd.show();
    wnd.refresh(true);
    settle();

    const PixelRect before = wnd.ballRect();
    wnd.ownBall().SetX(wnd.ownBall().GetX() + 0.3);
    wnd.painted = QRegion();
    wnd.onBallMessage(0, BallMoved);
    settle();
    const PixelRect after = wnd.ballRect();
    ASSERT_NE(before, after);

    const QRect allowed = toQRect(before).united(toQRect(after));
    ASSERT_FALSE(wnd.painted.isEmpty());
    EXPECT_TRUE((wnd.painted - allowed.translated(wnd.frameLeft(), wnd.frameTop())).isEmpty());

    // The frame outside the new ball equals the background: no trail is left.
    QImage withoutBall = wnd.frame().copy();
    QPainter(&withoutBall).drawImage(toQRect(after), wnd.background(), toQRect(after));
    EXPECT_EQ(withoutBall, wnd.background());
}

// A next hole whose frame starts lower, in a centred window, used to leave the old frame's
// top line standing above the new frame: the header strip was never repainted.
TEST(PlayfieldWnd, ANextHoleThatStartsLowerRepaintsEveryPixelTheLastFrameCovered) {
    for (const Look look : {Look::Modern, Look::Classic}) {
        RecordingPlayfield wnd;
        wnd.setLook(look);
        wnd.resize(900, 600);
        wnd.setCentred(QMargins(48, 120, 10, 10));
        wnd.level() = testing::asciiLevel(std::vector<std::string_view>(8, "........"));
        wnd.show();
        wnd.refresh(true);
        settle();
        const QRect before(QPoint(wnd.frameLeft(), wnd.frameTop()), wnd.frameSize());

        wnd.level() = testing::asciiLevel(std::vector<std::string_view>(6, "...................."));
        wnd.painted = QRegion();
        wnd.refresh(true);
        settle();
        const QRect after(QPoint(wnd.frameLeft(), wnd.frameTop()), wnd.frameSize());
        ASSERT_GT(after.top(), before.top()) << "the new frame starts lower";
        EXPECT_TRUE((QRegion(before) - wnd.painted).isEmpty())
            << "left unpainted from y " << (QRegion(before) - wnd.painted).boundingRect().y();
    }
}

TEST(PlayfieldWnd, MoveWithoutACurrentBallChangesNothing) {
    RecordingPlayfield wnd;
    wnd.resize(300, 300);
    wnd.refresh(false);
    const QImage frame = wnd.frame();
    wnd.setBall(nullptr);
    wnd.onBallMessage(0, BallMoved);
    wnd.onBallMessage(0, BallStopped);
    EXPECT_EQ(wnd.frame(), frame);
    EXPECT_EQ(wnd.stops, 0);
}

TEST(PlayfieldWnd, StopRedrawsTheBallWhereTheRollEnded) {
    // After water the ball is back at its start: the frame must show it there, not in the pond.
    RecordingPlayfield wnd;
    wnd.resize(400, 400);
    wnd.level() = testing::asciiLevel(std::vector<std::string_view>(6, "......"));
    wnd.ownBall().SetLevel(wnd.level());
    wnd.refresh(false);
    const PixelRect atStart = wnd.ballRect();
    wnd.ownBall().SetX(4.5);
    wnd.onBallMessage(0, BallStopped);
    EXPECT_EQ(wnd.stops, 1);
    EXPECT_FALSE(wnd.lastInCup);
    EXPECT_NE(wnd.ballRect(), atStart);
    EXPECT_EQ(wnd.frame().pixel(atStart.left + 4, (atStart.top + atStart.bottom) / 2),
              wnd.background().pixel(atStart.left + 4, (atStart.top + atStart.bottom) / 2))
        << "the old ball is erased";
}

TEST(BallDrawing, EverythingDrawnLiesInTheBoundingRectangle) {
    const Level level = testing::asciiLevel({"....", "...."});
    for (int pattern = 0; pattern <= Ball::PatternCount; ++pattern) {
        Ball ball;
        ball.SetLevel(level);
        ball.SetX(1.37);
        ball.SetY(0.91);
        BallLook look(BallStyle{0x00E6E6E6, pattern, true});
        look.setGeometry(7, 3, 40);
        QImage image(200, 120, QImage::Format_RGB32);
        image.fill(qRgb(255, 0, 255));
        QPainter painter(&image);
        drawBall(painter, ball, look, false);
        painter.end();
        const PixelRect r = look.boundingRect(ball);
        int drawn = 0;
        int dots = 0;
        for (int i = 0; i < 200 * 120; ++i) {
            const QRgb p = image.pixel(i % 200, i / 200);
            if (p != qRgb(255, 0, 255)) {
                ++drawn;
                dots += p != fromRgbValue(look.style().colour).rgb() && p != qRgb(0, 0, 0);
                ASSERT_TRUE(toQRect(r).contains(i % 200, i / 200)) << "pattern " << pattern;
            }
        }
        EXPECT_GT(drawn, 600) << "a ball of radius 14 pixels";
        EXPECT_TRUE(pattern == Ball::PatternCount ? dots == 0 : dots > 20)
            << "pattern " << pattern << " (the last is plain) has " << dots << " dots";
    }
}

TEST(BallDrawing, DimmedAndSunkBalls) {
    const Level level = testing::asciiLevel({"...", ".O.", "..."});
    Ball ball;
    ball.SetLevel(level);
    // Red 255, green 192, blue 32.
    BallLook look(BallStyle{0x0020C0FF, Ball::PatternCount, false});
    look.setGeometry(0, 0, 40);
    QImage image(120, 120, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        drawBall(painter, ball, look, true);
    }
    EXPECT_EQ(image.pixel(60, 60), qRgb(165, 102, 0)) << "90 darker, clamped at 0";

    testing::SilentBallOwner owner;
    ASSERT_TRUE(ball.PuttNow(0.1, 0.0, &owner, Fastest));
    ASSERT_TRUE(ball.IsSinking());
    image.fill(Qt::white);
    const QImage white = image.copy();
    QPainter painter(&image);
    drawBall(painter, ball, look, false);
    painter.end();
    EXPECT_EQ(image, white) << "a sunk ball draws nothing";
}

}  // namespace
}  // namespace trundlex
