#pragma once

#include <QDialog>
#include <vector>

#include "LevelChecker.h"

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace trundlex {

class CEditorDoc;

// Check Level's window: what is wrong with the level and, once worked out, its par. It stays
// open beside the level without blocking it; an edit, an undo or another level gives up a
// par being worked out, and Check Again starts afresh. Selecting a problem asks for its
// cells to be marked on the level.
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

signals:
    // The verdict on the par is shown.
    void parShown();
    // The cells to mark on the level: those of the selected problem, or none.
    void cellsHighlighted(const std::vector<Cell>& cells);

private:
    void levelChanged();
    void showPar(const QString& parLine);
    void problemSelected();
    void stopWorking();

    CEditorDoc& document_;
    LevelChecker checker_;
    std::vector<LevelFinding> findings_;
    QListWidget* problems_;
    QLabel* par_;
    QProgressBar* busy_;
    QPushButton* again_;
};

}  // namespace trundlex
