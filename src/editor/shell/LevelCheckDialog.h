#pragma once

#include <QDialog>
#include <vector>

#include "LevelChecker.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace trundlex {

class CEditorDoc;

// Check Level's window: what is wrong with the level and, once worked out, its par. It stays
// open beside the level without blocking it; an edit, an undo or another level gives up a
// par being worked out, and Check Again starts afresh. Selecting a problem asks for its
// cells to be marked on the level. Once the par is known, the solver's putts that play it can
// be shown on the level, until the level changes or the dialog closes.
class LevelCheckDialog : public QDialog {
    Q_OBJECT

public:
    // The document must outlive the dialog.
    explicit LevelCheckDialog(CEditorDoc& document, QWidget* parent = nullptr);

    // Checks the level as it is now and shows the dialog.
    void check();
    // What the dialog says: the problems, one a line, then the par line.
    QString text() const;
    bool isWorking() const { return checker_.isRunning(); }
    // True while the busy bar tells that the par is being worked out.
    bool isBusyShown() const;
    // Selects the problem in line `row` of the list (-1: none).
    void selectProblem(int row);
    // The check box that shows the solver's putts; enabled once they are found.
    QCheckBox& showPuttsBox() const { return *showPutts_; }

signals:
    // The verdict on the par is shown.
    void parShown();
    // The cells to mark on the level: those of the selected problem, or none.
    void cellsHighlighted(const std::vector<Cell>& cells);
    // The solver's putts have been found, or none can be (see showPuttsBox).
    void puttsReady();
    // The putts to draw on the level, or none.
    void puttsShown(const std::vector<PuttPath>& putts);

private:
    void levelChanged();
    void showPar(const QString& parLine);
    void problemSelected();
    void stopWorking();
    // Forgets the putts found and takes them off the level.
    void dropPutts();

    CEditorDoc& document_;
    LevelChecker checker_;
    std::vector<LevelFinding> findings_;
    QListWidget* problems_;
    QLabel* par_;
    QProgressBar* busy_;
    QPushButton* again_;
    QCheckBox* showPutts_;
    std::vector<PuttPath> putts_;
};

}  // namespace trundlex
