#pragma once
// Points, sizes and rectangles with the Windows conventions: a rectangle's
// Right and Bottom lie just outside it.
#include <algorithm>

#include "rtl/Saturating.h"

struct TPoint {
    int X = 0;
    int Y = 0;
    constexpr TPoint() = default;
    constexpr TPoint(int AX, int AY) : X(AX), Y(AY) {}
    friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    constexpr TSize() = default;
    constexpr TSize(int ACx, int ACy) : cx(ACx), cy(ACy) {}
    friend constexpr bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    constexpr TRect() = default;
    constexpr TRect(int ALeft, int ATop, int ARight, int ABottom)
        : Left(ALeft),
          Top(ATop),
          Right(ARight),
          Bottom(ABottom)
    {
    }
    constexpr TRect(const TPoint& TopLeft, const TPoint& BottomRight)
        : Left(TopLeft.X),
          Top(TopLeft.Y),
          Right(BottomRight.X),
          Bottom(BottomRight.Y)
    {
    }
    // Saturated: a rectangle reaching from one end of the int range to the
    // other is as wide as an int holds.
    constexpr int Width() const { return SatSub(Right, Left); }
    constexpr int Height() const { return SatSub(Bottom, Top); }
    constexpr TPoint TopLeft() const { return {Left, Top}; }
    constexpr TPoint BottomRight() const { return {Right, Bottom}; }
    friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

constexpr TPoint Point(int X, int Y)
{
    return {X, Y};
}
constexpr TRect Rect(int Left, int Top, int Right, int Bottom)
{
    return {Left, Top, Right, Bottom};
}
constexpr TRect Bounds(int Left, int Top, int Width, int Height)
{
    return {Left, Top, Left + Width, Top + Height};
}

constexpr bool IsRectEmpty(const TRect& R)
{
    return R.Right <= R.Left || R.Bottom <= R.Top;
}

// True when P lies inside R; the right and bottom edges are outside.
constexpr bool PtInRect(const TRect& R, const TPoint& P)
{
    return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}

constexpr void InflateRect(TRect& R, int DX, int DY)
{
    R.Left -= DX;
    R.Top -= DY;
    R.Right += DX;
    R.Bottom += DY;
}

constexpr void OffsetRect(TRect& R, int DX, int DY)
{
    R.Left += DX;
    R.Top += DY;
    R.Right += DX;
    R.Bottom += DY;
}

// Dst becomes the common part of A and B; an empty result is all zeros and
// returns false.
constexpr bool IntersectRect(TRect& Dst, const TRect& A, const TRect& B)
{
    TRect R(std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right), std::min(A.Bottom, B.Bottom));
    if (IsRectEmpty(R)) {
        Dst = TRect();
        return false;
    }
    Dst = R;
    return true;
}

// Dst becomes the smallest rectangle holding A and B; empty rectangles are
// ignored, and when both are empty Dst is all zeros and false is returned.
constexpr bool UnionRect(TRect& Dst, const TRect& A, const TRect& B)
{
    const bool EmptyA = IsRectEmpty(A);
    const bool EmptyB = IsRectEmpty(B);
    if (EmptyA && EmptyB) {
        Dst = TRect();
        return false;
    }
    if (EmptyA) {
        Dst = B;
    } else if (EmptyB) {
        Dst = A;
    } else {
        Dst = TRect(std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
                    std::max(A.Bottom, B.Bottom));
    }
    return true;
}
