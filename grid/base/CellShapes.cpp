// The shapes of shape and rating cells.
#include "grid/base/CellPainters.h"

#include "grid/base/DrawHelpersInternal.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

using namespace drawhelpers;

namespace
{

// Point k (0..9) of the star in the box: even k on the outer ellipse, odd k on one a third its size,
// k x 36 degrees clockwise from twelve o'clock.
TPoint StarPoint(int x, int y, int w, int h, int k)
{
    const int cx = x + w / 2, cy = y + h / 2;
    const double rx = k % 2 == 0 ? w / 2 : (w / 2) / 3.0;
    const double ry = k % 2 == 0 ? h / 2 : (h / 2) / 3.0;
    const double angle = k * std::numbers::pi / 5;
    return TPoint(cx + Rnd(std::sin(angle) * rx), cy - Rnd(std::cos(angle) * ry));
}

std::vector<TPoint> StarPoints(int x, int y, int w, int h, std::initializer_list<int> ks)
{
    std::vector<TPoint> points;
    for (int k : ks)
        points.push_back(StarPoint(x, y, w, h, k));
    return points;
}

} // namespace

void DrawCellShape(TCanvas* Canvas, int X, int Y, int W, int H, TCellShape Shape, TColor BrushColor,
                   TColor PenColor)
{
    if (Shape < csRectangle || Shape > csHalfStar)
        return;
    SetOutline(Canvas, BrushColor, PenColor);
    if ((Shape == csCircle || Shape == csSquare || Shape == csRoundSquare) && W != H)
        W = H = std::min(W, H);
    const int V = W - W % 2, Q = V / 4, e = H / 2;
    const int G = H - H % 2, P = G / 4, c = W / 2;
    switch (Shape) {
    case csRectangle:
    case csSquare:
        Canvas->Rectangle(X + 1, Y + 1, X + W - 1, Y + H - 1);
        break;
    case csCircle:
    case csEllips:
        Canvas->Ellipse(X, Y, X + W, Y + H);
        break;
    case csRoundRect:
    case csRoundSquare:
        Canvas->RoundRect(X, Y, X + W, Y + H, 10, 10);
        break;
    case csLineVert:
        Canvas->Rectangle(X + W / 2, Y, X + W / 2 + 1, Y + H);
        break;
    case csLineHorz:
        Canvas->Rectangle(X, Y + H / 2, X + W, Y + H / 2 + 1);
        break;
    case csTriangleLeft:
        Canvas->Polygon({{X + W, Y}, {X + W, Y + H}, {X, Y + H / 2}});
        break;
    case csTriangleRight:
        Canvas->Polygon({{X, Y}, {X, Y + H}, {X + W, Y + H / 2}});
        break;
    case csTriangleUp:
        Canvas->Polygon({{X, Y + H}, {X + W, Y + H}, {X + W / 2, Y}});
        break;
    case csTriangleDown:
        Canvas->Polygon({{X, Y}, {X + W, Y}, {X + W / 2, Y + H}});
        break;
    case csDiamond:
        Canvas->Polygon(
            {{X, Y + H / 2}, {X + W / 2, Y}, {X + (W / 2) * 2, Y + H / 2}, {X + W / 2, Y + (H / 2) * 2}});
        break;
    case csArrowUp:
        Canvas->Polygon({{X, Y + e},
                         {X + V / 2, Y},
                         {X + V, Y + e},
                         {X + 3 * Q, Y + e},
                         {X + 3 * Q, Y + H},
                         {X + Q, Y + H},
                         {X + Q, Y + e}});
        break;
    case csArrowDown:
        Canvas->Polygon({{X, Y + e},
                         {X + V / 2, Y + H},
                         {X + V, Y + e},
                         {X + 3 * Q, Y + e},
                         {X + 3 * Q, Y},
                         {X + Q, Y},
                         {X + Q, Y + e}});
        break;
    case csArrowLeft:
        Canvas->Polygon({{X, Y + G / 2},
                         {X + c, Y},
                         {X + c, Y + P},
                         {X + W, Y + P},
                         {X + W, Y + 3 * P},
                         {X + c, Y + 3 * P},
                         {X + c, Y + G}});
        break;
    case csArrowRight:
        Canvas->Polygon({{X + W, Y + G / 2},
                         {X + c, Y},
                         {X + c, Y + P},
                         {X, Y + P},
                         {X, Y + 3 * P},
                         {X + c, Y + 3 * P},
                         {X + c, Y + G}});
        break;
    case csStar:
        Canvas->Polygon(StarPoints(X, Y, W, H, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
        break;
    case csHalfStar:
        Canvas->Polygon(StarPoints(X, Y, W, H, {0, 5, 6, 7, 8, 9}));
        break;
    }
}
