#pragma once

#include <QColor>
#include <QTimer>
#include <QVariantAnimation>
#include <QWidget>
#include <deque>
#include <utility>

namespace trundlex {

// A short message on top of the playfield: a rounded plate with a title and an optional
// second line, which fades out by itself. It never takes a click: the mouse goes on to the
// playfield underneath. Give it the level's rectangle (below the level's title and the score
// board, so that it never hides them); the plate sits in its middle (Centre) or at its top
// edge (Top). A message that comes while another is shown waits for it: one plate at a
// time, each for its whole time.
class BannerOverlay : public QWidget {
    Q_OBJECT

public:
    enum class Placement { Centre, Top };
    // A small picture drawn left of the title.
    enum class Sign { None, Star, Ripples, Stop };

    BannerOverlay(Placement placement, QWidget* parent);

    // Shows the plate for `milliseconds` (0: until the next one or hidden), the last part
    // fading; after the plates already waiting when one is shown now.
    void showBanner(const QString& title, const QString& detail, const QColor& accent, Sign sign,
                    int milliseconds);
    // Hides the plate shown and forgets the ones waiting.
    void dismiss();
    // Whether a plate is up (fading included) or waiting.
    bool busy() const { return !isHidden() || !waiting_.empty(); }
    int waitingCount() const { return static_cast<int>(waiting_.size()); }
    QString title() const { return title_; }
    QString detail() const { return detail_; }
    // Where the plate is drawn, in the parent's coordinates (empty while hidden).
    QRect plateGeometry() const;

signals:
    // A plate went up; `title` is its first line.
    void shown(const QString& title);
    // The last plate faded and none waits.
    void finished();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Message {
        QString title;
        QString detail;
        QColor accent;
        Sign sign = Sign::None;
        int milliseconds = 0;
    };
    void present(const Message& message);
    // The fonts for the current text and size.
    std::pair<QFont, QFont> fonts() const;
    void next();
    QRect plateRect(const QFontMetrics& big, const QFontMetrics& small) const;
    void paintSign(QPainter& painter, const QRect& box) const;

    Placement placement_;
    QString title_;
    QString detail_;
    QColor accent_;
    Sign sign_ = Sign::None;
    double opacity_ = 1.0;
    QTimer hold_;
    QVariantAnimation fade_;
    std::deque<Message> waiting_;
    // The plate shown stays until the next message comes (no time of its own).
    bool open_ = false;
};

}  // namespace trundlex
