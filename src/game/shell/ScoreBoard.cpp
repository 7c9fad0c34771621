#include "ScoreBoard.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "ball/Ball.h"
#include "level/Level.h"
#include "platform/PlatformSupport.h"
#include "play/Match.h"
#include "render/BallLook.h"
#include "render/BallRenderer.h"

namespace trundlex {

namespace {

// `pixels` square, the ball filling most of it, on `ground` (transparent for none).
QImage ballImage(const BallStyle& style, int pixels, const QColor& ground) {
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(ground);
    const Level level(2, 2);
    Ball ball;
    ball.SetLevel(level);
    ball.SetX(0.45);
    ball.SetY(0.45);
    BallLook look(style);
    // A block of 19 pixels puts a ball of the game's size in the middle of 16.
    look.setGeometry(0, 0, pixels * 19 / 16);
    QPainter painter(&image);
    drawBall(painter, ball, look, false);
    return image;
}

// The plate's colours: the dark slate of the playfield's frame and the start screen.
const QColor kPlate(24, 44, 50, 232);
const QColor kPlateEdge(120, 160, 160, 110);
const QColor kHeaderText(176, 204, 198);
const QColor kText(244, 246, 238);
const QColor kParText(168, 190, 184);
const QColor kLine(255, 255, 255, 28);
const QColor kTurn(255, 204, 64);

}  // namespace

QIcon ballIcon(std::uint32_t colour, int pattern, bool transparent) {
    // Drawn at one and at two pixels a point, so that the icon stays sharp on a screen that
    // doubles (Qt picks the picture that fits the screen).
    QIcon icon;
    for (const int scale : {1, 2}) {
        QPixmap pixmap = QPixmap::fromImage(
            ballImage(BallStyle{colour, pattern, transparent}, 16 * scale, QColor(20, 128, 20))
                .convertToFormat(QImage::Format_RGB32));
        pixmap.setDevicePixelRatio(scale);
        icon.addPixmap(pixmap);
    }
    return icon;
}

ScoreBoard::ScoreBoard(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TranslucentBackground);
}

void ScoreBoard::fill(const Match& match) {
    clearBoard();
    holes_ = match.LevelCount();
    pars_.assign(static_cast<std::size_t>(holes_), -1);
    for (int i = 0; i < match.PlayerCount(); ++i) {
        const Player& player = *match.GetPlayer(i);
        Row row;
        row.name = shownName(player);
        row.style = player.GetStyle();
        row.strokes.assign(static_cast<std::size_t>(holes_), QString());
        row.total = QString::number(player.TotalStrokes());
        rows_.push_back(std::move(row));
    }
    balls_.assign(rows_.size(), QImage());
    resized();
    show();
}

void ScoreBoard::updateScores(const Match& match) {
    if (match.LevelCount() != holes_ || match.PlayerCount() != static_cast<int>(rows_.size())) {
        return;
    }
    bool renamed = false;
    for (int i = 0; i < match.PlayerCount(); ++i) {
        const Player& player = *match.GetPlayer(i);
        Row& row = rows_[static_cast<std::size_t>(i)];
        if (const QString name = shownName(player); row.name != name) {
            row.name = name;
            renamed = true;
        }
        for (int h = 0; h <= match.GetHole() && h < holes_; ++h) {
            row.strokes[static_cast<std::size_t>(h)] = QString::number(player.StrokesOn(h));
        }
        row.total = QString::number(player.TotalStrokes());
    }
    if (renamed) {
        resized();
    }
    update();
}

QString ScoreBoard::shownName(const Player& player) {
    const QString name = toDisplayText(player.GetName());
    return player.IsHandedOver() || player.IsPlayedByPeerComputer() ? tr("%1 (computer)").arg(name)
                                                                    : name;
}

void ScoreBoard::setPar(int hole, int par) {
    if (hole < 0 || hole >= static_cast<int>(pars_.size()) || rows_.empty()) {
        return;
    }
    pars_[static_cast<std::size_t>(hole)] = par;
    update();
}

void ScoreBoard::highlightPlayer(int index) {
    marked_ = index >= 0 && index < static_cast<int>(rows_.size()) ? index : -1;
    update();
}

