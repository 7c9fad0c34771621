#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <memory>

#include "GuiThreadRelay.h"
#include "ball/BallTypes.h"

class QSoundEffect;

namespace trundlex {

// Plays the ball's sound files with QSoundEffect on the thread the player lives on (the GUI
// thread); requests from a ball's worker are posted there and never wait. A new sound stops
// the one still playing unless it is played along. A file that does not exist gives the system beep.
class QtSoundPlayer : public QObject, public SoundPlayer {
public:
    // `folder` is where the relative names ("sounds/Water.wav") are looked up.
    explicit QtSoundPlayer(QString folder, QObject* parent = nullptr);
    ~QtSoundPlayer() override;

    void play(std::string_view file) override;
    // Neither stops the sound playing nor is stopped by the next play().
    void playAlong(std::string_view file) override;

    // What a missing file does instead; the system beep by default (tests replace it).
    void setBeep(std::function<void()> beep) { beep_ = std::move(beep); }
    // Files played so far, for tests: how many requests reached the player's thread.
    int playedCount() const { return played_; }

private:
    void playNow(const QString& file, bool along);

    QString folder_;
    std::function<void()> beep_;
    std::map<QString, std::unique_ptr<QSoundEffect>> effects_;
    QSoundEffect* playing_ = nullptr;
    int played_ = 0;
    GuiThreadRelay relay_{this};
};

}  // namespace trundlex
