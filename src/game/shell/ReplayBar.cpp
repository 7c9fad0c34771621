#include "ReplayDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "GameView.h"
#include "ScoreBoard.h"
#include "library/LevelLibrary.h"
#include "platform/PlatformSupport.h"

namespace trundlex {

ReplayDialog::ReplayDialog(GameView& view, const LevelLibrary& levels)
    : QDialog(&view), view_(view), levels_(levels) {
    setWindowTitle(tr("Replay"));
    players_ = new QComboBox(this);
    putts_ = new QListWidget(this);
    putts_->setMinimumSize(260, 240);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(players_);
    layout->addWidget(new QLabel(tr("Putt"), this));
    layout->addWidget(putts_);
    layout->addWidget(buttons);
    setModal(true);
    // At the right of the window, where it hides as little of the playfield as it can.
    adjustSize();
    move(view_.mapToGlobal(QPoint(std::max(0, view_.width() - width() - 10), 10)));

    const Match& match = view_.match();
    for (int i = 0; i < match.PlayerCount(); ++i) {
        const Player& player = *match.GetPlayer(i);
        const BallStyle& style = player.GetStyle();
        players_->addItem(ballIcon(style.colour, style.pattern, style.transparent),
                          toDisplayText(player.GetName()));
    }
    connect(players_, &QComboBox::currentIndexChanged, this, &ReplayDialog::fillPutts);
    connect(putts_, &QListWidget::currentRowChanged, this, &ReplayDialog::selectRow);
    connect(putts_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { activateRow(putts_->row(item)); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    fillPutts();
}

ReplayDialog::~ReplayDialog() { view_.controller().stopReplay(); }

void ReplayDialog::fillPutts() {
    const QSignalBlocker blocker(putts_);
    putts_->clear();
    const Player* player = view_.match().GetPlayer(players_->currentIndex());
    if (player == nullptr) {
        return;
    }
    for (int i = 0; i < player->PuttCount(); ++i) {
        const PuttRecord* putt = player->GetPutt(i);
        Level level;
        QString name;
        if (view_.match().LoadLevel(putt->hole, levels_, level) == LevelLoadResult::Loaded) {
            name = toDisplayText(level.name());
        }
        putts_->addItem(QStringLiteral("%1 %2 %3").arg(putt->hole + 1).arg(name).arg(putt->stroke));
    }
}

void ReplayDialog::choosePlayer(int index) { players_->setCurrentIndex(index); }

void ReplayDialog::selectRow(int row) {
    if (row >= 0 && players_->currentIndex() >= 0) {
        view_.controller().prepareReplay(players_->currentIndex(), row);
    }
}

void ReplayDialog::activateRow(int row) {
    if (row >= 0 && players_->currentIndex() >= 0) {
        view_.controller().runReplay(players_->currentIndex(), row);
    }
}

QStringList ReplayDialog::rows() const {
    QStringList texts;
    for (int i = 0; i < putts_->count(); ++i) {
        texts << putts_->item(i)->text();
    }
    return texts;
}

}  // namespace trundlex
