#pragma once

#include <QObject>
#include <QStringList>
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "level/Level.h"
#include "platform/GuiThreadRelay.h"

namespace trundlex {

// Check Level's two halves: the problems seen at once (no cup, a start off the level, on a
// wall or in water), and the par, worked out as the game does on a thread of its own, since
// that can take many seconds. A par being worked out is given up when another is asked for,
// when cancel() is called, and when the checker is destroyed; only the last one asked for is
// reported.
class LevelChecker : public QObject {
    Q_OBJECT

public:
    explicit LevelChecker(QObject* parent = nullptr);
    // Tells every run to stop and waits for them.
    ~LevelChecker() override;

    // The problems of `level` seen without playing it, one sentence each.
    static QStringList problems(const Level& level);
    // The verdict for a par (0: the level cannot be holed within the stroke limit).
    static QString verdict(int par);

    // Starts working out the par of a copy of `level`.
    void start(const Level& level);
    // Gives up the par being worked out; nothing is reported for it.
    void cancel();
    bool isRunning() const { return current_ != nullptr; }

signals:
    // The par of the level last started (0: it cannot be holed within the stroke limit).
    void finished(int par);

private:
    struct Run {
        std::atomic<bool> stop{false};
        std::thread thread;
    };
    void ended(Run* run, int par);

    GuiThreadRelay relay_;
    std::unique_ptr<Run> current_;
    // Runs told to stop that have not ended yet.
    std::vector<std::unique_ptr<Run>> stopping_;
};

}  // namespace trundlex
