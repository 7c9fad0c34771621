#include "QtSoundPlayer.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace trundlex {

QtSoundPlayer::QtSoundPlayer(QString folder, QObject* parent)
    : QObject(parent), folder_(std::move(folder)), beep_([] { QApplication::beep(); }) {}

QtSoundPlayer::~QtSoundPlayer() = default;

void QtSoundPlayer::play(std::string_view file) {
    const QString name = QString::fromUtf8(file.data(), static_cast<qsizetype>(file.size()));
    relay_.post([this, name] { playNow(name, false); });
}

void QtSoundPlayer::playAlong(std::string_view file) {
    const QString name = QString::fromUtf8(file.data(), static_cast<qsizetype>(file.size()));
    relay_.post([this, name] { playNow(name, true); });
}

void QtSoundPlayer::playNow(const QString& file, bool along) {
    ++played_;
    const QString path = QDir(folder_).filePath(file);
    if (!QFileInfo::exists(path)) {
        if (beep_) {
            beep_();
        }
        return;
    }
    if (playing_ != nullptr && !along) {
        playing_->stop();
    }
    auto& effect = effects_[path];
    if (!effect) {
        effect = std::make_unique<QSoundEffect>();
        effect->setSource(QUrl::fromLocalFile(path));
    }
    if (!along) {
        playing_ = effect.get();
    } else if (playing_ == effect.get()) {
        playing_ = nullptr;
    }
    effect->play();
}

}  // namespace trundlex
