#include "MatchResultsDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "platform/PlatformSupport.h"
#include "ResultsPictures.h"
#include "play/Match.h"

namespace trundlex {

namespace {

// The background of one row of the ranking, behind its cells.
class RowBand : public QWidget {
public:
    RowBand(const QColor& colour, QWidget* parent) : QWidget(parent), colour_(colour) {}

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), colour_); }

private:
    QColor colour_;
};

QLabel* cellLabel(const QString& text, QWidget* parent, Qt::Alignment alignment, bool bold) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment | Qt::AlignVCenter);
    label->setContentsMargins(8, 4, 8, 4);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

}  // namespace

MatchResultsDialog::MatchResultsDialog(const Match& match, const std::vector<int>& pars,
                                       Options options, QWidget* parent)
    : QDialog(parent), rows_(rank(match, pars)), options_(std::move(options)) {
    setWindowTitle(tr("Game over"));
    parShown_ = !rows_.empty() && rows_.front().againstPar.has_value();

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(12);
    layout->addWidget(makeHeader(match));
    if (options_.newHighScore) {
        highScore_ = new QLabel(tr("New high score!"), this);
        highScore_->setObjectName(QStringLiteral("resultsHighScore"));
        highScore_->setAlignment(Qt::AlignCenter);
        highScore_->setStyleSheet(QStringLiteral(
            "#resultsHighScore { background: #fff3cd; color: #5a3d00; border: 1px solid #e0b040;"
            " border-radius: 6px; padding: 4px; font-weight: bold; }"));
        QFont big = highScore_->font();
        big.setPointSizeF(big.pointSizeF() * 1.25);
        highScore_->setFont(big);
        layout->addWidget(highScore_);
    }
    layout->addWidget(makeTable());
    if (options_.dayBest) {
        dayBest_ = new QLabel(tr("Today's best on this computer: %1, %n stroke(s)", nullptr,
                                 options_.dayBest->second)
                                  .arg(options_.dayBest->first),
                              this);
        dayBest_->setAlignment(Qt::AlignCenter);
        layout->addWidget(dayBest_);
    }
    if (!options_.warning.isEmpty()) {
        layout->addWidget(makeWarning(options_.warning));
    }

    auto* buttons = new QHBoxLayout;
    if (options_.showHighScores) {
        highScores_ = new QPushButton(tr("&High scores..."), this);
        highScores_->setAutoDefault(false);
        connect(highScores_, &QPushButton::clicked, this, [this] { options_.showHighScores(); });
        buttons->addWidget(highScores_);
    }
    buttons->addStretch(1);
    newGame_ = new QPushButton(tr("&New game..."), this);
    connect(newGame_, &QPushButton::clicked, this, [this] { choose(Choice::NewGame); });
    buttons->addWidget(newGame_);
    if (options_.playAgain) {
        playAgain_ = new QPushButton(tr("&Play again"), this);
        connect(playAgain_, &QPushButton::clicked, this, [this] { choose(Choice::PlayAgain); });
        buttons->addWidget(playAgain_);
    }
    QPushButton* rejoin = nullptr;
    if (options_.rejoin) {
        rejoin = new QPushButton(tr("&Rejoin"), this);
        connect(rejoin, &QPushButton::clicked, this, [this] { choose(Choice::Rejoin); });
        buttons->addWidget(rejoin);
    }
    close_ = new QPushButton(tr("Close"), this);
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(close_);
    // Another round is what a table of friends most often wants; where this computer cannot
    // start one (a network client), Enter just closes.
    // After a lost connection, going back in is what the player wants.
    QPushButton* preferred = rejoin != nullptr ? rejoin : playAgain_ != nullptr ? playAgain_ : close_;
    preferred->setDefault(true);
    preferred->setFocus();
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

std::vector<MatchResultsDialog::Row> MatchResultsDialog::rank(const Match& match,
                                                              const std::vector<int>& pars) {
    const int players = match.PlayerCount();
    const int holes = match.LevelCount();
    // A match that ended early (its network game lost its host) has no score against the
    // course's par: the holes not played would count as if played in no strokes.
    bool parKnown = match.IsOver() && holes > 0 && static_cast<int>(pars.size()) >= holes;
    int parTotal = 0;
    for (int h = 0; parKnown && h < holes; ++h) {
        parKnown = pars[static_cast<std::size_t>(h)] > 0;
        parTotal += pars[static_cast<std::size_t>(h)];
    }
    // Players of other computers in the list: the ones of this computer are worth a mark.
    bool networked = false;
    for (int i = 0; i < players; ++i) {
        networked = networked || !match.GetPlayer(i)->IsCreatedLocal();
    }
    const std::vector<std::int32_t> winners = match.Winners();
    std::vector<Row> rows;
    for (int i = 0; i < players; ++i) {
        const Player& player = *match.GetPlayer(i);
        Row row;
        row.player = i;
        row.name = toDisplayText(player.GetName());
        row.colour = player.GetStyle().colour;
        row.strokes = player.TotalStrokes();
        if (parKnown) {
            row.againstPar = row.strokes - parTotal;
        }
        row.here = networked && player.IsCreatedLocal();
        rows.push_back(row);
    }
    // The match names the winners; everyone else is placed behind all who took fewer strokes.
    for (Row& row : rows) {
        const bool won = std::find(winners.begin(), winners.end(), row.player) != winners.end();
        row.place = won ? 1
                        : 1 + static_cast<int>(std::count_if(rows.begin(), rows.end(),
                                                             [&](const Row& other) {
                                                                 return other.strokes < row.strokes;
                                                             }));
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Row& a, const Row& b) { return a.place < b.place; });
    return rows;
}

