#include "StartScreen.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <algorithm>

#include "ball/Ball.h"
#include "level/Level.h"
#include "render/BallLook.h"
#include "render/BallRenderer.h"
#include "render/BlockRenderer.h"
#include "render/ModernBall.h"
#include "render/ModernRenderer.h"

namespace trundlex {

namespace {

// A choice box with the rounded look of the name field, which loses the platform's arrow:
// a chevron drawn here still says that it opens.
class ChoiceBox : public QComboBox {
public:
    using QComboBox::QComboBox;

protected:
    void paintEvent(QPaintEvent* event) override {
        QComboBox::paintEvent(event);
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing, true);
        const qreal size = height() / 6.0;
        const QPointF centre(width() - height() / 2.0, height() / 2.0 + size / 4);
        painter.setPen(QPen(QColor(0x1c, 0x2a, 0x2e), std::max(2.0, size / 2.5), Qt::SolidLine,
                            Qt::RoundCap, Qt::RoundJoin));
        const QPointF chevron[] = {centre + QPointF(-size, -size / 1.5), centre + QPointF(0, size / 2.5),
                                   centre + QPointF(size, -size / 1.5)};
        painter.drawPolyline(chevron, 3);
    }
};

constexpr int kColumns = 11;
constexpr int kRows = 6;

// A small walled hole with a pond, a bunker, a slope and the cup.
Level sampleLevel() {
    Level level;
    level.init(kColumns, kRows, "", "");
    for (int c = 0; c < kColumns; ++c) {
        for (int r = 0; r < kRows; ++r) {
            Block& b = level.block(c, r);
            if (c == 0 || r == 0 || c == kColumns - 1 || r == kRows - 1) {
                b.back().setKind(Wall);
            }
        }
    }
    auto shaped = [&](int c, int r, int shape, int rotation, Material back, Material front) {
        Block& b = level.block(c, r);
        b.setShape(shape);
        b.setRotation(rotation);
        b.back() = back;
        b.front() = front;
    };
    const Material grass(Grass, Flat);
    for (int c = 5; c <= 6; ++c) {
        level.block(c, 1).back().setKind(Water);
        level.block(c, 2).back().setKind(Water);
    }
    level.block(6, 4).back().setKind(Sand);
    level.block(7, 4).back().setKind(Sand);
    for (int c = 2; c <= 4; ++c) {
        level.block(c, 4).back().setSlope(SlopeRight);
    }
    shaped(8, 2, Circle, 0, grass, Material(Cup, Flat));
    shaped(3, 2, Circle, 0, grass, Material(Wall, Flat));
    return level;
}

}  // namespace

StartScreen::StartScreen(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("startScreen"));
    setAttribute(Qt::WA_StyledBackground, false);
    nameLabel_ = new QLabel(tr("Your &name"), this);
    name_ = new QLineEdit(this);
    name_->setMaxLength(40);
    name_->setAccessibleName(tr("Your name"));
    name_->setPlaceholderText(tr("Type your name"));
    nameLabel_->setBuddy(name_);
    strengthLabel_ = new QLabel(tr("Co&mputer"), this);
    strength_ = new ChoiceBox(this);
    strength_->addItem(tr("Easy"), static_cast<int>(ComputerStrength::Easy));
    strength_->addItem(tr("Medium"), static_cast<int>(ComputerStrength::Medium));
    strength_->addItem(tr("Hard"), static_cast<int>(ComputerStrength::Hard));
    strength_->setAccessibleName(tr("Computer strength"));
    strengthLabel_->setBuddy(strength_);
    auto button = [this](const QString& text, const char* name, const QString& description) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAccessibleName(QString(text).remove(QLatin1Char('&')));
        b->setAccessibleDescription(description);
        b->setToolTip(description);
        // Enter presses the button that has the focus, as Space does.
        b->setAutoDefault(true);
        b->setCursor(Qt::PointingHandCursor);
        return b;
    };
    continue_ = button(tr("&Continue"), "continue", QString());
    play_ = button(tr("&Play"), "play", tr("Play against the computer on the course at once"));
    today_ = button(tr("&Today's course"), "today",
                    tr("Play against the computer on the nine holes drawn for today, the same "
                       "for everybody, with a high-score list of the day's own"));
    friends_ = button(tr("Play &with friends"), "friends",
                      tr("Create a room online or join a friend's room with its code"));
    local_ = button(tr("&Local game"), "local",
                    tr("Set up a game of several players on this computer or over the network"));
    continue_->hide();
    setTabOrder(continue_, name_);
    setTabOrder(name_, strength_);
    setTabOrder(strength_, play_);
    setTabOrder(play_, today_);
    setTabOrder(today_, friends_);
    setTabOrder(friends_, local_);
    connect(name_, &QLineEdit::returnPressed, play_, &QPushButton::click);
    connect(play_, &QPushButton::clicked, this, &StartScreen::playChosen);
    connect(today_, &QPushButton::clicked, this, &StartScreen::todayChosen);
    connect(friends_, &QPushButton::clicked, this, &StartScreen::friendsChosen);
    connect(local_, &QPushButton::clicked, this, &StartScreen::localGameChosen);
    connect(continue_, &QPushButton::clicked, this, &StartScreen::continueChosen);
    offer({}, ComputerStrength::Medium);
    arrange();
}

