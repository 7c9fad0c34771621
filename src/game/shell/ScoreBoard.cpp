#include "ScoreBoard.h"

#include <QHeaderView>
#include <QPainter>

#include "ball/Ball.h"
#include "level/Level.h"
#include "render/BallLook.h"
#include "play/Match.h"
#include "render/BallRenderer.h"
#include "platform/PlatformSupport.h"

namespace trundlex {

QIcon ballIcon(std::uint32_t colour, int pattern, bool transparent) {
    // Drawn at one and at two pixels a point, so that the icon stays sharp on a screen that
    // doubles (Qt picks the picture that fits the screen).
    QIcon icon;
    for (const int scale : {1, 2}) {
        QImage image(16 * scale, 16 * scale, QImage::Format_RGB32);
        image.fill(QColor(20, 128, 20));
        const Level level(2, 2);
        Ball ball;
        ball.SetLevel(level);
        ball.SetX(0.45);
        ball.SetY(0.45);
        BallLook look(BallStyle{colour, pattern, transparent});
        look.setGeometry(0, 0, 19 * scale);
        QPainter painter(&image);
        drawBall(painter, ball, look, false);
        painter.end();
        QPixmap pixmap = QPixmap::fromImage(image);
        pixmap.setDevicePixelRatio(scale);
        icon.addPixmap(pixmap);
    }
    return icon;
}

ScoreBoard::ScoreBoard(QWidget* parent) : QTableWidget(parent) {
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFocusPolicy(Qt::NoFocus);
    setShowGrid(true);
    verticalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(18);
    setIconSize(QSize(16, 16));
}

void ScoreBoard::fill(const Match& match) {
    clearBoard();
    const int holes = match.LevelCount();
    setColumnCount(holes + 2);
    QStringList headers{tr("Name")};
    for (int h = 1; h <= holes; ++h) {
        headers << QString::number(h);
    }
    headers << tr("Total");
    setHorizontalHeaderLabels(headers);
    setRowCount(match.PlayerCount() + 1);
    pars_.assign(static_cast<std::size_t>(holes), -1);
    for (int c = 0; c <= holes + 1; ++c) {
        auto* cell = new QTableWidgetItem(c == 0 ? tr("Par") : QString());
        cell->setFlags(Qt::ItemIsEnabled);
        cell->setForeground(QColor(96, 96, 96));
        QFont font = cell->font();
        font.setItalic(true);
        cell->setFont(font);
        if (c > 0) {
            cell->setTextAlignment(Qt::AlignCenter);
        }
        setItem(match.PlayerCount(), c, cell);
    }
    for (int i = 0; i < match.PlayerCount(); ++i) {
        const Player& player = *match.GetPlayer(i);
        const BallStyle& style = player.GetStyle();
        auto* name = new QTableWidgetItem(ballIcon(style.colour, style.pattern, style.transparent),
                                          shownName(player));
        setItem(i, 0, name);
        for (int c = 1; c <= holes + 1; ++c) {
            auto* cell = new QTableWidgetItem();
            cell->setTextAlignment(Qt::AlignCenter);
            setItem(i, c, cell);
        }
        item(i, holes + 1)->setText(QString::number(player.TotalStrokes()));
    }
    for (int c = 1; c <= holes + 1; ++c) {
        // At least as wide as the header ("Total" is longer in some languages).
        resizeColumnToContents(c);
        setColumnWidth(c, std::max(columnWidth(c), c <= holes ? 24 : 36));
    }
    fitNameColumn();
    show();
}

void ScoreBoard::updateScores(const Match& match) {
    const int holes = match.LevelCount();
    if (columnCount() != holes + 2 || rowCount() != match.PlayerCount() + 1) {
        return;
    }
    bool renamed = false;
    for (int i = 0; i < match.PlayerCount(); ++i) {
        const Player& player = *match.GetPlayer(i);
        if (const QString name = shownName(player); item(i, 0)->text() != name) {
            item(i, 0)->setText(name);
            renamed = true;
        }
        for (int h = 0; h <= match.GetHole() && h < holes; ++h) {
            item(i, h + 1)->setText(QString::number(player.StrokesOn(h)));
        }
        item(i, holes + 1)->setText(QString::number(player.TotalStrokes()));
    }
    if (renamed) {
        fitNameColumn();
    }
}

void ScoreBoard::fitNameColumn() {
    resizeColumnToContents(0);
    setColumnWidth(0, std::max(columnWidth(0), 55));
}

QString ScoreBoard::shownName(const Player& player) {
    const QString name = toDisplayText(player.GetName());
    return player.IsHandedOver() || player.IsPlayedByPeerComputer() ? tr("%1 (computer)").arg(name)
                                                                    : name;
}

void ScoreBoard::setPar(int hole, int par) {
    if (hole < 0 || hole >= static_cast<int>(pars_.size()) || parRow() < 0) {
        return;
    }
    pars_[static_cast<std::size_t>(hole)] = par;
    item(parRow(), hole + 1)->setText(par > 0 ? QString::number(par) : QStringLiteral("\u2013"));
    int sum = 0;
    for (const int p : pars_) {
        if (p <= 0) {
            sum = -1;
            break;
        }
        sum += p;
    }
    item(parRow(), columnCount() - 1)->setText(sum > 0 ? QString::number(sum) : QString());
}

void ScoreBoard::highlightPlayer(int index) {
    if (index < 0 || index >= parRow()) {
        clearSelection();
        return;
    }
    selectRow(index);
    scrollToItem(item(index, 0));
}

QSize ScoreBoard::tableSize() const {
    int w = 2 * frameWidth();
    for (int c = 0; c < columnCount(); ++c) {
        w += columnWidth(c);
    }
    int h = 2 * frameWidth() + horizontalHeader()->sizeHint().height();
    for (int r = 0; r < rowCount(); ++r) {
        h += rowHeight(r);
    }
    return QSize(w, h);
}

void ScoreBoard::clearBoard() {
    clear();
    pars_.clear();
    setRowCount(0);
    setColumnCount(0);
}

QString ScoreBoard::copyText() const {
    if (rowCount() == 0 || columnCount() == 0) {
        return {};
    }
    QStringList header;
    for (int c = 0; c < columnCount(); ++c) {
        const QTableWidgetItem* cell = horizontalHeaderItem(c);
        header << (cell ? cell->text() : QString());
    }
    QString text = header.join(QLatin1Char('\t')) + QStringLiteral("\r\n");
    for (int r = 0; r <= parRow(); ++r) {
        QStringList cells;
        for (int c = 0; c < columnCount(); ++c) {
            cells << (item(r, c) ? item(r, c)->text() : QString());
        }
        text += cells.join(QLatin1Char('\t')) + QStringLiteral("\r\n");
    }
    return text;
}

}  // namespace trundlex
