#pragma once

#include <QImage>
#include <QPainter>
#include <QWidget>
#include <map>

#include "BallLook.h"
#include "BlockRenderer.h"
#include "Look.h"
#include "ModernRenderer.h"
#include "platform/QtBallOwner.h"
#include "ball/Ball.h"
#include "level/Level.h"

namespace trundlex {

// The window in which a level is played. It scales the level to its size and keeps two
// images: the background with the level drawn once, and the frame, which is the background
// with the moving ball on top and is what the window shows. While a ball rolls only the pixels
// it leaves and enters are restored, redrawn and repainted, so a step costs the same on any
// level size.
//
// Layout in pixels: the images' top-left corner is at client (left, top); the level's first
// block starts `border` further in. If the window is too small for one pixel per block, the
// level is drawn at one pixel per block and cut off at the window's edge. A centred window
// instead fits the images into its client area less the reserved margins and centres them.
// The modern look draws its images at the screen's device pixel ratio, so they stay crisp on
// dense screens; positions are given in the window's (logical) pixels either way.
class PlayfieldWnd : public QWidget {
public:
    explicit PlayfieldWnd(QWidget* parent = nullptr);
    // Lets a rolling ball's worker go on without this window and waits for it to end.
    ~PlayfieldWnd() override;

    Level& level() { return level_; }
    const Level& level() const { return level_; }
    Ball& ownBall() { return ball_; }
    Ball* currentBall() const { return currentBall_; }
    // The ball to show and to putt (null: none), drawn as `style` says.
    void setBall(Ball* ball, const BallStyle& style = {});
    // How a ball is drawn in this window: kept per ball, so that its dots turn on from where
    // they were; placed on the level as the window's layout says.
    BallLook& lookOf(const Ball& ball, const BallStyle& style);
    const BallStyle& currentStyle() const { return currentStyle_; }

    Look look() const { return look_; }
    // Draws in `look` from now on, rebuilding the images when there are any.
    void setLook(Look look);
    // Fits and centres the images in the client area less `reserved` (the origin follows);
    // until this is called the origin stays where setFrameOrigin put it.
    void setCentred(const QMargins& reserved);

    // Rebuilds both images; `full` also repaints the frame and the margins.
    void refresh(bool full);
    void renderBackground();
    void composeFrame();
    void copyBackground(int l, int t, int r, int b);
    // Repaints the client pixels that show this rectangle of the images, without erasing.
    void invalidateBitmapRect(int l, int t, int r, int b);
    void invalidateFrame();
    void paintMargins();
    // Draws the current ball into the frame and remembers the pixels it covers.
    void drawCurrentBall();
    // Draws a ball whose player waits for the turn (into the background, say), as the look
    // draws waiting balls.
    void drawWaitingBall(QPainter& painter, Ball& ball, const BallStyle& style);
    // Forgets both images (until the next refresh the window shows only its margins).
    void clearImages();

    // Putts the current ball with this window as its owner, in the locked speed mode when
    // the speed is locked, else in Normal. Note the order: angle first.
    void putt(double angle, double speed);
    void stopBall();
    // The level position under a client pixel.
    QPointF pixelToLevel(double px, double py) const;

    int viewState() const { return viewState_; }
    void setViewState(int state) { viewState_ = state; }
    void setSpeedLock(bool locked, SpeedMode mode) {
        speedLocked_ = locked;
        lockedSpeedMode_ = mode;
    }
    bool isSpeedLocked() const { return speedLocked_; }
    SpeedMode lockedSpeedMode() const { return lockedSpeedMode_; }

    int blockSize() const { return blockSize_; }
    int border() const { return border_; }
    int frameLeft() const { return left_; }
    int frameTop() const { return top_; }
    void setFrameOrigin(int left, int top) {
        left_ = left;
        top_ = top;
    }
    const QImage& background() const { return background_; }
    const QImage& frame() const { return frame_; }
    // The images' size in window pixels (the images hold more pixels on a dense screen).
    QSize frameSize() const;
    PixelRect ballRect() const { return ballRect_; }

    // What a ball's notification does on this window's thread: redraws the ball where it is
    // now, repainting only its old and new rectangles; at the end of a roll it then calls
    // onBallStopped.
    void onBallMessage(std::int32_t ballId, BallNotification code);

protected:
    // Hooks for the game view: the background has just been drawn (more may be drawn into
    // it); the current ball stopped or dropped into the cup.
    virtual void onBackgroundDrawn(QImage& background) { (void)background; }
    virtual void onBallStopped(bool inCup) { (void)inCup; }
    // Paints the strip above the images (client y < top), which belongs to the owner: the game
    // view shows its score board there. Here: the window colour.
    virtual void paintHeader(QPainter& painter, const QRect& strip);
    // Fills client pixels outside the images: the window colour, or the modern backdrop.
    void paintBackdrop(QPainter& painter, const QRect& area);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

    QtBallOwner& ballOwner() { return ballOwner_; }
    // For owners that draw into the frame themselves (the aim): the next ball move restores
    // `rect` from the background.
    QImage& frameImage() { return frame_; }
    void setBallRect(const PixelRect& rect) { ballRect_ = rect; }
    void setLockedSpeedMode(SpeedMode mode) { lockedSpeedMode_ = mode; }
    void setSpeedLocked(bool locked) { speedLocked_ = locked; }

private:
    QString caption() const;
    void drawClassicBackground(int frameWidth, int frameHeight);
    void drawModernBackground(int frameWidth, int frameHeight);

    Level level_;
    QtBallOwner ballOwner_;
    Ball ball_;
    Ball* currentBall_;
    BallStyle currentStyle_;
    std::map<const Ball*, BallLook> looks_;
    BlockRenderer renderer_;
    ModernRenderer modern_;
    Look look_ = Look::Classic;
    qreal pixelRatio_ = 1.0;
    bool centred_ = false;
    QMargins reserved_;
    QImage background_;
    QImage frame_;
    int left_ = 40;
    int top_ = 40;
    int border_ = 20;
    int blockSize_ = 40;
    PixelRect ballRect_;
    int viewState_ = 0;
    SpeedMode lockedSpeedMode_ = Normal;
    bool speedLocked_ = false;
};

}  // namespace trundlex
