#pragma once
// The frame around an object: which sides, how wide, how drawn.

#include <QRgb>

namespace frame_side {
constexpr int right = 1;
constexpr int bottom = 2;
constexpr int left = 4;
constexpr int top = 8;
constexpr int all = right | bottom | left | top;
} // namespace frame_side

enum class FrameStyle { Solid, Dash, Dot, Double };

struct Frame {
    int sides = 0;
    double width = 1.0; // report units
    FrameStyle style = FrameStyle::Solid;
    QRgb color = 0xff000000;

    bool has(int side) const { return (sides & side) != 0; }
    bool operator==(const Frame &) const = default;
};