void ScoreBoard::setUnit(int unit) {
    unit = std::max(12, unit);
    if (unit != unit_) {
        unit_ = unit;
        resized();
    }
}

void ScoreBoard::resized() {
    std::fill(balls_.begin(), balls_.end(), QImage());
    resize(tableSize());
    updateGeometry();
    update();
}

QFont ScoreBoard::cellFont(int unit, bool bold) const {
    QFont f = font();
    f.setPixelSize(std::max(10, unit * 3 / 5));
    f.setBold(bold);
    return f;
}

ScoreBoard::Columns ScoreBoard::columnsAt(int unit) const {
    const QFontMetrics plain(cellFont(unit, false));
    const QFontMetrics bold(cellFont(unit, true));
    Columns c;
    c.padding = std::max(4, unit / 3);
    // The name column holds the marker, the ball and the longest name (bold, as the turn's).
    int names = std::max(bold.horizontalAdvance(tr("Name")), bold.horizontalAdvance(tr("Par")));
    for (const Row& row : rows_) {
        names = std::max(names, bold.horizontalAdvance(row.name));
    }
    c.name = 2 * c.padding + unit / 2 + unit + names;
    // Room for two digits and the hole's number; "Total" may be longer in some languages.
    c.hole = std::max(plain.horizontalAdvance(QStringLiteral("188")), unit * 6 / 5);
    c.total = std::max(bold.horizontalAdvance(tr("Total")), bold.horizontalAdvance(QStringLiteral("888"))) +
              2 * c.padding;
    return c;
}

QSize ScoreBoard::sizeAt(int unit) const {
    if (rows_.empty()) {
        return {0, 0};
    }
    const Columns c = columnsAt(unit);
    return {c.name + holes_ * c.hole + c.total + c.padding / 2,
            (static_cast<int>(rows_.size()) + 2) * unit + unit / 3};
}

QRect ScoreBoard::playerRowRect(int index) const {
    if (index < 0 || index >= static_cast<int>(rows_.size())) {
        return {};
    }
    return {0, unit_ * (index + 1) + unit_ / 6, width(), unit_};
}

QString ScoreBoard::cellText(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) {
        return {};
    }
    const bool total = column == holes_ + 1;
    if (row == 0) {
        return column == 0 ? tr("Name") : total ? tr("Total") : QString::number(column);
    }
    if (row == rowCount() - 1) {
        if (column == 0) {
            return tr("Par");
        }
        if (!total) {
            const int par = pars_[static_cast<std::size_t>(column - 1)];
            return par > 0 ? QString::number(par) : par == 0 ? QStringLiteral("\u2013") : QString();
        }
        int sum = 0;
        for (const int p : pars_) {
            if (p <= 0) {
                return {};
            }
            sum += p;
        }
        return QString::number(sum);
    }
    const Row& r = rows_[static_cast<std::size_t>(row - 1)];
    return column == 0 ? r.name : total ? r.total : r.strokes[static_cast<std::size_t>(column - 1)];
}

const QImage& ScoreBoard::ballPicture(std::size_t row) {
    QImage& picture = balls_[row];
    const qreal ratio = std::max<qreal>(1.0, devicePixelRatioF());
    const int pixels = qRound(unit_ * 0.8 * ratio);
    if (picture.isNull() || picture.width() != pixels) {
        picture = ballImage(rows_[row].style, pixels, Qt::transparent);
        picture.setDevicePixelRatio(ratio);
    }
    return picture;
}

