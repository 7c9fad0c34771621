#pragma once

#include <QDialog>

#include "LevelChecker.h"

class QLabel;
class QPushButton;

namespace trundlex {

class CEditorDoc;

// Check Level's window: what is wrong with the level and, once worked out, its par. It stays
// open beside the level without blocking it; an edit, an undo or another level gives up a
// par being worked out, and Check Again starts afresh.
class LevelCheckDialog : public QDialog {
    Q_OBJECT

public:
    // The document must outlive the dialog.
    explicit LevelCheckDialog(CEditorDoc& document, QWidget* parent = nullptr);

    // Checks the level as it is now and shows the dialog.
    void check();
    // What the dialog says.
    QString text() const;
    bool isWorking() const { return checker_.isRunning(); }

signals:
    // The verdict on the par is shown.
    void parShown();

private:
    void levelChanged();
    void showText(const QString& parLine);

    CEditorDoc& document_;
    LevelChecker checker_;
    QLabel* text_;
    QPushButton* again_;
    QStringList problems_;
};

}  // namespace trundlex
