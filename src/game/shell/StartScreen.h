#pragma once

#include <QCoreApplication>
#include <QFont>
#include <QImage>
#include <QRect>

#include "render/Look.h"

class QPainter;

namespace trundlex {

// What the game window shows before the first game: the name, a little hole drawn in the
// chosen look, and the invitation to start a game with F2.
class StartScreen {
    Q_DECLARE_TR_FUNCTIONS(StartScreen)

public:
    void paint(QPainter& painter, const QRect& area, Look look, const QFont& font);

private:
    // The sample hole, kept while the look and size stay the same.
    const QImage& sample(Look look, int blockSize);

    QImage sample_;
    Look sampleLook_ = Look::Classic;
    int sampleBlock_ = 0;
};

}  // namespace trundlex