void StartScreen::offer(const QString& name, ComputerStrength strength) {
    name_->setText(name);
    const int index = strength_->findData(static_cast<int>(strength));
    strength_->setCurrentIndex(index >= 0 ? index : 1);
}

QString StartScreen::playerName() const { return name_->text().trimmed(); }

ComputerStrength StartScreen::strength() const {
    return static_cast<ComputerStrength>(strength_->currentData().toInt());
}

void StartScreen::offerContinue(bool offered, const QString& code) {
    const QString text = code.isEmpty() ? tr("&Continue") : tr("&Continue in room %1").arg(code);
    continue_->setText(text);
    continue_->setAccessibleName(tr("Continue"));
    continue_->setAccessibleDescription(tr("Go back to the room game you left"));
    continue_->setToolTip(continue_->accessibleDescription());
    continue_->setVisible(offered);
    arrange();
}

void StartScreen::focusFirst() {
    if (continue_->isVisibleTo(this)) {
        continue_->setFocus();
    } else if (name_->text().trimmed().isEmpty()) {
        name_->setFocus();
    } else {
        play_->setFocus();
    }
}

void StartScreen::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    arrange();
}

void StartScreen::arrange() {
    const QRect area = rect();
    // Everything is measured in one unit that follows the window, so the screen looks the same
    // in a small window and on a whole screen.
    const int unit = std::max(12, std::min(area.width() / 36, area.height() / 30));
    unit_ = unit;
    // Wide enough for the two buttons side by side in either language, even in a small window.
    const int column = std::min(area.width() - 2 * unit, std::max(unit * 20, 360));
    const int left = area.left() + (area.width() - column) / 2;
    const int gap = unit / 2;
    const int fieldHeight = unit * 2;
    const int labelHeight = unit;
    const int playHeight = unit * 3;
    const int buttonHeight = unit * 2 + unit / 2;
    const int buttonsHeight = labelHeight + fieldHeight + gap + playHeight + gap + buttonHeight +
                              gap + buttonHeight +
                              (continue_->isVisibleTo(this) ? buttonHeight + gap : 0);
    const int titleHeight = unit * 4;
    const int pictureHeight =
        std::max(0, std::min(area.height() - buttonsHeight - titleHeight - 6 * unit, unit * 7));
    const int total = titleHeight + pictureHeight + unit + buttonsHeight;
    int y = area.top() + std::max(unit / 2, (area.height() - total - unit * 2) / 2);
    titleBox_ = QRect(area.left(), y, area.width(), titleHeight);
    y += titleHeight;
    const int blockSize = std::max(4, std::min(column / kColumns, pictureHeight / kRows));
    pictureBox_ = QRect(area.left() + (area.width() - blockSize * kColumns) / 2, y,
                        blockSize * kColumns, blockSize * kRows);
    y += pictureBox_.height() + unit;
    if (continue_->isVisibleTo(this)) {
        continue_->setGeometry(left, y, column, buttonHeight);
        y += buttonHeight + gap;
    }
    const int nameWidth = (column - gap) * 3 / 5;
    const int strengthWidth = column - gap - nameWidth;
    nameLabel_->setGeometry(left, y, nameWidth, labelHeight);
    strengthLabel_->setGeometry(left + nameWidth + gap, y, strengthWidth, labelHeight);
    y += labelHeight;
    name_->setGeometry(left, y, nameWidth, fieldHeight);
    strength_->setGeometry(left + nameWidth + gap, y, strengthWidth, fieldHeight);
    y += fieldHeight + gap;
    play_->setGeometry(left, y, column, playHeight);
    y += playHeight + gap;
    today_->setGeometry(left, y, column, buttonHeight);
    y += buttonHeight + gap;
    const int half = (column - gap) / 2;
    friends_->setGeometry(left, y, half, buttonHeight);
    local_->setGeometry(left + column - half, y, half, buttonHeight);
    y += buttonHeight;
    taglineBox_ = QRect(area.left(), y + unit / 2, area.width(), unit * 2);

    // Big, round buttons in the colours of the modern playfield: the warm yellow of the flag
    // for Play, the green of the grass for Continue, glassy ones for the rest. A white ring
    // shows where the keyboard is.
    const int big = std::max(14, unit * 11 / 10);
    const int normal = std::max(12, unit * 3 / 4);
    // A little under half the height, and borders opaque: Qt draws a rounded border in pieces
    // that overlap at the joins, which a translucent colour shows as notches.
    const int radius = buttonHeight / 2 - 2;
    setStyleSheet(QStringLiteral(
        "QPushButton { color: white; background: rgba(255,255,255,38); border: 2px solid "
        "rgb(128,154,158); border-radius: %1px; font-size: %2px; font-weight: 600; }"
        "QPushButton:hover { background: rgba(255,255,255,64); }"
        "QPushButton:pressed { background: rgba(0,0,0,50); }"
        "QPushButton:focus { border: 3px solid white; }"
        "QPushButton#play { color: #2a1e08; background: #fac83c; border: 2px solid #fac83c; "
        "border-radius: %3px; font-size: %4px; font-weight: bold; }"
        "QPushButton#play:hover { background: #ffd95e; }"
        "QPushButton#play:pressed { background: #e0b030; }"
        "QPushButton#play:focus { border: 3px solid white; }"
        "QPushButton#today { border-color: #fac83c; }"
        "QPushButton#today:focus { border: 3px solid white; }"
        "QPushButton#continue { background: #3f9a5c; border-color: #3f9a5c; }"
        "QPushButton#continue:hover { background: #4bb36c; }"
        "QPushButton#continue:focus { border: 3px solid white; }"
        "QLabel { color: rgb(220,230,225); font-size: %5px; }"
        "QLineEdit, QComboBox { color: #1c2a2e; background: #f6f8f4; border: 2px solid "
        "#f6f8f4; border-radius: %6px; padding: 0 %7px; font-size: %2px; }"
        "QLineEdit:focus, QComboBox:focus { border: 3px solid #fac83c; }"
        "QComboBox::drop-down { subcontrol-origin: padding; subcontrol-position: center right; "
        "width: %8px; border: none; }"
        "QComboBox QAbstractItemView { color: #1c2a2e; background: #f6f8f4; "
        "selection-background-color: #fac83c; selection-color: #2a1e08; font-size: %2px; }")
                      .arg(radius)
                      .arg(normal)
                      .arg(playHeight / 2 - 2)
                      .arg(big)
                      .arg(std::max(11, unit * 2 / 3))
                      .arg(fieldHeight / 4)
                      .arg(unit / 2)
                      .arg(fieldHeight));
    update();
}

