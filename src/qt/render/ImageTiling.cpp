#include "ImageTiling.h"

namespace trundlex {

void fillTiled(QImage& image, const QImage& tile) {
    if (image.depth() != 32 || tile.isNull()) {
        return;
    }
    const QImage pattern =
        tile.format() == image.format() ? tile : tile.convertToFormat(image.format());
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        const auto* source =
            reinterpret_cast<const QRgb*>(pattern.constScanLine(y % pattern.height()));
        for (int x = 0; x < image.width(); ++x) {
            row[x] = source[x % pattern.width()];
        }
    }
}

}  // namespace trundlex
