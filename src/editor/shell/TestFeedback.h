#pragma once

#include <QCoreApplication>
#include <QPointF>
#include <QRect>
#include <QString>

#include "model/TestRound.h"

class QPainter;

namespace trundlex {

// What the editor's test mode shows of a go: the aim and force of the putt a click would
// give, the strokes so far and how the last putt ended.
class TestFeedback {
    Q_DECLARE_TR_FUNCTIONS(TestFeedback)

public:
    // The strokes of the go, led by how the last putt ended when it dropped into the cup,
    // fell into water or left the level; only the strokes otherwise.
    static QString message(const TestRound& round);

    // The aim line from the ball's centre to the pointer (both in pixels) and, beside the
    // pointer, the force meter filled to `share` of the strongest putt with the putt's force
    // written under it. Stays inside `bounds`.
    static void paintAim(QPainter& painter, QPointF ball, QPointF pointer, double force,
                         double share, const QRect& bounds);
};

}  // namespace trundlex
