#pragma once

#include <QPixmap>
#include <cstdint>

class QWidget;

// The results screen's small pictures, drawn at the screen's pixel ratio.
namespace trundlex::resultspictures {

// A medal's width and height, in the widget's pixels.
inline constexpr int MedalSize = 30;

// A medal for places 1 to 3; a plain ring with the number for the other places.
QPixmap medal(const QWidget& widget, int place);
// The cup beside the headline of the winner.
QPixmap trophy(const QWidget& widget);
// A player's ball colour (0x00BBGGRR) as a small shaded disc.
QPixmap disc(const QWidget& widget, std::uint32_t colour);

}  // namespace trundlex::resultspictures
