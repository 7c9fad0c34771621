#include "StandingsPanel.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "MatchResultsDialog.h"
#include "play/Match.h"
#include "render/BallRenderer.h"

namespace trundlex {

namespace {

// The card's look: the slate plate of the score board, gold for the winners.
const char* const kCardStyle =
    "#standingsCard { background: rgba(24, 44, 50, 238); border: 1px solid rgba(120, 160, 160, "
    "110); border-radius: 14px; }"
    "#standingsCard QLabel { color: #f4f6ee; }"
    "#standingsCard QLabel#standingsMuted { color: #a8beb8; }"
    "#standingsCard QLabel#standingsWinner { color: #ffd65a; font-weight: bold; }"
    "#standingsCard QPushButton { color: #f4f6ee; background: rgba(255, 255, 255, 30); "
    "border: 1px solid rgba(255, 255, 255, 70); border-radius: 6px; padding: 6px 14px; }"
    "#standingsCard QPushButton:hover { background: rgba(255, 255, 255, 55); }"
    "#standingsCard QPushButton:default { background: #3f9a4a; border-color: #7fd08a; }"
    "#standingsCard QPushButton:default:hover { background: #4caf50; }";

QLabel* label(const QString& text, QWidget* parent, const char* name = nullptr,
              Qt::Alignment alignment = Qt::AlignLeft) {
    auto* result = new QLabel(text, parent);
    result->setTextFormat(Qt::PlainText);
    result->setAlignment(alignment | Qt::AlignVCenter);
    if (name != nullptr) {
        result->setObjectName(QString::fromLatin1(name));
    }
    return result;
}

}  // namespace

StandingsPanel::StandingsPanel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_NoSystemBackground);
    hide();
}

void StandingsPanel::showStandings(const Match& match, const std::vector<int>& pars,
                                   bool playAgain, bool highScores) {
    delete card_;
    playAgain_ = nullptr;
    highScores_ = nullptr;
    const std::vector<MatchResultsDialog::Row> ranked = MatchResultsDialog::rank(match, pars);
    rows_ = MatchResultsDialog::rowTexts(ranked);

    card_ = new QFrame(this);
    card_->setObjectName(QStringLiteral("standingsCard"));
    card_->setStyleSheet(QString::fromLatin1(kCardStyle));
    auto* layout = new QVBoxLayout(card_);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->setSpacing(10);
    headline_ = label(MatchResultsDialog::headlineFor(match), card_, nullptr, Qt::AlignCenter);
    QFont big = headline_->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.6);
    headline_->setFont(big);
    layout->addWidget(headline_);
    layout->addWidget(label(match.IsOver()
                                ? MatchResultsDialog::tr("Final standings after %n hole(s)", "",
                                                         match.LevelCount())
                                : MatchResultsDialog::tr("Standings on hole %1 of %2")
                                      .arg(match.GetHole() + 1)
                                      .arg(match.LevelCount()),
                            card_, "standingsMuted", Qt::AlignCenter));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(6);
    const bool par = !ranked.empty() && ranked.front().againstPar.has_value();
    grid->addWidget(label(MatchResultsDialog::tr("Player"), card_, "standingsMuted"), 0, 1, 1, 2);
    grid->addWidget(label(MatchResultsDialog::tr("Strokes"), card_, "standingsMuted",
                          Qt::AlignRight),
                    0, 3);
    if (par) {
        grid->addWidget(label(MatchResultsDialog::tr("To par"), card_, "standingsMuted",
                              Qt::AlignRight),
                        0, 4);
    }
    for (std::size_t i = 0; i < ranked.size(); ++i) {
        const MatchResultsDialog::Row& row = ranked[i];
        const int r = static_cast<int>(i) + 1;
        const char* style = row.place == 1 ? "standingsWinner" : nullptr;
        grid->addWidget(label(QString::number(row.place), card_, style, Qt::AlignRight), r, 0);
        // The player's ball colour, as on the score board.
        auto* ball = new QLabel(card_);
        const int size = QFontMetrics(ball->font()).height();
        const qreal ratio = std::max<qreal>(1.0, devicePixelRatioF());
        QPixmap disc(QSize(size, size) * ratio);
        disc.setDevicePixelRatio(ratio);
        disc.fill(Qt::transparent);
        {
            QPainter painter(&disc);
            painter.setRenderHint(QPainter::Antialiasing);
            const QColor colour = fromRgbValue(row.colour);
            QRadialGradient shade(QPointF(size * 0.35, size * 0.35), size * 0.7);
            shade.setColorAt(0, colour.lighter(150));
            shade.setColorAt(1, colour.darker(125));
            painter.setBrush(shade);
            painter.setPen(QPen(QColor(0, 0, 0, 150), 1));
            painter.drawEllipse(QRectF(1, 1, size - 2, size - 2));
        }
        ball->setPixmap(disc);
        grid->addWidget(ball, r, 1);
        QString name = row.name;
        if (row.here) {
            name += QLatin1Char(' ') + MatchResultsDialog::tr("(you)");
        }
        grid->addWidget(label(name, card_, style), r, 2);
        grid->addWidget(label(QString::number(row.strokes), card_, style, Qt::AlignRight), r, 3);
        if (par) {
            grid->addWidget(label(MatchResultsDialog::againstParText(*row.againstPar), card_,
                                  style, Qt::AlignRight),
                            r, 4);
        }
    }
    grid->setColumnStretch(2, 1);
    layout->addLayout(grid);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    if (highScores) {
        highScores_ = new QPushButton(MatchResultsDialog::tr("&High scores..."), card_);
        connect(highScores_, &QPushButton::clicked, this, &StandingsPanel::highScores);
        buttons->addWidget(highScores_);
    }
    buttons->addStretch(1);
    newGame_ = new QPushButton(MatchResultsDialog::tr("&New game..."), card_);
    connect(newGame_, &QPushButton::clicked, this, &StandingsPanel::newGame);
    buttons->addWidget(newGame_);
    if (playAgain) {
        playAgain_ = new QPushButton(MatchResultsDialog::tr("&Play again"), card_);
        connect(playAgain_, &QPushButton::clicked, this, &StandingsPanel::playAgain);
        buttons->addWidget(playAgain_);
    }
    QPushButton* preferred = playAgain_ != nullptr ? playAgain_ : newGame_;
    preferred->setDefault(true);
    layout->addSpacing(4);
    layout->addLayout(buttons);
    card_->show();
    placeCard();
    raise();
    show();
    preferred->setFocus();
    update();
}

QString StandingsPanel::headline() const {
    return headline_ != nullptr ? headline_->text() : QString();
}

QRect StandingsPanel::cardGeometry() const {
    return card_ != nullptr ? card_->geometry() : QRect();
}

void StandingsPanel::placeCard() {
    if (card_ == nullptr) {
        return;
    }
    QSize size = card_->sizeHint().expandedTo(QSize(std::min(width() - 16, 380), 0));
    size = size.boundedTo(this->size() - QSize(16, 16));
    card_->setGeometry(QRect(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2),
                             size));
}

void StandingsPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeCard();
}

void StandingsPanel::paintEvent(QPaintEvent*) {
    // The playfield stays in sight behind the standings, dimmed.
    QPainter(this).fillRect(rect(), QColor(6, 14, 18, 150));
}

void StandingsPanel::mousePressEvent(QMouseEvent* event) { event->accept(); }

}  // namespace trundlex
