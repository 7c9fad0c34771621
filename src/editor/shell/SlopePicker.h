#pragma once

#include <QWidget>
#include <array>
#include <cstdint>

class QToolButton;

namespace trundlex {

// Eight arrows round a "flat" button, as a 3 x 3 grid: one click gives the brush's back
// material that slope, downhill the way the arrow points. The button of the current slope
// stays pressed. From the keyboard, Tab reaches the grid, the arrow keys move between its
// buttons and Space or Enter picks one. Each button's accessible name and tool tip say its
// slope ("Downhill to the right", "Flat").
class SlopePicker : public QWidget {
    Q_OBJECT

public:
    static constexpr int ButtonSize = 19;

    explicit SlopePicker(QWidget* parent = nullptr);

    // Shows `slope` (0 ... 7, or Flat) as the current one without emitting slopePicked.
    void showSlope(std::int32_t slope);
    std::int32_t shownSlope() const { return shown_; }
    // The button of a slope 0 ... 7 or Flat; null for any other value.
    QToolButton* button(std::int32_t slope) const;

signals:
    void slopePicked(std::int32_t slope);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void retranslate();

    // By slope, Flat last.
    std::array<QToolButton*, 9> buttons_{};
    std::int32_t shown_ = 8;
};

}  // namespace trundlex
