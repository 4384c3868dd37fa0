#include "controls/model/label_geometry.h"

#include <cmath>

namespace ec {

namespace {

constexpr double kPi = 3.14159265358979323846;

int round_even(double v) { return static_cast<int>(std::nearbyint(v)); }

} // namespace

int normalize_label_angle(int degrees) {
    const int v = degrees % 360;
    return v < 0 ? v + 360 : v;
}

Size rotated_bounds(Size size, int degrees) {
    // The absolute cosine and sine hold in every quadrant; reducing the angle modulo 90 alone
    // would swap width and height for the second and fourth.
    const double a = normalize_label_angle(degrees) * kPi / 180.0;
    const double c = std::fabs(std::cos(a));
    const double s = std::fabs(std::sin(a));
    return {round_even(size.width * c + size.height * s), round_even(size.height * c + size.width * s)};
}

Point arc_center(TCenterPoint where, Size size, int bw) {
    const int w = size.width, h = size.height;
    switch (where) {
    case TCenterPoint::cpUpperLeft: return {bw, bw};
    case TCenterPoint::cpUpperCenter: return {w / 2, bw};
    case TCenterPoint::cpUpperRight: return {w - bw, bw};
    case TCenterPoint::cpLeftCenter: return {bw, h / 2};
    case TCenterPoint::cpCenter: return {w / 2, h / 2};
    case TCenterPoint::cpRightCenter: return {w - bw, h / 2};
    case TCenterPoint::cpLowerLeft: return {bw, h - bw};
    case TCenterPoint::cpLowerCenter: return {w / 2, h - bw};
    case TCenterPoint::cpLowerRight: return {w - bw, h - bw};
    }
    return {w / 2, h / 2};
}

Size arc_radii(TCenterPoint where, Size size, int bw) {
    const int w = size.width, h = size.height, b = 2 * bw;
    switch (where) {
    case TCenterPoint::cpUpperCenter:
    case TCenterPoint::cpLowerCenter: return {w / 2 - b, h - b};
    case TCenterPoint::cpLeftCenter:
    case TCenterPoint::cpRightCenter: return {w - b, h / 2 - b};
    case TCenterPoint::cpCenter: return {w / 2 - b, h / 2 - b};
    default: return {w - b, h - b};
    }
}

} // namespace ec
