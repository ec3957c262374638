// Points, sizes and rectangles in pixels, for the layout code that is worked out away from
// the platform's own types.
#pragma once

namespace sb {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    int cx = 0;
    int cy = 0;
    bool operator==(const Size&) const = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

// A box of that size centred over `over`, then moved as little as it takes to lie inside
// `bounds` (its top-left corner first, when it is larger).
inline Rect CentredOver(Size size, const Rect& over, const Rect& bounds) {
    int left = over.left + (over.Width() - size.cx) / 2;
    int top = over.top + (over.Height() - size.cy) / 2;
    left = left + size.cx > bounds.right ? bounds.right - size.cx : left;
    top = top + size.cy > bounds.bottom ? bounds.bottom - size.cy : top;
    left = left < bounds.left ? bounds.left : left;
    top = top < bounds.top ? bounds.top : top;
    return {left, top, left + size.cx, top + size.cy};
}

} // namespace sb
