#include "ModernRenderer.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "ModernTexture.h"
#include "level/Level.h"

namespace trundlex {

namespace {

using Plane = std::vector<std::uint8_t>;

// Box blur of radius `radius` along rows, then along columns; run twice it is close to a
// Gaussian. Edges repeat the outermost pixel.
void boxBlur(Plane& plane, int w, int h, int radius) {
    if (radius < 1 || w < 1 || h < 1) {
        return;
    }
    std::vector<int> line;
    auto pass = [&](int count, int length, auto at) {
        line.resize(static_cast<std::size_t>(length));
        const int window = 2 * radius + 1;
        for (int i = 0; i < count; ++i) {
            for (int k = 0; k < length; ++k) {
                line[static_cast<std::size_t>(k)] = at(i, k);
            }
            auto sample = [&](int k) { return line[static_cast<std::size_t>(std::clamp(k, 0, length - 1))]; };
            int sum = 0;
            for (int k = -radius; k <= radius; ++k) {
                sum += sample(k);
            }
            for (int k = 0; k < length; ++k) {
                at(i, k) = static_cast<std::uint8_t>(sum / window);
                sum += sample(k + radius + 1) - sample(k - radius);
            }
        }
    };
    auto row = [&](int y, int x) -> std::uint8_t& { return plane[static_cast<std::size_t>(y) * w + x]; };
    auto column = [&](int x, int y) -> std::uint8_t& { return plane[static_cast<std::size_t>(y) * w + x]; };
    pass(h, w, row);
    pass(w, h, column);
}

float at(const Plane& plane, int w, int h, int x, int y) {
    x = std::clamp(x, 0, w - 1);
    y = std::clamp(y, 0, h - 1);
    return plane[static_cast<std::size_t>(y) * w + x] / 255.0f;
}

std::uint64_t levelKey(const Level& level, int blockSize) {
    // FNV-1a over the size and every block's layers, shape and rotation.
    std::uint64_t h = 1469598103934665603ull;
    auto add = [&h](std::int64_t v) {
        h ^= static_cast<std::uint64_t>(v);
        h *= 1099511628211ull;
    };
    add(level.width());
    add(level.height());
    add(blockSize);
    for (int c = 0; c < level.width(); ++c) {
        for (int r = 0; r < level.height(); ++r) {
            const Block& b = level.block(c, r);
            add(b.shape() * 16 + b.rotation());
            add(b.back().kind() * 16 + b.back().slope());
            add(b.front().kind() * 16 + b.front().slope());
        }
    }
    return h;
}

QRgb toRgb(const Rgbf& c) {
    auto channel = [](float v) { return std::clamp(static_cast<int>(v + 0.5f), 0, 255); };
    return qRgb(channel(c.r), channel(c.g), channel(c.b));
}

}  // namespace

const std::vector<std::uint8_t>& ModernRenderer::coverage(int shape, int rotation, int size) {
    const auto key = std::make_tuple(shape, rotation, size);
    auto it = coverage_.find(key);
    if (it != coverage_.end()) {
        return it->second;
    }
    Block probe;
    probe.setShape(shape);
    probe.setRotation(rotation);
    probe.front().setKind(Wall);
    Plane plane(static_cast<std::size_t>(size) * size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            int inside = 0;
            for (int s = 0; s < 16; ++s) {
                inside += probe.inFront((x + (s % 4 + 0.5) / 4) / size, (y + (s / 4 + 0.5) / 4) / size);
            }
            plane[static_cast<std::size_t>(y) * size + x] = static_cast<std::uint8_t>(inside * 255 / 16);
        }
    }
    return coverage_.emplace(key, std::move(plane)).first->second;
}