void ScoreBoard::paintEvent(QPaintEvent*) {
    if (rows_.empty()) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const Columns c = columnsAt(unit_);
    const int u = unit_;
    const QRectF plate = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const double radius = u / 2.5;
    QPainterPath shape;
    shape.addRoundedRect(plate, radius, radius);
    painter.fillPath(shape, kPlate);
    painter.setPen(QPen(kPlateEdge, 1));
    painter.drawPath(shape);

    const int top = u / 6;
    const int players = static_cast<int>(rows_.size());
    auto columnRect = [&](int column, int row) {
        const int y = top + row * u;
        if (column == 0) {
            return QRect(c.padding, y, c.name - c.padding, u);
        }
        if (column <= holes_) {
            return QRect(c.name + (column - 1) * c.hole, y, c.hole, u);
        }
        return QRect(c.name + holes_ * c.hole, y, c.total, u);
    };

    // The turn's row: a band lit in gold under the whole row, and a marker at its start.
    if (marked_ >= 0) {
        const QRectF band = QRectF(playerRowRect(marked_)).adjusted(3, 1, -3, -1);
        QLinearGradient glow(band.topLeft(), band.topRight());
        glow.setColorAt(0, QColor(kTurn.red(), kTurn.green(), kTurn.blue(), 110));
        glow.setColorAt(1, QColor(kTurn.red(), kTurn.green(), kTurn.blue(), 30));
        painter.setPen(QPen(QColor(kTurn.red(), kTurn.green(), kTurn.blue(), 170), 1));
        painter.setBrush(glow);
        painter.drawRoundedRect(band, radius / 1.5, radius / 1.5);
        const double x = c.padding;
        const double cy = band.center().y();
        const double h = u * 0.22;
        painter.setPen(Qt::NoPen);
        painter.setBrush(kTurn);
        painter.drawPolygon(QPolygonF({QPointF(x, cy - h), QPointF(x + h * 1.5, cy),
                                       QPointF(x, cy + h)}));
    }

    // Lines under the header and above the par row, and between the columns of holes.
    painter.setPen(QPen(kLine, 1));
    const int left = c.padding / 2;
    const int right = width() - c.padding / 2;
    painter.drawLine(left, top + u, right, top + u);
    painter.drawLine(left, top + (players + 1) * u, right, top + (players + 1) * u);
    for (int column = 1; column <= holes_ + 1; ++column) {
        const int x = columnRect(column, 0).left();
        painter.drawLine(x, top + 4, x, top + (players + 2) * u - 4);
    }

    const QFont plain = cellFont(u, false);
    const QFont bold = cellFont(u, true);
    for (int row = 0; row < rowCount(); ++row) {
        const bool header = row == 0;
        const bool parRow = row == players + 1;
        const bool turn = row - 1 == marked_ && !header && !parRow;
        QFont f = header || turn ? bold : plain;
        f.setItalic(parRow);
        painter.setFont(f);
        painter.setPen(header ? kHeaderText : parRow ? kParText : turn ? kTurn.lighter(120) : kText);
        for (int column = 0; column < columnCount(); ++column) {
            QRect cell = columnRect(column, row);
            const QString text = cellText(row, column);
            if (column == 0) {
                cell.setLeft(cell.left() + u / 2);
                if (!header && !parRow) {
                    const QImage& ball = ballPicture(static_cast<std::size_t>(row - 1));
                    const int size = qRound(ball.width() / ball.devicePixelRatio());
                    painter.drawImage(QPoint(cell.left(), cell.top() + (u - size) / 2), ball);
                    cell.setLeft(cell.left() + u);
                }
                painter.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter,
                                 QFontMetrics(f).elidedText(text, Qt::ElideRight, cell.width()));
            } else {
                // The sum stands out from the holes.
                if (column == holes_ + 1 && !header) {
                    QFont sum = f;
                    sum.setBold(true);
                    painter.setFont(sum);
                }
                painter.drawText(cell, Qt::AlignCenter, text);
                painter.setFont(f);
            }
        }
    }
}

void ScoreBoard::mousePressEvent(QMouseEvent* event) { event->accept(); }

void ScoreBoard::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }

void ScoreBoard::clearBoard() {
    rows_.clear();
    balls_.clear();
    pars_.clear();
    holes_ = 0;
    marked_ = -1;
    update();
}

QString ScoreBoard::copyText() const {
    if (rows_.empty()) {
        return {};
    }
    QString text;
    for (int r = 0; r < rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < columnCount(); ++c) {
            cells << cellText(r, c);
        }
        text += cells.join(QLatin1Char('\t')) + QStringLiteral("\r\n");
    }
    return text;
}

}  // namespace trundlex
