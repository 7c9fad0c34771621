// The game view's feedback: whose turn it is (status line and on the field) and the banners
// after a putt, shown on plates above the playfield.
#include "BannerOverlay.h"
#include "ChatBox.h"
#include "FeedbackTexts.h"
#include "GameView.h"
#include "ScoreBoard.h"
#include "platform/PlatformSupport.h"
#include "render/BallRenderer.h"

namespace trundlex {

namespace {

constexpr int kBannerMilliseconds = 1300;
constexpr int kTurnMilliseconds = 1600;
// Waiting for someone else lasts longer than taking one's own turn: keep saying why.
constexpr int kWaitingMilliseconds = 3000;

struct BannerLook {
    QColor accent;
    BannerOverlay::Sign sign;
};

BannerLook bannerLook(BannerKind kind) {
    switch (kind) {
        case BannerKind::HoleInOne:
        case BannerKind::UnderPar:
        case BannerKind::Albatross:
        case BannerKind::Eagle:
        case BannerKind::Birdie:
            return {QColor(255, 204, 64), BannerOverlay::Sign::Star};
        case BannerKind::Par:
        case BannerKind::HoledOut:
            return {QColor(120, 220, 140), BannerOverlay::Sign::None};
        case BannerKind::Bogey:
        case BannerKind::DoubleBogey:
        case BannerKind::OverPar:
            return {QColor(240, 140, 80), BannerOverlay::Sign::None};
        case BannerKind::Water:
            return {QColor(90, 170, 255), BannerOverlay::Sign::Ripples};
        case BannerKind::OutOfBounds:
            return {QColor(220, 220, 220), BannerOverlay::Sign::Stop};
        case BannerKind::StrokeLimit:
            return {QColor(235, 90, 90), BannerOverlay::Sign::Stop};
    }
    return {Qt::white, BannerOverlay::Sign::None};
}

}  // namespace

BannerOverlay* GameView::overlay(BannerOverlay*& slot, int placement) {
    if (slot == nullptr) {
        slot = new BannerOverlay(static_cast<BannerOverlay::Placement>(placement), this);
        if (&slot == &banner_) {
            // A turn that came while a result was told is shown after it.
            connect(slot, &BannerOverlay::finished, this, [this] {
                if (deferredTurn_) {
                    const DeferredTurn turn = *deferredTurn_;
                    deferredTurn_.reset();
                    overlay(turnTag_, static_cast<int>(BannerOverlay::Placement::Top))
                        ->showBanner(turn.text, {}, turn.colour, BannerOverlay::Sign::None,
                                     turn.milliseconds);
                }
            });
        }
    }
    placeOverlays();
    return slot;
}

void GameView::placeOverlays() {
    // Over the level itself, wherever the layout has put it: the level's title lies in the
    // frame above it, the score board and chat box above that. Kept below them even where a
    // layout might let them reach down.
    QRect area(frameLeft() + border(), frameTop() + border(), blockSize() * level().width(),
               blockSize() * level().height());
    for (const QWidget* header : {static_cast<QWidget*>(scoreBoard_),
                                  static_cast<QWidget*>(chatBox_)}) {
        if (header != nullptr && header->isVisibleTo(this) && header->geometry().intersects(area)) {
            area.setTop(header->geometry().bottom() + 1);
        }
    }
    for (BannerOverlay* plate : {banner_, turnTag_}) {
        if (plate != nullptr) {
            plate->setGeometry(area);
        }
    }
}

void GameView::turnShown(const TurnInfo& turn) {
    turnPlayableHere_ = turn.playableHere();
    const QString text = FeedbackTexts::turnText(turn);
    deferredTurn_.reset();
    if (text.isEmpty()) {
        if (turnTag_ != nullptr) {
            turnTag_->dismiss();
        }
        emit status(holeStatus_);
        return;
    }
    emit status(holeStatus_.isEmpty() ? text : holeStatus_ + QStringLiteral("  –  ") + text);
    const QColor colour = fromRgbValue(currentStyle().colour);
    const int milliseconds = turn.kind == TurnKind::Remote ? kWaitingMilliseconds : kTurnMilliseconds;
    if (banner_ != nullptr && banner_->busy()) {
        // One plate at a time: the turn waits until the result has been told.
        deferredTurn_ = DeferredTurn{text, colour, milliseconds};
        return;
    }
    BannerOverlay* tag = overlay(turnTag_, static_cast<int>(BannerOverlay::Placement::Top));
    // A newer turn replaces an older one still up: only the current turn is worth telling.
    tag->dismiss();
    tag->showBanner(text, {}, colour, BannerOverlay::Sign::None, milliseconds);
}

void GameView::bannerShown(const Banner& banner) {
    // The turn it was is over: its tag goes, and the result is told alone.
    deferredTurn_.reset();
    if (turnTag_ != nullptr) {
        turnTag_->dismiss();
    }
    // A replay's banner is about the replayed putt, not the player whose turn waits meanwhile.
    const bool replaying = controller_->state() == ReplayRolling;
    const Player* player = replaying ? nullptr : currentPlayer();
    const BannerLook look = bannerLook(banner.kind);
    overlay(banner_, static_cast<int>(BannerOverlay::Placement::Centre))
        ->showBanner(FeedbackTexts::bannerTitle(banner),
                     player != nullptr ? toDisplayText(player->GetName()) : QString(),
                     look.accent, look.sign, kBannerMilliseconds);
}

}  // namespace trundlex
