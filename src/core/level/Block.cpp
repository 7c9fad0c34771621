#include "Block.h"

namespace trundlex {

namespace {

// Letters in lookup order, with the shape each one stands for.
constexpr std::string_view kShapeLetters = "SCPTM";
constexpr std::int32_t kShapeOfLetter[] = {Square, Circle, QuarterDisc, Triangle, HalfDisc};

char shapeLetter(std::int32_t shape) {
    for (std::size_t i = 0; i < kShapeLetters.size(); ++i) {
        if (kShapeOfLetter[i] == shape) {
            return kShapeLetters[i];
        }
    }
    return 'S';
}

bool insideCircle(double u, double v, double cx, double cy, double radiusSquared) {
    const double du = u - cx;
    const double dv = v - cy;
    return du * du + dv * dv <= radiusSquared;
}

}  // namespace

void Block::setShape(std::int32_t shape) {
    if (shape >= 0 && shape < BlockShapeCount) {
        shape_ = shape;
    }
}

void Block::setRotation(std::int32_t rotation) {
    if (rotation >= 0 && rotation <= 3) {
        rotation_ = rotation;
    }
}

bool Block::inFront(double u, double v) const {
    if (isPlain()) {
        return false;
    }
    switch (shape_) {
        case Circle:
            return insideCircle(u, v, 0.5, 0.5, 0.25);
        case Triangle:
            switch (rotation_) {
                case 0:
                    return u > v;
                case 1:
                    return u + v >= 1.0;
                case 2:
                    return u <= v;
                default:
                    return u + v < 1.0;
            }
        case QuarterDisc: {
            static constexpr double cx[] = {0.0, 0.0, 1.0, 1.0};
            static constexpr double cy[] = {1.0, 0.0, 0.0, 1.0};
            return insideCircle(u, v, cx[rotation_], cy[rotation_], 1.0);
        }
        case HalfDisc: {
            static constexpr double cx[] = {1.0, 0.5, 0.0, 0.5};
            static constexpr double cy[] = {0.5, 1.0, 0.5, 0.0};
            return insideCircle(u, v, cx[rotation_], cy[rotation_], 0.25);
        }
        default:
            return false;
    }
}

std::string Block::toText() const {
    if (isDefault()) {
        return "$";
    }
    const char letter = isPlain() ? 'S' : shapeLetter(shape_);
    std::string text;
    text += letter;
    text += static_cast<char>('0' + rotation_);
    text += back_.toText();
    if (letter != 'S') {
        text += front_.toText();
    }
    return text;
}

bool Block::fromText(std::string_view text) {
    if (text == "$") {
        reset();
        return true;
    }
    if (text.size() < 4) {
        return false;
    }
    reset();
    const auto pos = kShapeLetters.find(text[0]);
    shape_ = pos == std::string_view::npos ? Square : kShapeOfLetter[pos];
    setRotation(text[1] - '0');
    text.remove_prefix(2);
    back_.fromText(text);
    if (shape_ == Square) {
        // A square's front is never seen; old files expect it to read back this way.
        front_ = Material(Grass, SlopeRight);
    } else {
        text.remove_prefix(2);
        front_.fromText(text);
    }
    return true;
}

}  // namespace trundlex
