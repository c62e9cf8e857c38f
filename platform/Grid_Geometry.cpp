// Axis arithmetic of the toolkit grid: positions, visible counts and scroll limits of one axis.
#include "platform/GridModel.h"

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

int TGridAxis::FixedExtent() const
{
    if (sizes_.empty())
        return Fixed * default_;
    int sum = 0;
    for (int j = 0; j < Fixed; ++j)
        sum += sizes_[size_t(j)];
    return sum;
}

int TGridAxis::Position(int i, int extent) const
{
    if (i < 0 || i >= count_)
        return NotVisible;
    long long pos = 0;
    if (i < Fixed) {
        for (int j = 0; j < i; ++j)
            pos += Size(j);
    } else if (i < First) {
        return NotVisible;
    } else if (sizes_.empty()) {
        pos = FixedExtent() + (long long)(i - First) * default_;
    } else {
        pos = FixedExtent();
        for (int j = First; j < i && pos < extent; ++j)
            pos += sizes_[size_t(j)];
    }
    return pos < extent ? int(pos) : NotVisible;
}

int TGridAxis::FullyVisibleCount(int extent) const
{
    const int avail = extent - FixedExtent();
    if (avail <= 0 || First >= count_)
        return 0;
    if (sizes_.empty())
        return default_ > 0 ? std::min(count_ - First, avail / default_) : count_ - First;
    int n = 0;
    for (int j = First, pos = 0; j < count_; ++j, ++n) {
        pos += sizes_[size_t(j)];
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
        pos += Size(j);
    }
    if (pos >= extent || First >= count_)
        return last;
    if (sizes_.empty() && default_ > 0)
        return std::min(count_ - 1, First + (extent - pos + default_ - 1) / default_ - 1);
    for (int j = First; j < count_ && pos < extent; ++j) {
        last = j;
        pos += Size(j);
    }
    return last;
}

int TGridAxis::MaxFirst(int extent) const
{
    const int avail = extent - FixedExtent();
    int first;
    if (sizes_.empty() && default_ > 0) {
        first = count_ - std::max(avail, 0) / default_;
    } else {
        int i = count_ - 1;
        for (int acc = 0; i >= Fixed; --i) {
            acc += Size(i);
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
    int acc = Size(i);
    if (acc > avail)
        return i;
    int f = i;
    while (f > First) {
        const int next = acc + Size(f - 1);
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
        acc += Size(j);
        if (pos < acc)
            return j;
    }
    if (sizes_.empty()) {
        if (default_ <= 0)
            return -1;
        const long long j = First + (long long)(pos - acc) / default_;
        return j < count_ ? int(j) : -1;
    }
    for (int j = First; j < count_; ++j) {
        acc += sizes_[size_t(j)];
        if (pos < acc)
            return j;
    }
    return -1;
}
