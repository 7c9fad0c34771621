#include "ToolbarIcons.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <functional>

#include "render/MaterialStyle.h"

namespace trundlex {

namespace {

constexpr int kWidth = 16;
constexpr int kHeight = 15;

QIcon drawn(const std::function<void(QPainter&)>& draw) {
    QPixmap pixmap(kWidth, kHeight);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, false);
    draw(painter);
    painter.end();
    return QIcon(pixmap);
}

QColor wallColour() {
    return kindColour(Wall);
}
QColor grassColour() {
    return kindColour(Grass);
}

// A block with a slope mark, for the material commands.
QIcon materialIcon(int kind) {
    return drawn([kind](QPainter& p) {
        p.fillRect(QRect(1, 1, 13, 13), kindColour(kind));
        p.setPen(QPen(Qt::black, 0));
        p.drawRect(QRect(1, 1, 12, 12));
        p.setPen(QPen(Qt::white, 0));
        p.drawPolyline(QPolygon({QPoint(4, 4), QPoint(10, 7), QPoint(4, 10)}));
    });
}

// A quarter-turn arrow in the top-right corner.
void turnArrow(QPainter& p) {
    p.setPen(QPen(Qt::black, 0));
    p.drawArc(QRect(7, 1, 8, 8), 0, 90 * 16);
    p.drawLine(15, 5, 13, 3);
    p.drawLine(15, 5, 15, 2);
}

}  // namespace

QIcon editorIcon(EditorCommand command) {
    QStyle* style = QApplication::style();
    switch (command) {
        case EditorCommand::New:
            return style->standardIcon(QStyle::SP_FileIcon);
        case EditorCommand::Open:
            return style->standardIcon(QStyle::SP_DialogOpenButton);
        case EditorCommand::Save:
            return style->standardIcon(QStyle::SP_DialogSaveButton);
        case EditorCommand::Undo:
            return style->standardIcon(QStyle::SP_ArrowBack);
        case EditorCommand::Redo:
            return style->standardIcon(QStyle::SP_ArrowForward);
        case EditorCommand::Properties:
            return drawn([](QPainter& p) {
                p.fillRect(QRect(2, 1, 11, 13), Qt::white);
                p.setPen(QPen(Qt::black, 0));
                p.drawRect(QRect(2, 1, 10, 12));
                for (int y = 4; y <= 10; y += 3) {
                    p.drawLine(4, y, 10, y);
                }
            });
        case EditorCommand::ToolPlot:
            return drawn([](QPainter& p) {
                p.fillRect(QRect(2, 8, 5, 5), wallColour());
                p.setPen(QPen(Qt::black, 0));
                p.drawLine(6, 8, 13, 1);
                p.drawLine(7, 9, 14, 2);
            });
        case EditorCommand::ToolLine:
            return drawn([](QPainter& p) {
                p.setPen(QPen(wallColour(), 2));
                p.drawLine(2, 12, 13, 2);
            });
        case EditorCommand::ToolRectangle:
            return drawn([](QPainter& p) { p.fillRect(QRect(2, 3, 12, 9), wallColour()); });
        case EditorCommand::ToolFrame:
            return drawn([](QPainter& p) {
                p.setPen(QPen(wallColour(), 2));
                p.drawRect(QRect(3, 4, 10, 7));
            });
        case EditorCommand::ToolFill:
            return drawn([](QPainter& p) {
                QPainterPath blob;
                blob.addEllipse(QRectF(1, 4, 11, 9));
                p.fillPath(blob, kindColour(Water));
                p.fillRect(QRect(12, 1, 2, 6), Qt::black);
                p.fillRect(QRect(11, 7, 4, 2), Qt::black);
            });
        case EditorCommand::ToolSetBall:
            return drawn([](QPainter& p) {
                p.fillRect(QRect(0, 0, kWidth, kHeight), grassColour());
                p.setPen(Qt::NoPen);
                p.setBrush(Qt::black);
                p.drawEllipse(QRect(5, 5, 8, 8));
                p.setBrush(QColor(230, 230, 230));
                p.drawEllipse(QRect(4, 4, 8, 8));
            });
        case EditorCommand::ToolSelect:
            return drawn([](QPainter& p) {
                p.setPen(QPen(Qt::black, 0, Qt::DashLine));
                p.drawRect(QRect(1, 2, 13, 10));
            });
        case EditorCommand::RotateBlock:
            return drawn([](QPainter& p) {
                p.fillRect(QRect(1, 4, 10, 10), grassColour());
                p.setPen(Qt::NoPen);
                p.setBrush(wallColour());
                p.drawPolygon(QPolygon({QPoint(1, 4), QPoint(11, 4), QPoint(11, 14)}));
                turnArrow(p);
            });
        case EditorCommand::RotateBackMaterial:
            return materialIcon(Grass);
        case EditorCommand::RotateFrontMaterial:
            return materialIcon(Wall);
        case EditorCommand::TestMode:
            return drawn([](QPainter& p) {
                p.setPen(QPen(Qt::black, 0));
                p.drawLine(1, 12, 6, 9);
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(230, 230, 230));
                p.drawEllipse(QRect(6, 2, 8, 8));
                p.setBrush(Qt::black);
                p.drawEllipse(QRect(9, 12, 4, 3));
            });
        default:
            return {};
    }
}

}  // namespace trundlex
