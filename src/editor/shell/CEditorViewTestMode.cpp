// The view's test mode: switching it, the go's strokes, and the ball with its aim.
#include <QPainter>

#include "CEditorView.h"
#include "TestFeedback.h"
#include "control/ForceMeter.h"
#include "model/TestPutt.h"
#include "render/BallRenderer.h"

namespace trundlex {

void CEditorView::toggleTestMode() {
    if (isTestMode()) {
        leaveTestMode();
        return;
    }
    // The ball must roll on the level as it is, not with blocks lifted for a move, and the
    // cells a stroke painted so far are an edit Undo must know.
    settleStroke();
    round_.start();
    testBall_.switchOn(level(), layout_.cellSize(), layout_.originX(), layout_.originY());
    picture_.rebuild(level(), layout_.cellSize(), gridShown());
    update();
    emit testModeChanged(true);
}

void CEditorView::roundEnded(bool inCup, BallLoss loss) {
    round_.ended(inCup, loss);
    update();  // the aim comes back
    emit testRoundChanged();
}

void CEditorView::leaveTestMode() {
    if (!isTestMode()) {
        return;
    }
    testBall_.switchOff();
    update();
    emit testModeChanged(false);
}

void CEditorView::stopBall() {
    testBall_.stop();
}

void CEditorView::setSpeedMode(SpeedMode mode) {
    if (mode == testBall_.speedMode() || mode < Pause || mode > NextPosition) {
        return;
    }
    testBall_.setSpeedMode(mode);
    emit speedModeChanged(mode);
}

void CEditorView::paintTestBall(QPainter& painter) {
    paintBall(painter);
    if (!aiming_ || isBallRunning()) {
        return;
    }
    // The force is the one the click would give: the same rule as the putt itself.
    const double size = layout_.cellSize();
    const TestPutt putt = testPuttFor(aim_, ball().GetX(), ball().GetY(), layout_);
    TestFeedback::paintAim(painter,
                           QPointF(ball().GetX() * size + layout_.originX(),
                                   ball().GetY() * size + layout_.originY()),
                           QPointF(aim_.x, aim_.y), putt.speed,
                           putt.speed / forcemeter::MaxForce, rect());
}

}  // namespace trundlex
