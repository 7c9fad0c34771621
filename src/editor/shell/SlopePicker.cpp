#include "SlopePicker.h"

#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>
#include <algorithm>
#include <cmath>

#include "BlockTexts.h"
#include "level/Material.h"

namespace trundlex {

namespace {

constexpr int IconSize = 12;

// Where each slope's button sits in the grid: downhill away from the middle.
struct GridPlace {
    int row;
    int column;
};

GridPlace placeOf(std::int32_t slope) {
    if (slope == Flat) {
        return {1, 1};
    }
    // Counter-clockwise from the right, screen rows growing downward.
    const double angle = slope * std::acos(-1.0) / 4.0;
    return {1 - static_cast<int>(std::lround(std::sin(angle))),
            1 + static_cast<int>(std::lround(std::cos(angle)))};
}

// An arrow pointing downhill, or for flat a small level dash between two ticks.
QIcon slopeIcon(std::int32_t slope) {
    // Drawn on a 16-unit square, scaled to the icon's pixels.
    QPixmap pixmap(IconSize, IconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(IconSize / 2.0, IconSize / 2.0);
    painter.scale(IconSize / 16.0, IconSize / 16.0);
    const QColor ink(30, 30, 30);
    if (slope == Flat) {
        painter.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(-5, 0), QPointF(5, 0));
        painter.setPen(QPen(ink, 1.5, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(-5, -3), QPointF(-5, 3));
        painter.drawLine(QPointF(5, -3), QPointF(5, 3));
        return QIcon(pixmap);
    }
    painter.rotate(-45.0 * slope);  // counter-clockwise on screen
    painter.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(-6, 0), QPointF(2, 0));
    QPainterPath head;
    head.moveTo(7, 0);
    head.lineTo(1, -4.5);
    head.lineTo(1, 4.5);
    head.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawPath(head);
    return QIcon(pixmap);
}

QString capitalised(QString text) {
    if (!text.isEmpty()) {
        text[0] = text[0].toUpper();
    }
    return text;
}

}  // namespace

SlopePicker::SlopePicker(BlockPart part, QWidget* parent)
    : QWidget(parent), part_(part), caption_(new QLabel(this)) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    QFont small = caption_->font();
    small.setPixelSize(CaptionHeight - 2);
    caption_->setFont(small);
    caption_->setAlignment(Qt::AlignCenter);
    caption_->setFixedHeight(CaptionHeight);
    grid->addWidget(caption_, 0, 0, 1, 3);
    for (std::int32_t slope = 0; slope <= Flat; ++slope) {
        auto* button = new QToolButton(this);
        button->setCheckable(true);
        button->setAutoRaise(false);
        button->setFixedSize(ButtonSize, ButtonSize);
        button->setIcon(slopeIcon(slope));
        button->setIconSize(QSize(IconSize, IconSize));
        button->installEventFilter(this);
        connect(button, &QToolButton::clicked, this, [this, slope] {
            showSlope(slope);
            emit slopePicked(slope);
        });
        const GridPlace place = placeOf(slope);
        grid->addWidget(button, place.row + 1, place.column);
        buttons_[static_cast<std::size_t>(slope)] = button;
    }
    setFixedSize(3 * ButtonSize, CaptionHeight + 3 * ButtonSize);
    // The style's own pressed look is too faint to tell the current slope at a glance.
    setStyleSheet(QStringLiteral(
        "QToolButton:checked:enabled { background-color: #9cc3ee; border: 2px solid #1d5fb0;"
        " border-radius: 3px; }"
        "QToolButton:checked:disabled { background-color: #dcdcdc; border: 2px solid #a8a8a8;"
        " border-radius: 3px; }"
        // The style draws no focus frame on tool buttons: keyboard users need to see where
        // the arrow keys have got to.
        "QToolButton:focus, QToolButton:checked:enabled:focus { border: 2px solid #e07000;"
        " border-radius: 3px; }"));
    showSlope(Flat);
    retranslate();
}

QToolButton* SlopePicker::button(std::int32_t slope) const {
    return slope >= 0 && slope <= Flat ? buttons_[static_cast<std::size_t>(slope)] : nullptr;
}

void SlopePicker::showSlope(std::int32_t slope) {
    if (slope < 0 || slope > Flat) {
        return;
    }
    shown_ = slope;
    for (std::int32_t s = 0; s <= Flat; ++s) {
        QToolButton* b = buttons_[static_cast<std::size_t>(s)];
        b->setChecked(s == slope);
        // Only the current button takes Tab, so the grid is one stop in the tab chain.
        b->setFocusPolicy(s == slope ? Qt::StrongFocus : Qt::ClickFocus);
    }
    setFocusProxy(buttons_[static_cast<std::size_t>(slope)]);
}

bool SlopePicker::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) {
        return QWidget::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    const auto found = std::find(buttons_.begin(), buttons_.end(), watched);
    if (found == buttons_.end() || key->modifiers() & ~Qt::KeypadModifier) {
        return QWidget::eventFilter(watched, event);
    }
    const auto slope = static_cast<std::int32_t>(found - buttons_.begin());
    int dx = 0;
    int dy = 0;
    bool pick = false;
    switch (key->key()) {
        case Qt::Key_Left: dx = -1; break;
        case Qt::Key_Right: dx = 1; break;
        case Qt::Key_Up: dy = -1; break;
        case Qt::Key_Down: dy = 1; break;
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter: pick = true; break;
        default: return QWidget::eventFilter(watched, event);
    }
    if (event->type() == QEvent::ShortcutOverride) {
        // These keys belong to the grid while it has the focus, not to the window's shortcuts.
        event->accept();
        return true;
    }
    if (pick) {
        buttons_[static_cast<std::size_t>(slope)]->click();
        return true;
    }
    const GridPlace from = placeOf(slope);
    const int row = std::clamp(from.row + dy, 0, 2);
    const int column = std::clamp(from.column + dx, 0, 2);
    for (std::int32_t s = 0; s <= Flat; ++s) {
        const GridPlace place = placeOf(s);
        if (place.row == row && place.column == column) {
            buttons_[static_cast<std::size_t>(s)]->setFocus(Qt::OtherFocusReason);
        }
    }
    return true;
}

void SlopePicker::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
    }
    QWidget::changeEvent(event);
}

void SlopePicker::retranslate() {
    const bool back = part_ == BlockPart::Back;
    caption_->setText(back ? tr("Back") : tr("Front"));
    for (std::int32_t slope = 0; slope <= Flat; ++slope) {
        QToolButton* b = buttons_[static_cast<std::size_t>(slope)];
        const QString name = capitalised(BlockTexts::slopeName(slope));
        b->setAccessibleName(name);
        b->setToolTip(back ? tr("Slope of the brush's back material: %1").arg(name)
                           : tr("Slope of the brush's front material, inside the block's "
                                "shape: %1")
                                 .arg(name));
    }
    const QString whole = back ? tr("Slope of the brush's back material")
                               : tr("Slope of the brush's front material");
    setAccessibleName(whole);
    // A square shows only its back: the front picker rests then, and says why.
    caption_->setToolTip(back ? whole
                              : tr("Slope of the brush's front material; a square block "
                                   "has none, pick another shape"));
}

}  // namespace trundlex
