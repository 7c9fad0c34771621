#pragma once

#include <QObject>
#include <QStringList>
#include "level/Level.h"
#include "model/LevelCheck.h"
#include "model/ParPutts.h"
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

    // One problem as a sentence that names its cells as the designer counts them: by column
    // and row, from 0 at the top left, the numbers the status bar shows under the pointer.
    static QString problemText(const LevelFinding& finding);
    // A cell in words ("column 3, row 5").
    static QString cellText(Cell cell);
    // The verdict for a par (0: the level cannot be holed within the stroke limit; at the limit
    // it says why the par stops there).
    static QString verdict(int par);

    // Starts working out the par of a copy of `level`, and after it the solver's putts that
    // play the level within the par.
    void start(const Level& level);
    // Gives up the par being worked out; nothing is reported for it.
    void cancel();
    bool isRunning() const { return running_; }

signals:
    // The par of the level last started (0: it cannot be holed within the stroke limit).
    void finished(int par);
    // The solver's putts into the cup within the par just reported (none when it found no
    // way, or the level cannot be holed).
    void puttsFound(const std::vector<PuttPath>& putts);

private:
    GuiThreadRelay relay_;
    BackgroundJob job_{relay_};  // after the relay, so that it ends first
    bool running_ = false;
};

}  // namespace trundlex
