#include "FeedbackTexts.h"

#include "platform/PlatformSupport.h"

namespace trundlex {

QString FeedbackTexts::bannerTitle(const Banner& banner) {
    switch (banner.kind) {
        case BannerKind::HoleInOne:
            return tr("Hole in one!");
        case BannerKind::UnderPar:
            return tr("%n under par!", nullptr, banner.count);
        case BannerKind::Albatross:
            return tr("Albatross!");
        case BannerKind::Eagle:
            return tr("Eagle!");
        case BannerKind::Birdie:
            return tr("Birdie!");
        case BannerKind::Par:
            return tr("Par");
        case BannerKind::Bogey:
            return tr("Bogey");
        case BannerKind::DoubleBogey:
            return tr("Double bogey");
        case BannerKind::OverPar:
            return QStringLiteral("+%1").arg(banner.count);
        case BannerKind::HoledOut:
            return tr("In the hole in %n stroke(s)", nullptr, banner.count);
        case BannerKind::Water:
            return tr("Water: back where you putted");
        case BannerKind::OutOfBounds:
            return tr("Out of bounds");
        case BannerKind::StrokeLimit:
            return tr("Stroke limit reached: scored %1").arg(banner.count);
    }
    return {};
}

QString FeedbackTexts::turnText(const TurnInfo& turn) {
    const QString name = toDisplayText(turn.name);
    if (turn.kind == TurnKind::Nobody) {
        return {};
    }
    if (turn.kind != TurnKind::Remote) {
        return tr("%1's turn").arg(name);
    }
    if (turn.address.empty()) {
        return tr("Waiting for %1 (on another computer)").arg(name);
    }
    return tr("Waiting for %1 (on %2)").arg(name, toDisplayText(turn.address));
}

}  // namespace trundlex
