// The label's rotation arithmetic: the stored angle, the box a turned text needs, and the centre
// and radii of text laid along an arc.
#pragma once
#include "platform/ui/align_layout.h"
#include "platform/ui/enum_info.h"

namespace ec {

UI_ENUM(TRotation, roNone, roFlat, roCurve)
UI_ENUM(TCenterPoint, cpUpperLeft, cpUpperCenter, cpUpperRight, cpLeftCenter, cpCenter, cpRightCenter, cpLowerLeft,
        cpLowerCenter, cpLowerRight)
UI_ENUM(TEcCondenseCaption, ccNone, ccAtEnd, ccWithinPath)

// Any number of degrees as 0..359.
int normalize_label_angle(int degrees);

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size& a, const Size& b) { return a.width == b.width && a.height == b.height; }
};
// The axis-aligned box around a width x height rectangle turned by `degrees`.
Size rotated_bounds(Size size, int degrees);

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point& a, const Point& b) { return a.x == b.x && a.y == b.y; }
};
// Centre and radii of arc text on a width x height label with a border band of `border_width`.
Point arc_center(TCenterPoint where, Size size, int border_width);
Size arc_radii(TCenterPoint where, Size size, int border_width);
// A label too small for its arc has a radius of 0 or less: nothing is drawn along it.
inline bool arc_drawable(Size radii) { return radii.width > 0 && radii.height > 0; }

} // namespace ec
