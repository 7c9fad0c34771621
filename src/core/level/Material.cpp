#include "Material.h"

#include <array>
#include <cmath>
#include <numbers>

#include "util/PortableMath.h"

namespace trundlex {

namespace {

constexpr std::string_view kKindLetters = "GTIHSW";

struct SlopeTable {
    std::array<double, 9> x{};
    std::array<double, 9> y{};
    double acceleration = 0.0;

    SlopeTable() {
        const double pi = std::numbers::pi;
        acceleration = 9.82 * pmath::sin(40.0 * pi / 180.0);
        for (int d = 0; d < 8; ++d) {
            x[d] = pmath::cos(d * pi / 4.0) * acceleration;
            y[d] = -acceleration * pmath::sin(d * pi / 4.0);
        }
        x[Flat] = 0.0;
        y[Flat] = 0.0;
    }
};

const SlopeTable& slopeTable() {
    static const SlopeTable table;
    return table;
}

}  // namespace

double slopeAcceleration() { return slopeTable().acceleration; }

void Material::setKind(std::int32_t kind) {
    if (kind >= 0 && kind < MaterialKindCount) {
        kind_ = kind;
    }
}

void Material::setSlope(std::int32_t slope) {
    if (slope >= 0 && slope <= Flat) {
        slope_ = slope;
    }
}

double Material::friction() const {
    switch (kind_) {
        case Ice:
            return 0.42;
        case Sand:
            return 2.464;
        case Cup:
            return 1.12;
        default:
            return GrassFriction;
    }
}

double Material::slopeX() const { return slopeTable().x[static_cast<std::size_t>(slope_)]; }
double Material::slopeY() const { return slopeTable().y[static_cast<std::size_t>(slope_)]; }

std::string Material::toText() const {
    std::string text(2, ' ');
    text[0] = kKindLetters[static_cast<std::size_t>(kind_)];
    text[1] = static_cast<char>('0' + slope_);
    return text;
}

bool Material::fromText(std::string_view text) {
    if (text.size() < 2) {
        return false;
    }
    const auto pos = kKindLetters.find(text[0]);
    setKind(pos == std::string_view::npos ? Grass : static_cast<std::int32_t>(pos));
    setSlope(text[1] - '0');
    return true;
}

}  // namespace trundlex
