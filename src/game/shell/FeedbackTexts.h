#pragma once

#include <QCoreApplication>
#include <QString>

#include "control/Feedback.h"

namespace trundlex {

// The words of the game's feedback: the banners after a putt and whose turn it is.
class FeedbackTexts {
    Q_DECLARE_TR_FUNCTIONS(FeedbackTexts)

public:
    static QString bannerTitle(const Banner& banner);
    // "Anna's turn", or whom the game waits for on another computer; empty when nobody's.
    static QString turnText(const TurnInfo& turn);
};

}  // namespace trundlex
