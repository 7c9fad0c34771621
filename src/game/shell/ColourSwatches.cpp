#include "ColourSwatches.h"

#include <QButtonGroup>
#include <QColorDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QToolButton>
#include <QtMath>
#include <algorithm>

#include "play/BallColours.h"
#include "render/BallRenderer.h"

namespace trundlex {

namespace {

constexpr int kSwatchSize = 22;

// A round sample of the colour with a dark rim, so that light colours show on a light
// dialog too; drawn at the screen's density, so it stays crisp on a dense screen.
QIcon swatchIcon(const QColor& colour) {
    const qreal ratio = std::max<qreal>(1.0, qGuiApp->devicePixelRatio());
    QPixmap pixmap(qCeil(kSwatchSize * ratio), qCeil(kSwatchSize * ratio));
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(40, 40, 40), 1.5));
    painter.setBrush(colour);
    painter.drawEllipse(QRectF(2, 2, kSwatchSize - 4, kSwatchSize - 4));
    return QIcon(pixmap);
}

}  // namespace

const QList<QColor>& ColourSwatches::colours() {
    static const QList<QColor> list = [] {
        QList<QColor> made;
        for (const std::uint32_t value : ReadyMadeBallColours) {
            made.append(fromRgbValue(value));
        }
        return made;
    }();
    return list;
}

ColourSwatches::ColourSwatches(QWidget* parent) : QWidget(parent), group_(new QButtonGroup(this)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    group_->setExclusive(true);
    const QList<QColor>& list = colours();
    for (int i = 0; i < list.size(); ++i) {
        auto* button = new QToolButton(this);
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setIcon(swatchIcon(list[i]));
        button->setIconSize(QSize(kSwatchSize, kSwatchSize));
        button->setToolTip(list[i].name());
        group_->addButton(button, i);
        row->addWidget(button);
    }
    custom_ = new QToolButton(this);
    custom_->setCheckable(true);
    custom_->setText(tr("&Custom..."));
    custom_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    custom_->setIconSize(QSize(kSwatchSize, kSwatchSize));
    group_->addButton(custom_, static_cast<int>(list.size()));
    row->addWidget(custom_);
    row->addStretch();

    connect(group_, &QButtonGroup::idClicked, this, [this](int id) {
        if (id >= 0 && id < colours().size()) {
            setColour(colours()[id]);
        }
    });
    connect(custom_, &QToolButton::clicked, this, &ColourSwatches::chooseCustom);
    setColour(list.front());
}

void ColourSwatches::setColour(const QColor& colour) {
    const QColor opaque = colour.toRgb();
    const int index = static_cast<int>(colours().indexOf(opaque));
    if (index >= 0) {
        group_->button(index)->setChecked(true);
        custom_->setIcon(QIcon());
    } else {
        showCustom(opaque);
    }
    if (opaque != colour_) {
        colour_ = opaque;
        emit colourChanged(colour_);
    }
}

void ColourSwatches::chooseCustom() {
    const QColor picked = QColorDialog::getColor(colour_, this, tr("Ball colour"));
    // Cancelled: the colour chosen before stays, and so does its button.
    setColour(picked.isValid() ? picked : colour_);
}

void ColourSwatches::showCustom(const QColor& colour) {
    custom_->setIcon(swatchIcon(colour));
    custom_->setChecked(true);
}

}  // namespace trundlex
