// The options of the grid's text search (TExtStringGrid::Find and its callers): a set of 16 values held
// in 16 bits, bit n for ordinal n. Build sets as `fnBackward | fnAutoGoto`; `{}` is the empty set.
#pragma once

#include <cstdint>

enum TFindParameters {
    fnMatchCase,
    fnMatchFull,
    fnMatchRegular,
    fnDirectionLeftRight,
    fnMatchStart,
    fnFindInCurrentRow,
    fnFindInCurrentCol,
    fnIncludeFixed,
    fnAutoGoto,
    fnIgnoreHTMLTags,
    fnBackward,
    fnIncludeHiddenColumns,
    fnFindInPresetCol,
    fnFindInPresetRow,
    fnSelectedCells,
    fnIncludeHiddenRows
};

class TFindParams
{
  public:
    constexpr TFindParams() = default;
    constexpr TFindParams(TFindParameters p) : FBits(Bit(p)) {}
    constexpr bool Contains(TFindParameters p) const { return (FBits & Bit(p)) != 0; }
    constexpr TFindParams& Include(TFindParameters p)
    {
        FBits = uint16_t(FBits | Bit(p));
        return *this;
    }
    constexpr TFindParams& Exclude(TFindParameters p)
    {
        FBits = uint16_t(FBits & ~Bit(p));
        return *this;
    }
    constexpr uint16_t Bits() const { return FBits; }
    static constexpr TFindParams FromBits(uint16_t Bits)
    {
        TFindParams s;
        s.FBits = Bits;
        return s;
    }
    friend constexpr TFindParams operator|(TFindParams a, TFindParams b)
    {
        return FromBits(uint16_t(a.FBits | b.FBits));
    }
    friend constexpr bool operator==(TFindParams a, TFindParams b) { return a.FBits == b.FBits; }

  private:
    static constexpr uint16_t Bit(TFindParameters p) { return uint16_t(1u << unsigned(p)); }
    uint16_t FBits = 0;
};

constexpr TFindParams operator|(TFindParameters a, TFindParameters b)
{
    return TFindParams(a) | TFindParams(b);
}