QString MatchResultsDialog::againstParText(int difference) {
    if (difference == 0) {
        return tr("Par");
    }
    return (difference > 0 ? QStringLiteral("+") : QStringLiteral("\u2212")) +
           QString::number(std::abs(difference));
}

QString MatchResultsDialog::headlineFor(const Match& match) {
    QStringList winners;
    for (const std::int32_t index : match.Winners()) {
        winners << toDisplayText(match.GetPlayer(index)->GetName());
    }
    if (!match.IsOver()) {
        return tr("The game ended early");
    }
    if (match.PlayerCount() == 1 && winners.size() == 1) {
        return tr("Well played, %1!").arg(winners.front());
    }
    if (winners.size() == 1) {
        return tr("%1 wins!").arg(winners.front());
    }
    if (winners.size() > 1) {
        const QString last = winners.takeLast();
        return tr("%1 and %2 share the win!").arg(winners.join(QStringLiteral(", ")), last);
    }
    return {};
}

QWidget* MatchResultsDialog::makeHeader(const Match& match) {
    const QString text = headlineFor(match);

    auto* header = new QFrame(this);
    auto* layout = new QHBoxLayout(header);
    headline_ = new QLabel(text, header);
    headline_->setTextFormat(Qt::PlainText);
    headline_->setWordWrap(true);
    headline_->setAlignment(Qt::AlignCenter);
    QFont big = headline_->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.6);
    headline_->setFont(big);
    // A headline that fits in a wide dialog stays on one line; a longer one (long names in a
    // tie) breaks at that width instead of into narrow lines with a word left over.
    const int oneLine = QFontMetrics(big).horizontalAdvance(text) + 8;
    headline_->setMinimumWidth(std::min(oneLine, 600));
    auto* standing = new QLabel(
        match.IsOver() ? tr("Final standings after %n hole(s)", "", match.LevelCount())
                       : tr("Standings on hole %1 of %2")
                             .arg(match.GetHole() + 1)
                             .arg(match.LevelCount()),
        header);
    standing->setAlignment(Qt::AlignCenter);
    auto* texts = new QVBoxLayout;
    texts->addWidget(headline_);
    texts->addWidget(standing);
    auto* cup = new QLabel(header);
    if (match.IsOver()) {
        // A game that ended early has nobody to give a cup to.
        cup->setPixmap(resultspictures::trophy(*this));
    }
    // As wide as the cup on the other side, so the texts stay centred.
    auto* balance = new QWidget(header);
    balance->setFixedSize(cup->sizeHint());
    layout->addWidget(cup, 0, Qt::AlignVCenter);
    layout->addLayout(texts, 1);
    layout->addWidget(balance);
    if (options_.look == Look::Modern) {
        // The playfield's grass behind the headline, as the modern look paints the course.
        header->setObjectName(QStringLiteral("resultsHeader"));
        header->setStyleSheet(QStringLiteral(
            "#resultsHeader { border-radius: 8px; background: qlineargradient(x1:0, y1:0, x2:0, "
            "y2:1, stop:0 #4caf50, stop:1 #2e7d32); } #resultsHeader QLabel { color: white; }"));
        layout->setContentsMargins(18, 14, 18, 14);
    } else {
        header->setFrameShape(QFrame::StyledPanel);
        header->setFrameShadow(QFrame::Raised);
        layout->setContentsMargins(12, 10, 12, 10);
    }
    header->setMinimumWidth(420);
    return header;
}

