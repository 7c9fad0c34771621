// The game view's feedback: whose turn it is (status line and on the field) and the banners
// after a putt, shown on plates above the playfield.
#include "BannerOverlay.h"
#include "FeedbackTexts.h"
#include "GameView.h"
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
    }
    // Over the level itself, wherever the layout has put it.
    slot->setGeometry(frameLeft() + border(), frameTop() + border(),
                      blockSize() * level().width(), blockSize() * level().height());
    return slot;
}

void GameView::turnShown(const TurnInfo& turn) {
    turnPlayableHere_ = turn.playableHere();
    const QString text = FeedbackTexts::turnText(turn);
    if (text.isEmpty()) {
        if (turnTag_ != nullptr) {
            turnTag_->hide();
        }
        emit status(holeStatus_);
        return;
    }
    emit status(holeStatus_.isEmpty() ? text : holeStatus_ + QStringLiteral("  –  ") + text);
    overlay(turnTag_, static_cast<int>(BannerOverlay::Placement::Top))
        ->showBanner(text, {}, fromRgbValue(currentStyle().colour), BannerOverlay::Sign::None,
                     turn.kind == TurnKind::Remote ? kWaitingMilliseconds : kTurnMilliseconds);
}

void GameView::bannerShown(const Banner& banner) {
    if (turnTag_ != nullptr) {
        turnTag_->hide();
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
