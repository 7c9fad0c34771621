#pragma once

#include <QDialog>

class QComboBox;
class QListWidget;

namespace trundlex {

class GameView;
class LevelLibrary;

// Lists every putt of a player ("hole level stroke"); selecting one sets it up on the
// playfield, a double click rolls it. Closing the dialog gives the game back.
class ReplayDialog : public QDialog {
    Q_OBJECT

public:
    ReplayDialog(GameView& view, const LevelLibrary& levels);
    ~ReplayDialog() override;

    // The rows shown for the chosen player, for tests.
    QStringList rows() const;
    void choosePlayer(int index);
    // As a click and a double click on a row.
    void selectRow(int row);
    void activateRow(int row);

private:
    void fillPutts();

    GameView& view_;
    const LevelLibrary& levels_;
    QComboBox* players_;
    QListWidget* putts_;
};

}  // namespace trundlex
