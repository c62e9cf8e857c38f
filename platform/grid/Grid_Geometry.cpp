// Geometry of the toolkit grid: the arithmetic of one axis (positions, visible counts, scroll limits)
// and the grid's cell rectangles, hit tests and sizing zones built on it.
#include "platform/grid/Grid.h"
#include "platform/grid/GridModel.h"

#include <cmath>
#include <cstdlib>

void TGridAxis::SetCount(int count)
{
    count_ = std::max(count, 0);
    if (!sizes_.empty())
        sizes_.resize(size_t(count_), default_);
}

void TGridAxis::SetDefaultSize(int size)
{
    default_ = std::max(size, 0);
    sizes_.clear();
}

bool TGridAxis::SetSize(int i, int size)
{
    size = std::max(size, 0);
    if (size == Size(i))
        return false;
    if (sizes_.empty())
        sizes_.assign(size_t(count_), default_);
    sizes_[size_t(i)] = size;
    return true;
}

bool TGridAxis::ScaleSizes(int from, int to, double Factor, int Except)
{
    return SetSizes(from, to,
                    [&](int i, int size) { return i == Except ? size : int(std::nearbyint(size * Factor)); });
}

void TGridAxis::RotateSizes(int First, int Middle, int Last)
{
    if (!sizes_.empty() && First < Middle && Middle < Last)
        std::rotate(sizes_.begin() + First, sizes_.begin() + Middle, sizes_.begin() + Last);
}

void TGridAxis::ReverseSizes(int First, int Last)
{
    if (!sizes_.empty() && First < Last)
        std::reverse(sizes_.begin() + First, sizes_.begin() + Last);
}

void TGridAxis::GatherSizes(const std::vector<int>& Listed, int End)
{
    if (!sizes_.empty())
        gridblock::Gather(sizes_, Listed, End);
}

void TGridAxis::SpreadSizes(const std::vector<int>& Listed, int End)
{
    if (!sizes_.empty())
        gridblock::Spread(sizes_, Listed, End);
}

bool TGridAxis::MoveSizes(int from, int to, int delta)
{
    // Clip the source so that its destination stays inside the count.
    from = std::max({from, 0, -delta});
    to = std::min({to, count_, count_ - delta});
    if (sizes_.empty() || from >= to || delta == 0)
        return false;
    const auto b = sizes_.begin();
    if (delta < 0)
        std::copy(b + from, b + to, b + from + delta);
    else
        std::copy_backward(b + from, b + to, b + to + delta);
    return true;
}

int TGridAxis::FixedExtent() const
{
    if (sizes_.empty())
        return Fixed * (default_ + Line);
    int sum = 0;
    for (int j = 0; j < Fixed; ++j)
        sum += Pitch(j);
    return sum;
}

int TGridAxis::ExtentOf(int from, int to) const
{
    from = std::max(from, 0);
    to = std::min(to, count_);
    if (to <= from)
        return 0;
    if (sizes_.empty())
        return (to - from) * (default_ + Line);
    int sum = 0;
    for (int j = from; j < to; ++j)
        sum += Pitch(j);
    return sum;
}

int TGridAxis::Position(int i, int extent) const
{
    if (i < 0 || i >= count_)
        return NotVisible;
    long long pos = 0;
    if (i < Fixed) {
        for (int j = 0; j < i; ++j)
            pos += Pitch(j);
    } else if (i < First) {
        return NotVisible;
    } else if (sizes_.empty()) {
        pos = FixedExtent() + (long long)(i - First) * (default_ + Line);
    } else {
        pos = FixedExtent();
        for (int j = First; j < i && pos < extent; ++j)
            pos += Pitch(j);
    }
    return pos < extent ? int(pos) : NotVisible;
}

int TGridAxis::FullyVisibleCount(int extent) const
{
    const int avail = extent - FixedExtent();
    if (avail <= 0 || First >= count_)
        return 0;
    const int pitch = default_ + Line;
    if (sizes_.empty())
        return pitch > 0 ? std::min(count_ - First, avail / pitch) : count_ - First;
    int n = 0;
    for (int j = First, pos = 0; j < count_; ++j, ++n) {
        pos += Pitch(j);
        if (pos > avail)
            break;
    }
    return n;
}

int TGridAxis::LastVisible(int extent) const
{
    int last = -1;
    int pos = 0;
    for (int j = 0; j < Fixed && j < count_; ++j) {
        if (pos >= extent)
            return last;
        last = j;
        pos += Pitch(j);
    }
    if (pos >= extent || First >= count_)
        return last;
    const int pitch = default_ + Line;
    if (sizes_.empty() && pitch > 0)
        return std::min(count_ - 1, First + (extent - pos + pitch - 1) / pitch - 1);
    for (int j = First; j < count_ && pos < extent; ++j) {
        last = j;
        pos += Pitch(j);
    }
    return last;
}

