#pragma once

#include <QImage>

namespace trundlex {

// Tiles `image` with `tile`, anchored at the image's top-left corner. Done by hand rather than
// with a texture brush: Qt fills a large area with a texture brush on worker threads of its
// own, which ThreadSanitizer cannot follow, and the programs' tests run beside the balls'
// workers under it; this is no slower. A tile in another format is converted to the image's.
// Only images of 32 bits per pixel are filled; another image, or a null tile, leaves the image
// as it is.
void fillTiled(QImage& image, const QImage& tile);

}  // namespace trundlex
