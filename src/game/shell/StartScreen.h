#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

#include "play/ComputerPlayer.h"
#include "render/Look.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace trundlex {

// What the game window shows while no game is played: the name, a little hole drawn in the
// chosen look, and the ways into a game as big buttons: Play (this computer's player against
// the computer at once), Today's course (the same on the course of the day), Play with friends (a room online), Local game (the whole new-game
// setup) and, while a room's game can be gone back to, Continue. It only asks: the game view
// acts on its signals.
class StartScreen : public QWidget {
    Q_OBJECT

public:
    explicit StartScreen(QWidget* parent = nullptr);

    // Where the look to draw the sample hole in comes from (the playfield's).
    void setLookSource(std::function<Look()> look) { look_ = std::move(look); }
    // The name and computer strength Play starts with.
    void offer(const QString& name, ComputerStrength strength);
    QString playerName() const;
    ComputerStrength strength() const;
    // Shows Continue (for the room `code`) or hides it.
    void offerContinue(bool offered, const QString& code = {});
    // Gives the keyboard focus to the first thing to do: Continue while it is offered, else the
    // name while it is empty, else Play.
    void focusFirst();

    QPushButton* playButton() const { return play_; }
    QPushButton* todayButton() const { return today_; }
    QPushButton* friendsButton() const { return friends_; }
    QPushButton* localButton() const { return local_; }
    QPushButton* continueButton() const { return continue_; }
    QLineEdit* nameField() const { return name_; }
    QComboBox* strengthField() const { return strength_; }

signals:
    void playChosen();
    void todayChosen();
    void friendsChosen();
    void localGameChosen();
    void continueChosen();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Places and sizes everything for the window's size.
    void arrange();
    // The sample hole, kept while the look and size stay the same.
    const QImage& sample(Look look, int blockSize);

    std::function<Look()> look_;
    QLabel* nameLabel_;
    QLineEdit* name_;
    QLabel* strengthLabel_;
    QComboBox* strength_;
    QPushButton* play_;
    QPushButton* today_;
    QPushButton* friends_;
    QPushButton* local_;
    QPushButton* continue_;
    // Where the title, the sample hole and the line under the buttons go (arrange()).
    QRect titleBox_;
    QRect pictureBox_;
    QRect taglineBox_;
    int unit_ = 8;
    QImage sample_;
    Look sampleLook_ = Look::Classic;
    int sampleBlock_ = 0;
};

}  // namespace trundlex
