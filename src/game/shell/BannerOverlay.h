#pragma once

#include <QColor>
#include <QTimer>
#include <QVariantAnimation>
#include <QWidget>

namespace trundlex {

// A short message on top of the playfield: a rounded plate with a title and an optional
// second line, which fades out by itself. It never takes a click: the mouse goes on to the
// playfield underneath. Give it the playfield's rectangle; the plate sits in its middle
// (Centre) or at its top edge (Top).
class BannerOverlay : public QWidget {
    Q_OBJECT

public:
    enum class Placement { Centre, Top };
    // A small picture drawn left of the title.
    enum class Sign { None, Star, Ripples, Stop };

    BannerOverlay(Placement placement, QWidget* parent);

    // Shows the plate for `milliseconds` (0: until replaced or hidden), the last part fading.
    void showBanner(const QString& title, const QString& detail, const QColor& accent, Sign sign,
                    int milliseconds);
    QString title() const { return title_; }
    QString detail() const { return detail_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
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
};

}  // namespace trundlex
