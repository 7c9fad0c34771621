#pragma once

#include <QColor>
#include <QList>
#include <QWidget>

class QButtonGroup;
class QToolButton;

namespace trundlex {

// A row of ball colours to click, chosen to stand out on grass, sand, ice and water in every
// look, and "Custom..." for any other colour. Exactly one is chosen at a time; a custom
// colour shows on its own button.
class ColourSwatches : public QWidget {
    Q_OBJECT

public:
    explicit ColourSwatches(QWidget* parent = nullptr);

    // The ready-made colours, in the order they are offered to new players.
    static const QList<QColor>& colours();

    QColor colour() const { return colour_; }
    // Chooses the colour: its swatch if it has one, otherwise the custom button.
    void setColour(const QColor& colour);

signals:
    void colourChanged(const QColor& colour);

private:
    void chooseCustom();
    void showCustom(const QColor& colour);

    QColor colour_;
    QButtonGroup* group_;
    QToolButton* custom_;
};

}  // namespace trundlex