QImage ModernRenderer::renderLevel(const Level& level, int blockSize) {
    if (level.width() < 1 || level.height() < 1 || blockSize < 1) {
        return QImage();
    }
    const std::uint64_t key = levelKey(level, blockSize);
    if (key == cachedKey_ && !cached_.isNull()) {
        return cached_;
    }
    const int w = level.width() * blockSize;
    const int h = level.height() * blockSize;
    QImage image(w, h, QImage::Format_RGB32);
    if (image.isNull()) {
        return image;
    }
    const std::size_t n = static_cast<std::size_t>(w) * h;
    Plane walls(n), waters(n), cups(n), front(n);
    // First the share of every pixel that is wall, water or cup, and of its block's front.
    for (int c = 0; c < level.width(); ++c) {
        for (int r = 0; r < level.height(); ++r) {
            const Block& block = level.block(c, r);
            const Plane* cover = block.isPlain() ? nullptr : &coverage(block.shape(), block.rotation(), blockSize);
            const int backKind = block.back().kind();
            const int frontKind = block.front().kind();
            for (int y = 0; y < blockSize; ++y) {
                for (int x = 0; x < blockSize; ++x) {
                    const std::uint8_t a = cover ? (*cover)[static_cast<std::size_t>(y) * blockSize + x] : 0;
                    const std::size_t i = static_cast<std::size_t>(r * blockSize + y) * w + c * blockSize + x;
                    front[i] = a;
                    auto share = [&](int kind) {
                        return static_cast<std::uint8_t>((backKind == kind ? 255 - a : 0) + (frontKind == kind ? a : 0));
                    };
                    walls[i] = share(Wall);
                    waters[i] = share(Water);
                    cups[i] = share(Cup);
                }
            }
        }
    }
    // Soft versions of those shares: the wall's shadow and bevel, how deep water and cups are.
    Plane shadow = walls, bevel = walls, depth = waters, hole = cups;
    const int shadowRadius = std::max(1, blockSize / 7);
    boxBlur(shadow, w, h, shadowRadius);
    boxBlur(shadow, w, h, shadowRadius);
    boxBlur(bevel, w, h, std::max(1, blockSize / 12));
    boxBlur(depth, w, h, std::max(1, blockSize / 3));
    boxBlur(depth, w, h, std::max(1, blockSize / 3));
    boxBlur(hole, w, h, std::max(1, blockSize / 5));
    const int shadowOffset = std::max(1, blockSize / 7);
    const int bevelStep = std::max(1, blockSize / 14);

    for (int c = 0; c < level.width(); ++c) {
        for (int r = 0; r < level.height(); ++r) {
            const Block& block = level.block(c, r);
            for (int y = 0; y < blockSize; ++y) {
                auto* line = reinterpret_cast<QRgb*>(image.scanLine(r * blockSize + y));
                for (int x = 0; x < blockSize; ++x) {
                    const int px = c * blockSize + x;
                    const int py = r * blockSize + y;
                    const std::size_t i = static_cast<std::size_t>(py) * w + px;
                    const float a = front[i] / 255.0f;
                    TexturePoint point{px, py, static_cast<float>(blockSize), 1.0f};
                    auto layer = [&](const Material& m) {
                        if (m.kind() == Water) {
                            point.depth = std::clamp((at(depth, w, h, px, py) - 0.5f) * 2.2f, 0.0f, 1.0f);
                        } else if (m.kind() == Cup) {
                            point.depth = std::clamp((at(hole, w, h, px, py) - 0.5f) * 2.0f, 0.0f, 1.0f);
                        }
                        return materialColour(m.kind(), m.slope(), point);
                    };
                    Rgbf colour = a < 1.0f ? layer(block.back()) : Rgbf{};
                    if (a > 0.0f) {
                        colour = a < 1.0f ? mix(colour, layer(block.front()), a) : layer(block.front());
                    }
                    const float wall = walls[i] / 255.0f;
                    if (wall > 0.0f) {
                        // Lit from the upper left: lighter where the wall begins above or left.
                        const float light = at(bevel, w, h, px + bevelStep, py + bevelStep) -
                                            at(bevel, w, h, px - bevelStep, py - bevelStep);
                        colour = scaled(colour, 1.0f + 0.55f * light * wall);
                    }
                    if (wall < 1.0f) {
                        const float s = at(shadow, w, h, px - shadowOffset, py - shadowOffset);
                        colour = scaled(colour, 1.0f - 0.5f * s * (1.0f - wall));
                    }
                    line[px] = toRgb(colour);
                }
            }
        }
    }
    cachedKey_ = key;
    cached_ = image;
    return image;
}

