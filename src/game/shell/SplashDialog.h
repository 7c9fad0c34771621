#pragma once

#include <QDialog>
#include <memory>
#include <thread>

#include "platform/GuiThreadRelay.h"

class QProgressBar;

namespace trundlex {

class CourseLibrary;
class LevelLibrary;

// The window shown while the level and course folders are read at start-up. The reading runs
// on a worker thread; every item read advances the progress bar, whose range is the number of
// files read at the previous start. The dialog closes itself when the reading is done.
class SplashDialog : public QDialog {
    Q_OBJECT

public:
    // `expectedCount` sets the progress bar's range; the libraries must not be touched by
    // anyone else until the dialog has closed.
    SplashDialog(LevelLibrary& levels, CourseLibrary& courses, int expectedCount,
                 QWidget* parent = nullptr);
    ~SplashDialog() override;

    // Runs the dialog until the reading is done; the number of levels plus courses read.
    int readLibraries();

protected:
    // The reading cannot be cancelled: Esc does nothing.
    void reject() override {}

private:
    LevelLibrary& levels_;
    CourseLibrary& courses_;
    QProgressBar* progress_;
    GuiThreadRelay relay_;
    std::thread reader_;
    int itemsRead_ = 0;
};

}  // namespace trundlex
