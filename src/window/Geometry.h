// SPDX-License-Identifier: MIT
#pragma once

// Positions and sizes on the form, in twips (1440 to the inch), measured from the
// top left corner of the client area with y growing downwards.

namespace wordrop::window {

struct Point {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(Point, Point) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend constexpr bool operator==(Size, Size) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    constexpr int right() const { return left + width; }
    constexpr int bottom() const { return top + height; }
    constexpr bool empty() const { return width <= 0 || height <= 0; }
    constexpr bool contains(Point p) const {
        return p.x >= left && p.x < right() && p.y >= top && p.y < bottom();
    }
    constexpr Rect united(Rect o) const {
        if (empty()) return o;
        if (o.empty()) return *this;
        const int l = left < o.left ? left : o.left;
        const int t = top < o.top ? top : o.top;
        const int r = right() > o.right() ? right() : o.right();
        const int b = bottom() > o.bottom() ? bottom() : o.bottom();
        return {l, t, r - l, b - t};
    }
    constexpr Rect intersected(Rect o) const {
        const int l = left > o.left ? left : o.left;
        const int t = top > o.top ? top : o.top;
        const int r = right() < o.right() ? right() : o.right();
        const int b = bottom() < o.bottom() ? bottom() : o.bottom();
        if (r <= l || b <= t) return {};
        return {l, t, r - l, b - t};
    }
    friend constexpr bool operator==(Rect, Rect) = default;
};

// A straight segment between two points.
struct Segment {
    Point from;
    Point to;
    friend constexpr bool operator==(Segment, Segment) = default;
};

// The smallest rectangle that holds the segment, its end points included.
Rect boundsOf(Segment s);

}  // namespace wordrop::window