void StartScreen::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = rect();
    const Look look = look_ ? look_() : Look::Modern;
    if (look == Look::Modern) {
        QLinearGradient backdrop(area.topLeft(), area.bottomLeft());
        backdrop.setColorAt(0, QColor(36, 70, 78));
        backdrop.setColorAt(1, QColor(18, 36, 44));
        painter.fillRect(area, backdrop);
    } else {
        painter.fillRect(area, QColor(0, 70, 35));
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    QFont title = font();
    title.setPixelSize(unit_ * 3);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(QColor(0, 0, 0, 120));
    painter.drawText(titleBox_.translated(2, 3), Qt::AlignCenter, QStringLiteral("Trundlex"));
    painter.setPen(QColor(250, 250, 240));
    painter.drawText(titleBox_, Qt::AlignCenter, QStringLiteral("Trundlex"));

    if (pictureBox_.height() >= kRows * 4) {
        // Drawn in the screen's own pixels, so it stays sharp on a dense screen.
        const qreal ratio = std::max<qreal>(1.0, devicePixelRatioF());
        QImage picture = sample(look, qRound(pictureBox_.height() / kRows * ratio));
        picture.setDevicePixelRatio(ratio);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 70));
        painter.drawRoundedRect(QRectF(pictureBox_).adjusted(-6, -4, 10, 12), 12, 12);
        painter.drawImage(pictureBox_.topLeft(), picture);
    }

    QFont line = font();
    line.setPixelSize(std::max(11, unit_ * 2 / 3));
    painter.setFont(line);
    painter.setPen(QColor(200, 214, 208));
    painter.drawText(taglineBox_, Qt::AlignCenter | Qt::TextWordWrap,
                     tr("Minigolf for one or more players, on one computer or over the network."));
}

const QImage& StartScreen::sample(Look look, int blockSize) {
    if (sample_.isNull() || look != sampleLook_ || blockSize != sampleBlock_) {
        const Level level = sampleLevel();
        sampleLook_ = look;
        sampleBlock_ = blockSize;
        if (look == Look::Modern) {
            ModernRenderer renderer;
            sample_ = renderer.renderLevel(level, blockSize);
        } else {
            sample_ = QImage(kColumns * blockSize, kRows * blockSize, QImage::Format_RGB32);
        }
        if (sample_.isNull()) {
            return sample_;
        }
        QPainter painter(&sample_);
        if (look == Look::Modern) {
            ModernRenderer::drawFlags(painter, level, 0, 0, blockSize);
        } else {
            BlockRenderer().drawLevel(painter, level, 0, 0, blockSize, false);
        }
        Ball ball;
        ball.SetLevel(level);
        ball.SetX(1.8);
        ball.SetY(2.4);
        BallLook ballLook(BallStyle{0x003C8CF5, 0, false});
        ballLook.setGeometry(0, 0, blockSize);
        if (look == Look::Modern) {
            drawModernBall(painter, ball, ballLook, false);
        } else {
            drawBall(painter, ball, ballLook, false);
        }
    }
    return sample_;
}

}  // namespace trundlex
