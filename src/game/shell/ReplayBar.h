#pragma once

#include <QFrame>

#include "ball/BallTypes.h"

class QComboBox;
class QToolButton;

namespace trundlex {

class Ball;
class GameView;
class LevelLibrary;

// The replay's controls, a small bar under the playfield on which the putts replay: whose
// putts, which putt ("Hole 1 (First Putt), stroke 2"), previous and next, play and pause,
// the speed, and close. Choosing a putt sets it up on the playfield; Play rolls it and goes
// on with the player's next putts until the last or Pause. Closing the bar gives the game
// back. The recorded putts are only read: a replay never changes the match.
class ReplayBar : public QFrame {
    Q_OBJECT

public:
    ReplayBar(GameView& view, const LevelLibrary& levels);
    ~ReplayBar() override;

    // The putts listed for the chosen player.
    QStringList rows() const;
    void choosePlayer(int index);
    int currentRow() const;
    // Sets the putt up at its start without rolling it.
    void selectRow(int row);
    // Rolls the putt from its start.
    void activateRow(int row);
    // Play: rolls the chosen putt (or lets a paused one go on) and the following ones;
    // Pause: holds the rolling ball where it is.
    void playPause();
    void next();
    void previous();
    bool playing() const { return playing_; }
    bool paused() const { return paused_; }
    // The speed replays roll at (Half ... Fastest).
    void setSpeed(SpeedMode mode);
    SpeedMode speed() const { return speed_; }
    // What the game view tells the bar: the replayed putt came to rest.
    void puttStopped();

signals:
    // Close was chosen; the view takes the bar away.
    void closeRequested();

private:
    void fillPutts();
    void showPlaying();
    // The ball of the replay, when one rolls or waits.
    Ball* replayBall() const;

    GameView& view_;
    const LevelLibrary& levels_;
    QComboBox* players_;
    QComboBox* putts_;
    QComboBox* speeds_;
    QToolButton* previous_;
    QToolButton* play_;
    QToolButton* next_;
    QToolButton* close_;
    SpeedMode speed_ = Normal;
    bool playing_ = false;
    bool paused_ = false;
};

}  // namespace trundlex
