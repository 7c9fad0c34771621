#include "Level.h"

#include <cmath>

namespace trundlex {

namespace {

std::string withoutBraces(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (c != '{' && c != '}') {
            result += c;
        }
    }
    return result;
}

}  // namespace

Level::Level() { init(10, 10, {}, {}); }

void Level::init(std::int32_t width, std::int32_t height, std::string_view name,
                 std::string_view creator) {
    resize(width, height);
    setCreator(creator);
    setName(name);
    startX_ = this->width() / 2.0;
    startY_ = this->height() / 2.0;
    modified_ = false;
}

void Level::resize(std::int32_t width, std::int32_t height) {
    grid_.resize(width, height);
    clampStart();
    modified_ = true;
}

void Level::setName(std::string_view text) {
    std::string name = withoutBraces(text);
    if (name != name_) {
        name_ = std::move(name);
        modified_ = true;
    }
}

void Level::setCreator(std::string_view text) {
    creator_ = withoutBraces(text);
    modified_ = true;
}

void Level::setStart(double x, double y) {
    startX_ = x;
    startY_ = y;
}

void Level::clampStart() {
    const double r = BallRadius;
    if (startX_ + r > width()) {
        startX_ = width() - r;
        modified_ = true;
    }
    if (startX_ - r < 0) {
        startX_ = r;
        modified_ = true;
    }
    if (startY_ + r > height()) {
        startY_ = height() - r;
        modified_ = true;
    }
    if (startY_ - r < 0) {
        startY_ = r;
        modified_ = true;
    }
}

bool Level::locate(double x, double y, std::int32_t* column, std::int32_t* row, double* u,
                   double* v) const {
    // Compared as doubles first: converting a huge or NaN coordinate to an integer is
    // undefined behaviour.
    if (!containsPoint(x, y)) {
        return false;
    }
    const auto c = static_cast<std::int32_t>(x);
    const auto r = static_cast<std::int32_t>(y);
    if (column) {
        *column = c;
    }
    if (row) {
        *row = r;
    }
    if (u) {
        *u = x - c;
    }
    if (v) {
        *v = y - r;
    }
    return true;
}

const Material* Level::materialAt(double x, double y) const {
    std::int32_t c = 0;
    std::int32_t r = 0;
    double u = 0.0;
    double v = 0.0;
    if (!locate(x, y, &c, &r, &u, &v)) {
        return nullptr;
    }
    return &block(c, r).materialAt(u, v);
}

std::int32_t Level::materialKindAt(double x, double y) const {
    const Material* m = materialAt(x, y);
    return m ? m->kind() : -1;
}

bool Level::isWallAt(double x, double y) const {
    const Material* m = materialAt(x, y);
    return m ? m->isWall() : true;
}

double Level::frictionAt(double x, double y) const {
    const Material* m = materialAt(x, y);
    return m ? m->friction() : 0.0;
}

double Level::bounceLossAt(double x, double y) const {
    const Material* m = materialAt(x, y);
    return m ? m->bounceLoss() : 0.19;
}

double Level::slopeXAt(double x, double y) const {
    const Material* m = materialAt(x, y);
    return m ? m->slopeX() : 0.0;
}

double Level::slopeYAt(double x, double y) const {
    const Material* m = materialAt(x, y);
    return m ? m->slopeY() : 0.0;
}

bool Level::lessThan(const Level& a, const Level& b) {
    if (const int c = a.creator_.compare(b.creator_); c != 0) {
        return c < 0;
    }
    if (const int c = a.name_.compare(b.name_); c != 0) {
        return c < 0;
    }
    const std::int64_t countA = std::int64_t{a.width()} * a.height();
    const std::int64_t countB = std::int64_t{b.width()} * b.height();
    return countA < countB;
}

}  // namespace trundlex
