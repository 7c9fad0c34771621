#include "ReplayBar.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

#include "GameView.h"
#include "ScoreBoard.h"
#include "library/LevelLibrary.h"
#include "platform/PlatformSupport.h"

namespace trundlex {

namespace {

// The steady speeds a replay can roll at, slowest first.
constexpr SpeedMode kSpeeds[] = {Half, Normal, Double, Triple, Quadruple, Fastest};
// A breath between one putt and the next while playing on.
constexpr int kBetweenPuttsMilliseconds = 600;

const char* const kBarStyle =
    "#replayBar { background: rgba(24, 44, 50, 235); border: 1px solid rgba(120, 160, 160, "
    "110); border-radius: 10px; }"
    "#replayBar QToolButton { color: #f4f6ee; background: rgba(255, 255, 255, 24); "
    "border: 1px solid rgba(255, 255, 255, 60); border-radius: 5px; padding: 3px; }"
    "#replayBar QToolButton:hover { background: rgba(255, 255, 255, 55); }"
    "#replayBar QToolButton:disabled { background: transparent; border-color: rgba(255, 255, "
    "255, 25); }"
    "#replayBar QToolButton:checked { background: #3f9a4a; }";

enum class Glyph { Previous, Play, Pause, Next, Close };

// The buttons' pictures, light on the bar's dark slate, drawn at one and two pixels a point.
QIcon glyph(Glyph kind) {
    QIcon icon;
    for (const int scale : {1, 2}) {
        const double s = 16.0 * scale;
        QPixmap pixmap(static_cast<int>(s), static_cast<int>(s));
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(244, 246, 238));
        auto triangle = [&](double left, double right) {
            painter.drawPolygon(QPolygonF({QPointF(left, s * 0.2), QPointF(right, s * 0.5),
                                           QPointF(left, s * 0.8)}));
        };
        switch (kind) {
            case Glyph::Play:
                triangle(s * 0.28, s * 0.8);
                break;
            case Glyph::Pause:
                painter.drawRect(QRectF(s * 0.25, s * 0.2, s * 0.17, s * 0.6));
                painter.drawRect(QRectF(s * 0.58, s * 0.2, s * 0.17, s * 0.6));
                break;
            case Glyph::Next:
                triangle(s * 0.2, s * 0.68);
                painter.drawRect(QRectF(s * 0.68, s * 0.2, s * 0.12, s * 0.6));
                break;
            case Glyph::Previous:
                painter.translate(s, 0);
                painter.scale(-1, 1);
                triangle(s * 0.2, s * 0.68);
                painter.drawRect(QRectF(s * 0.68, s * 0.2, s * 0.12, s * 0.6));
                break;
            case Glyph::Close:
                painter.setPen(QPen(QColor(244, 246, 238), s * 0.12, Qt::SolidLine, Qt::RoundCap));
                painter.drawLine(QPointF(s * 0.27, s * 0.27), QPointF(s * 0.73, s * 0.73));
                painter.drawLine(QPointF(s * 0.73, s * 0.27), QPointF(s * 0.27, s * 0.73));
                break;
        }
        painter.end();
        pixmap.setDevicePixelRatio(scale);
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace

ReplayBar::ReplayBar(GameView& view, const LevelLibrary& levels)
    : QFrame(&view), view_(view), levels_(levels) {
    setObjectName(QStringLiteral("replayBar"));
    setStyleSheet(QString::fromLatin1(kBarStyle));
    players_ = new QComboBox(this);
    players_->setToolTip(tr("Whose putts"));
    putts_ = new QComboBox(this);
    putts_->setToolTip(tr("Putt"));
    putts_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto button = [this](Glyph icon, const QString& tip) {
        auto* b = new QToolButton(this);
        b->setIcon(glyph(icon));
        b->setToolTip(tip);
        b->setAutoRaise(false);
        b->setFocusPolicy(Qt::TabFocus);
        return b;
    };
    previous_ = button(Glyph::Previous, tr("Previous putt"));
    play_ = button(Glyph::Play, tr("Play"));
    next_ = button(Glyph::Next, tr("Next putt"));
    close_ = button(Glyph::Close, tr("Close the replay"));
    speeds_ = new QComboBox(this);
    speeds_->setToolTip(tr("Replay speed"));
    for (const SpeedMode mode : kSpeeds) {
        speeds_->addItem(mode == Half     ? QStringLiteral("\u00bd\u00d7")
                         : mode == Fastest ? tr("Fastest")
                                           : QStringLiteral("%1\u00d7").arg(mode + 1),
                         static_cast<int>(mode));
    }
    // As fast as the game's own putts roll now, where that is a steady speed.
    const SpeedMode now = view_.lockedSpeedMode();
    speed_ = now >= Half && now <= Fastest ? now : Normal;
    speeds_->setCurrentIndex(speeds_->findData(static_cast<int>(speed_)));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 5, 8, 5);
    layout->setSpacing(6);
    layout->addWidget(players_);
    layout->addWidget(putts_, 1);
    layout->addSpacing(6);
    layout->addWidget(previous_);
    layout->addWidget(play_);
    layout->addWidget(next_);
    layout->addSpacing(6);
    layout->addWidget(speeds_);
    layout->addSpacing(6);
    layout->addWidget(close_);

    const Match& match = view_.match();
    for (int i = 0; i < match.PlayerCount(); ++i) {
        const Player& player = *match.GetPlayer(i);
        const BallStyle& style = player.GetStyle();
        players_->addItem(ballIcon(style.colour, style.pattern, style.transparent),
                          toDisplayText(player.GetName()));
    }
    connect(players_, &QComboBox::currentIndexChanged, this, [this] {
        fillPutts();
        selectRow(0);
    });
    connect(putts_, &QComboBox::activated, this, [this](int row) {
        if (playing_) {
            activateRow(row);
        } else {
            selectRow(row);
        }
    });
    connect(speeds_, &QComboBox::activated, this,
            [this](int index) { setSpeed(static_cast<SpeedMode>(speeds_->itemData(index).toInt())); });
    connect(previous_, &QToolButton::clicked, this, &ReplayBar::previous);
    connect(next_, &QToolButton::clicked, this, &ReplayBar::next);
    connect(play_, &QToolButton::clicked, this, &ReplayBar::playPause);
    connect(close_, &QToolButton::clicked, this, &ReplayBar::closeRequested);
    fillPutts();
    showPlaying();
    adjustSize();
}

ReplayBar::~ReplayBar() {
    if (Ball* ball = replayBall(); ball != nullptr && paused_) {
        // Let a held ball go, so that it can be stopped.
        ball->SetSpeedMode(Fastest);
    }
    view_.controller().stopReplay();
}

Ball* ReplayBar::replayBall() const {
    const int state = view_.viewState();
    return state == ReplayWaiting || state == ReplayRolling ? view_.currentBall() : nullptr;
}

void ReplayBar::fillPutts() {
    const QSignalBlocker blocker(putts_);
    putts_->clear();
    const Player* player = view_.match().GetPlayer(players_->currentIndex());
    if (player == nullptr) {
        showPlaying();
        return;
    }
    for (int i = 0; i < player->PuttCount(); ++i) {
        const PuttRecord* putt = player->GetPutt(i);
        Level level;
        QString name;
        if (view_.match().LoadLevel(putt->hole, levels_, level) == LevelLoadResult::Loaded) {
            name = toDisplayText(level.name());
        }
        putts_->addItem(tr("Hole %1 (%2), stroke %3").arg(putt->hole + 1).arg(name).arg(putt->stroke));
    }
    showPlaying();
}

void ReplayBar::choosePlayer(int index) { players_->setCurrentIndex(index); }

int ReplayBar::currentRow() const { return putts_->currentIndex(); }

void ReplayBar::selectRow(int row) {
    playing_ = false;
    paused_ = false;
    if (row >= 0 && row < putts_->count() && players_->currentIndex() >= 0) {
        putts_->setCurrentIndex(row);
        view_.controller().prepareReplay(players_->currentIndex(), row);
    }
    showPlaying();
}

void ReplayBar::activateRow(int row) {
    paused_ = false;
    if (row >= 0 && row < putts_->count() && players_->currentIndex() >= 0) {
        putts_->setCurrentIndex(row);
        if (view_.controller().runReplay(players_->currentIndex(), row)) {
            if (Ball* ball = replayBall()) {
                ball->SetSpeedMode(speed_);
            }
        }
    }
    showPlaying();
}

void ReplayBar::playPause() {
    Ball* ball = replayBall();
    if (playing_) {
        playing_ = false;
        if (ball != nullptr && ball->IsRunning()) {
            ball->SetSpeedMode(Pause);
            paused_ = true;
        }
    } else if (paused_ && ball != nullptr && ball->IsRunning()) {
        playing_ = true;
        paused_ = false;
        ball->SetSpeedMode(speed_);
    } else {
        playing_ = true;
        activateRow(std::max(0, putts_->currentIndex()));
        playing_ = view_.viewState() == ReplayRolling;
    }
    showPlaying();
}

void ReplayBar::next() {
    const int row = putts_->currentIndex() + 1;
    if (row < putts_->count()) {
        playing_ ? activateRow(row) : selectRow(row);
    }
}

void ReplayBar::previous() {
    const int row = putts_->currentIndex() - 1;
    if (row >= 0) {
        playing_ ? activateRow(row) : selectRow(row);
    }
}

void ReplayBar::setSpeed(SpeedMode mode) {
    speed_ = mode;
    speeds_->setCurrentIndex(speeds_->findData(static_cast<int>(mode)));
    if (Ball* ball = replayBall(); ball != nullptr && ball->IsRunning() && !paused_) {
        ball->SetSpeedMode(mode);
    }
}

void ReplayBar::puttStopped() {
    if (!playing_) {
        showPlaying();
        return;
    }
    const int row = putts_->currentIndex() + 1;
    if (row >= putts_->count()) {
        playing_ = false;
        showPlaying();
        return;
    }
    // On to the next putt after a breath, unless the player paused or chose one meanwhile.
    QTimer::singleShot(kBetweenPuttsMilliseconds, this, [this, row] {
        const Ball* ball = replayBall();
        if (playing_ && putts_->currentIndex() == row - 1 && (ball == nullptr || !ball->IsRunning())) {
            activateRow(row);
        }
    });
}

void ReplayBar::showPlaying() {
    play_->setIcon(glyph(playing_ ? Glyph::Pause : Glyph::Play));
    play_->setToolTip(playing_ ? tr("Pause") : tr("Play"));
    const bool any = putts_->count() > 0;
    play_->setEnabled(any);
    previous_->setEnabled(any && putts_->currentIndex() > 0);
    next_->setEnabled(any && putts_->currentIndex() + 1 < putts_->count());
}

QStringList ReplayBar::rows() const {
    QStringList texts;
    for (int i = 0; i < putts_->count(); ++i) {
        texts << putts_->itemText(i);
    }
    return texts;
}

}  // namespace trundlex