int TGridAxis::MaxFirst(int extent) const
{
    const int avail = extent - FixedExtent();
    const int pitch = default_ + Line;
    int first;
    if (sizes_.empty() && pitch > 0) {
        first = count_ - std::max(avail, 0) / pitch;
    } else {
        int i = count_ - 1;
        for (int acc = 0; i >= Fixed; --i) {
            acc += Pitch(i);
            if (acc > avail)
                break;
        }
        first = i + 1;
    }
    return std::clamp(first, Fixed, std::max(Fixed, count_ - 1));
}

int TGridAxis::FirstShowing(int i, int extent) const
{
    if (i < Fixed || i >= count_)
        return First;
    if (i < First)
        return i;
    const int avail = extent - FixedExtent();
    // Walk back from i while the entries still fit; stop at the current First (no move needed).
    int acc = Pitch(i);
    if (acc > avail)
        return i;
    int f = i;
    while (f > First) {
        const int next = acc + Pitch(f - 1);
        if (next > avail)
            return f;
        acc = next;
        --f;
    }
    return First;
}

int TGridAxis::IndexAt(int pos) const
{
    if (pos < 0)
        return -1;
    int acc = 0;
    for (int j = 0; j < Fixed && j < count_; ++j) {
        acc += Pitch(j);
        if (pos < acc)
            return j;
    }
    if (sizes_.empty()) {
        const int pitch = default_ + Line;
        if (pitch <= 0)
            return -1;
        const long long j = First + (long long)(pos - acc) / pitch;
        return j < count_ ? int(j) : -1;
    }
    for (int j = First; j < count_; ++j) {
        acc += Pitch(j);
        if (pos < acc)
            return j;
    }
    return -1;
}

bool TGridAxis::Span(int a, int b, int extent, int& p0, int& p1) const
{
    if (a > b)
        std::swap(a, b);
    const int last = LastVisible(extent);
    a = std::max(a, 0);
    b = std::min(b, last);
    if (a >= Fixed)
        a = std::max(a, First);
    if (b >= Fixed && b < First)
        b = Fixed - 1;
    if (a > b)
        return false;
    p0 = Position(a, extent);
    const int end = Position(b, extent);
    if (p0 == NotVisible || end == NotVisible)
        return false;
    p1 = end + Pitch(b);
    return true;
}

// ---- Grid geometry -----------------------------------------------------------------------------------

TRect TCustomGrid::CellRect(int ACol, int ARow) const
{
    const TRect client = ClientRect();
    const int x = FCols.Position(ACol, client.Width());
    const int y = FRows.Position(ARow, client.Height());
    if (x == TGridAxis::NotVisible || y == TGridAxis::NotVisible)
        return TRect();
    return TRect(x, y, x + FCols.Size(ACol), y + FRows.Size(ARow));
}

int TCustomGrid::FixedColsWidth() const
{
    return FCols.FixedExtent();
}

int TCustomGrid::FixedRowsHeight() const
{
    return FRows.FixedExtent();
}

int TCustomGrid::ColWidthsSum(int From, int To) const
{
    return FCols.ExtentOf(From, To);
}

int TCustomGrid::RowHeightsSum(int From, int To) const
{
    return FRows.ExtentOf(From, To);
}

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) const
{
    const TGridCoord c = MouseCoord(X, Y);
    ACol = c.X;
    ARow = c.Y;
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y) const
{
    return TGridCoord{FCols.IndexAt(X), FRows.IndexAt(Y)};
}

TPoint TCustomGrid::ClientToScreen(TPoint p) const
{
    return TPoint::FromQPoint(Viewport()->mapToGlobal(p.ToQPoint()));
}

TPoint TCustomGrid::ScreenToClient(TPoint p) const
{
    return TPoint::FromQPoint(Viewport()->mapFromGlobal(p.ToQPoint()));
}

void TCustomGrid::CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs)
{
    State = gsNormal;
    Index = -1;
    const TRect client = ClientRect();
    // The border nearest to pos among the visible entries of the axis, within the sizing margin.
    auto nearBorder = [](const TGridAxis& a, int pos, int extent, int& index, int& border) {
        int best = GridSizingMargin + 1;
        auto consider = [&](int i) {
            const int p = a.Position(i, extent);
            if (p == TGridAxis::NotVisible)
                return false;
            const int edge = p + a.Size(i);
            if (std::abs(pos - edge) < best) {
                best = std::abs(pos - edge);
                index = i;
                border = edge;
            }
            return true;
        };
        for (int i = 0; i < a.Fixed && consider(i); ++i) {
        }
        for (int i = a.First; i < a.Count() && consider(i); ++i) {
        }
        return best <= GridSizingMargin;
    };
    int border = 0;
    if (FOptions.Contains(goColSizing) && Y >= 0 && Y < FRows.FixedExtent() &&
        nearBorder(FCols, X, client.Width(), Index, border)) {
        State = gsColSizing;
        SizingPos = border;
        SizingOfs = X - border;
    } else if (FOptions.Contains(goRowSizing) && X >= 0 && X < FCols.FixedExtent() &&
               nearBorder(FRows, Y, client.Height(), Index, border)) {
        State = gsRowSizing;
        SizingPos = border;
        SizingOfs = Y - border;
    } else {
        Index = -1;
    }
}
