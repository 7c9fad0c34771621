#pragma once

#include <QObject>
#include <deque>
#include <functional>
#include <mutex>

#include "util/TaskRelay.h"

namespace trundlex {

// Runs tasks posted from any thread on the thread this object lives on (the GUI thread), in
// the order they were posted. The tasks travel through our own mutex-guarded queue; Qt only
// carries an argument-free wake-up call. That keeps the hand-off visible to ThreadSanitizer,
// which cannot see the locking inside an uninstrumented Qt.
class GuiThreadRelay : public QObject, public TaskRelay {
    Q_OBJECT

public:
    explicit GuiThreadRelay(QObject* parent = nullptr);
    ~GuiThreadRelay() override;

    // Queues the task; false (task dropped) once the relay is closed.
    bool post(std::function<void()> task) override;
    // Drops what is queued and refuses new tasks.
    void close();

private slots:
    void drain();

private:
    std::mutex mutex_;
    std::deque<std::function<void()>> tasks_;
    bool closed_ = false;
    bool wakeUpPending_ = false;
};

}  // namespace trundlex
