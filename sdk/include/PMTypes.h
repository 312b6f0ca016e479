// Geometry and colour types of the host SDK: layout units are doubles.
#pragma once

#include "SDKTypes.h"

using PMReal = double;

class PMPoint {
public:
    PMPoint() = default;
    PMPoint(PMReal x, PMReal y) : fX(x), fY(y) {}
    PMReal X() const { return fX; }
    PMReal Y() const { return fY; }
    void X(PMReal x) { fX = x; }
    void Y(PMReal y) { fY = y; }
    bool operator==(const PMPoint& o) const { return fX == o.fX && fY == o.fY; }
    bool operator!=(const PMPoint& o) const { return !(*this == o); }

private:
    PMReal fX = 0.0;
    PMReal fY = 0.0;
};

// A point on the screen (the mouse).
using GSysPoint = PMPoint;

// Left, top, right, bottom; y grows downwards.
class PMRect {
public:
    PMRect() = default;
    PMRect(PMReal l, PMReal t, PMReal r, PMReal b) : fLeft(l), fTop(t), fRight(r), fBottom(b) {}
    PMReal Left() const { return fLeft; }
    PMReal Top() const { return fTop; }
    PMReal Right() const { return fRight; }
    PMReal Bottom() const { return fBottom; }
    void Left(PMReal v) { fLeft = v; }
    void Top(PMReal v) { fTop = v; }
    void Right(PMReal v) { fRight = v; }
    void Bottom(PMReal v) { fBottom = v; }
    PMReal Width() const { return fRight - fLeft; }
    PMReal Height() const { return fBottom - fTop; }
    // Keeps the size, puts the top-left corner at (x, y).
    void MoveTo(PMReal x, PMReal y) {
        fRight += x - fLeft;
        fBottom += y - fTop;
        fLeft = x;
        fTop = y;
    }
    bool operator==(const PMRect& o) const {
        return fLeft == o.fLeft && fTop == o.fTop && fRight == o.fRight && fBottom == o.fBottom;
    }
    bool operator!=(const PMRect& o) const { return !(*this == o); }

private:
    PMReal fLeft = 0.0;
    PMReal fTop = 0.0;
    PMReal fRight = 0.0;
    PMReal fBottom = 0.0;
};

// Components from 0.0 to 1.0.
struct RGBColor {
    PMReal red = 0.0;
    PMReal green = 0.0;
    PMReal blue = 0.0;
};
