#pragma once

#include <QObject>
#include <QStringList>
#include "level/Level.h"
#include "model/LevelCheck.h"
#include "platform/GuiThreadRelay.h"
#include "util/BackgroundJob.h"

namespace trundlex {

// Check Level's two halves: the problems seen at once (no cup, a start off the level, on a
// wall or in water), and the par, worked out as the game does in the background, since that
// can take many seconds. A par being worked out is given up when another is asked for, when
// cancel() is called, and when the checker is destroyed; only the last one asked for is
// reported.
class LevelChecker : public QObject {
    Q_OBJECT

public:
    explicit LevelChecker(QObject* parent = nullptr);
    // Stops the par being worked out and waits for it.
    ~LevelChecker() override;

    // The problems of `level` seen without playing it, one sentence each.
    static QStringList problems(const Level& level);
    // One problem as a sentence.
    static QString problemText(LevelProblem problem);
    // The verdict for a par (0: the level cannot be holed within the stroke limit).
    static QString verdict(int par);

    // Starts working out the par of a copy of `level`.
    void start(const Level& level);
    // Gives up the par being worked out; nothing is reported for it.
    void cancel();
    bool isRunning() const { return running_; }

signals:
    // The par of the level last started (0: it cannot be holed within the stroke limit).
    void finished(int par);

private:
    GuiThreadRelay relay_;
    BackgroundJob job_{relay_};  // after the relay, so that it ends first
    bool running_ = false;
};

}  // namespace trundlex
