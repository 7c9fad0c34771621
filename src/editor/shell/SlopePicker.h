#pragma once

#include <QWidget>
#include <array>
#include <cstdint>

class QLabel;
class QToolButton;

namespace trundlex {

// The two parts of a block that each have a material and so a slope: the back, over the whole
// block, and the front, inside the block's shape.
enum class BlockPart { Back, Front };

// Eight arrows round a "flat" button, as a 3 x 3 grid under a caption naming the part of the
// brush it is for ("Back", "Front"): one click gives that part's material the slope, downhill
// the way the arrow points. The button of the current slope stays pressed. From the keyboard,
// Tab reaches the grid, the arrow keys move between its buttons and Space or Enter picks one.
// Each button's accessible name says its slope ("Downhill to the right", "Flat"), its tool tip
// the part as well.
class SlopePicker : public QWidget {
    Q_OBJECT

public:
    // Caption and grid end above the line of mouse rules, which may run on under them.
    static constexpr int ButtonSize = 16;
    static constexpr int CaptionHeight = 11;

    explicit SlopePicker(BlockPart part, QWidget* parent = nullptr);

    BlockPart part() const { return part_; }
    QLabel& caption() const { return *caption_; }

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

    BlockPart part_;
    QLabel* caption_;
    // By slope, Flat last.
    std::array<QToolButton*, 9> buttons_{};
    std::int32_t shown_ = 8;
};

}  // namespace trundlex