QWidget* MatchResultsDialog::makeTable() {
    auto* table = new QFrame(this);
    table->setFrameShape(QFrame::StyledPanel);
    table->setAutoFillBackground(true);
    table->setBackgroundRole(QPalette::Base);
    auto* grid = new QGridLayout(table);
    grid->setContentsMargins(1, 1, 1, 1);
    grid->setSpacing(0);
    const int columns = parShown_ ? 5 : 4;

    QColor muted = palette().color(QPalette::Text);
    muted.setAlpha(150);
    const QStringList headers{QString(), QString(), tr("Player"), tr("Strokes"), tr("To par")};
    for (int c = 0; c < columns; ++c) {
        QLabel* label = cellLabel(headers[c], table, c >= 3 ? Qt::AlignRight : Qt::AlignLeft,
                                  false);
        QPalette colours = label->palette();
        colours.setColor(QPalette::WindowText, muted);
        label->setPalette(colours);
        grid->addWidget(label, 0, c);
    }

    const bool modern = options_.look == Look::Modern;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const Row& row = rows_[i];
        const int r = static_cast<int>(i) + 1;
        // A band behind the row: the winners' in a warm tint, the others alternating.
        QColor fill = palette().color(i % 2 == 0 ? QPalette::AlternateBase : QPalette::Base);
        if (row.place == 1) {
            fill = modern ? QColor(255, 243, 205) : palette().color(QPalette::AlternateBase);
        }
        grid->addWidget(new RowBand(fill, table), r, 0, 1, columns);

        const bool winner = row.place == 1;
        auto* place = new QLabel(table);
        place->setAlignment(Qt::AlignCenter);
        place->setContentsMargins(6, 3, 2, 3);
        place->setPixmap(resultspictures::medal(*this, row.place));
        place->setToolTip(QString::number(row.place));
        grid->setRowMinimumHeight(r, resultspictures::MedalSize + 6);
        grid->addWidget(place, r, 0);
        auto* ball = new QLabel(table);
        ball->setPixmap(resultspictures::disc(*this, row.colour));
        ball->setContentsMargins(4, 0, 0, 0);
        grid->addWidget(ball, r, 1);
        QString name = row.name;
        if (row.here) {
            name += QLatin1Char(' ') + tr("(you)");
        }
        grid->addWidget(cellLabel(name, table, Qt::AlignLeft, winner), r, 2);
        grid->addWidget(cellLabel(QString::number(row.strokes), table, Qt::AlignRight, winner), r,
                        3);
        if (parShown_) {
            grid->addWidget(
                cellLabel(againstParText(*row.againstPar), table, Qt::AlignRight, winner), r, 4);
        }
        // Palette colours may not be lighter than the text in every style: keep text readable
        // on the winners' tint.
        if (modern && winner) {
            for (int c = 2; c < columns; ++c) {
                if (auto* label = qobject_cast<QLabel*>(grid->itemAtPosition(r, c)->widget())) {
                    QPalette colours = label->palette();
                    colours.setColor(QPalette::WindowText, QColor(40, 30, 0));
                    label->setPalette(colours);
                }
            }
        }
    }
    grid->setColumnStretch(2, 1);
    return table;
}

QWidget* MatchResultsDialog::makeWarning(const QString& text) {
    auto* box = new QFrame(this);
    box->setObjectName(QStringLiteral("resultsWarning"));
    box->setStyleSheet(QStringLiteral(
        "#resultsWarning { background: #fff4ce; border: 1px solid #d9a400; border-radius: 4px; }"
        "#resultsWarning QLabel { color: #4d3800; }"));
    auto* icon = new QLabel(box);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(24, 24));
    warning_ = new QLabel(text, box);
    warning_->setTextFormat(Qt::PlainText);
    warning_->setWordWrap(true);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->addWidget(icon, 0, Qt::AlignTop);
    layout->addWidget(warning_, 1);
    return box;
}

void MatchResultsDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Qt places a dialog by the size it guessed before the wrapped headline settled; centre
    // it on the game's window by the size it really has.
    if (const QWidget* owner = parentWidget()) {
        const QRect frame = frameGeometry();
        move(owner->window()->frameGeometry().center() -
             QPoint(frame.width() / 2, frame.height() / 2));
    }
}

void MatchResultsDialog::choose(Choice choice) {
    choice_ = choice;
    accept();
}

QString MatchResultsDialog::headline() const { return headline_->text(); }

QString MatchResultsDialog::warning() const {
    return warning_ != nullptr ? warning_->text() : QString();
}

QString MatchResultsDialog::highScoreNote() const {
    return highScore_ != nullptr ? highScore_->text() : QString();
}

QString MatchResultsDialog::dayBestNote() const {
    return dayBest_ != nullptr ? dayBest_->text() : QString();
}

QStringList MatchResultsDialog::rowTexts(const std::vector<Row>& rows) {
    QStringList lines;
    for (const Row& row : rows) {
        QStringList cells{QString::number(row.place), row.name, QString::number(row.strokes)};
        if (row.here) {
            cells[1] += QLatin1Char(' ') + tr("(you)");
        }
        if (row.againstPar) {
            cells << againstParText(*row.againstPar);
        }
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines;
}

}  // namespace trundlex