void ModernRenderer::drawFlags(QPainter& painter, const Level& level, double left, double top,
                               double blockSize) {
    const int cols = level.width();
    const int rows = level.height();
    std::vector<int> group(static_cast<std::size_t>(cols) * rows, -1);
    struct Spot {
        double x = 0, y = 0, weight = 0;
    };
    std::vector<Spot> spots;
    std::vector<std::pair<int, int>> stack;
    // Where each block's cup lies, sampled on a coarse grid.
    auto cupIn = [&](int c, int r, Spot& spot) {
        const Block& b = level.block(c, r);
        if (!b.holds(Cup)) {
            return false;
        }
        for (int s = 0; s < 64; ++s) {
            const double u = (s % 8 + 0.5) / 8;
            const double v = (s / 8 + 0.5) / 8;
            if (b.kindAt(u, v) == Cup) {
                spot.x += c + u;
                spot.y += r + v;
                spot.weight += 1;
            }
        }
        return true;
    };
    for (int c0 = 0; c0 < cols; ++c0) {
        for (int r0 = 0; r0 < rows; ++r0) {
            Spot spot;
            if (group[static_cast<std::size_t>(r0) * cols + c0] >= 0 || !cupIn(c0, r0, spot)) {
                continue;
            }
            spot = Spot{};
            const int id = static_cast<int>(spots.size());
            group[static_cast<std::size_t>(r0) * cols + c0] = id;
            stack.assign(1, {c0, r0});
            while (!stack.empty()) {
                const auto [c, r] = stack.back();
                stack.pop_back();
                cupIn(c, r, spot);
                for (int dc = -1; dc <= 1; ++dc) {
                    for (int dr = -1; dr <= 1; ++dr) {
                        const int nc = c + dc;
                        const int nr = r + dr;
                        Spot probe;
                        if (nc < 0 || nr < 0 || nc >= cols || nr >= rows ||
                            group[static_cast<std::size_t>(nr) * cols + nc] >= 0 || !cupIn(nc, nr, probe)) {
                            continue;
                        }
                        group[static_cast<std::size_t>(nr) * cols + nc] = id;
                        stack.push_back({nc, nr});
                    }
                }
            }
            spots.push_back(spot);
        }
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const double pole = std::clamp(blockSize * 1.3, 16.0, 70.0);
    for (const Spot& s : spots) {
        if (s.weight <= 0) {
            continue;
        }
        const QPointF base(left + s.x / s.weight * blockSize, top + s.y / s.weight * blockSize);
        const QPointF tip = base - QPointF(0, pole);
        // The pole's shadow falls to the lower right, like the walls'.
        painter.setPen(QPen(QColor(0, 0, 0, 70), pole / 16, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(base, base + QPointF(pole * 0.55, pole * 0.25));
        painter.setPen(QPen(QColor(245, 245, 240), pole / 18, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(base, tip);
        QPainterPath flag;
        flag.moveTo(tip);
        flag.cubicTo(tip + QPointF(pole * 0.22, -pole * 0.06), tip + QPointF(pole * 0.36, pole * 0.08),
                     tip + QPointF(pole * 0.55, pole * 0.16));
        flag.lineTo(tip + QPointF(0, pole * 0.36));
        flag.closeSubpath();
        painter.setPen(QPen(QColor(120, 10, 20), std::max(1.0, pole / 40)));
        QLinearGradient cloth(tip, tip + QPointF(pole * 0.55, pole * 0.2));
        cloth.setColorAt(0, QColor(240, 50, 50));
        cloth.setColorAt(1, QColor(200, 20, 40));
        painter.setBrush(cloth);
        painter.drawPath(flag);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 215, 90));
        painter.drawEllipse(tip, pole / 22, pole / 22);
    }
    painter.restore();
}

}  // namespace trundlex
