#include "grid/base/GridLists.h"

#include "platform/controls/Controls.h"
#include "platform/graphics/Bitmaps.h"

#include <algorithm>

// ---- TIntList ------------------------------------------------------------------------------------

void TIntList::CheckIndex(int Index, int Limit) const
{
    if (Index < 0 || Index >= Limit)
        RaiseListIndexError(Index);
}

void TIntList::Changed()
{
    if (OnChange)
        OnChange(this, FCol, FRow);
}

int32_t TIntList::Items(int Index) const
{
    CheckIndex(Index, Count());
    return FItems[size_t(Index)];
}

void TIntList::SetItems(int Index, int32_t Value)
{
    CheckIndex(Index, Count());
    FItems[size_t(Index)] = Value;
    Changed();
}

int TIntList::Add(int32_t Value)
{
    FItems.push_back(Value);
    Changed();
    return Count() - 1;
}

void TIntList::Insert(int Index, int32_t Value)
{
    CheckIndex(Index, Count() + 1);
    FItems.insert(FItems.begin() + Index, Value);
}

void TIntList::Delete(int Index)
{
    CheckIndex(Index, Count());
    FItems.erase(FItems.begin() + Index);
    Changed();
}

int TIntList::IndexOf(int32_t Value) const
{
    auto it = std::find(FItems.begin(), FItems.end(), Value);
    return it == FItems.end() ? -1 : int(it - FItems.begin());
}

void TIntList::Exchange(int Index1, int Index2)
{
    CheckIndex(Index1, Count());
    CheckIndex(Index2, Count());
    std::swap(FItems[size_t(Index1)], FItems[size_t(Index2)]);
}

void TIntList::Move(int CurIndex, int NewIndex)
{
    CheckIndex(CurIndex, Count());
    CheckIndex(NewIndex, Count());
    const int32_t v = FItems[size_t(CurIndex)];
    FItems.erase(FItems.begin() + CurIndex);
    FItems.insert(FItems.begin() + NewIndex, v);
}

void TIntList::Sort(const std::function<int(int32_t A, int32_t B)>& Compare)
{
    std::stable_sort(FItems.begin(), FItems.end(), [&](int32_t a, int32_t b) { return Compare(a, b) < 0; });
}

void TIntList::DeleteValue(int32_t Value)
{
    const int i = IndexOf(Value);
    if (i >= 0)
        Delete(i);
}

QString TIntList::StrValue() const
{
    QString s;
    for (size_t i = 0; i < FItems.size(); ++i) {
        if (i > 0)
            s += QLatin1Char(',');
        s += QString::number(FItems[i]);
    }
    return s;
}

void TIntList::SetStrValue(const QString& Value)
{
    Clear();
    TStringList pieces;
    pieces.SetCommaText(Value);
    for (int i = 0; i < pieces.Count(); ++i)
        Add(StrToInt(pieces[i]));
}

// ---- TSortIndexList ------------------------------------------------------------------------------

namespace
{
constexpr uint32_t ColumnBits = ~TSortIndexList::DescendingBit;
constexpr uint32_t StoredColumnBits = 0xFFFF; // what the stored text keeps of a column

uint32_t Bits(int32_t entry)
{
    return uint32_t(entry);
}
} // namespace

void TSortIndexList::AddIndex(int ColumnIndex, bool Ascending)
{
    Add(int32_t(Bits(ColumnIndex) | (Ascending ? 0 : DescendingBit)));
}

int TSortIndexList::FindIndex(int ColumnIndex) const
{
    for (int i = 0; i < Count(); ++i)
        if ((Bits(Items(i)) & ColumnBits) == Bits(ColumnIndex))
            return i;
    return -1;
}

void TSortIndexList::ToggleIndex(int ColumnIndex)
{
    const int i = FindIndex(ColumnIndex);
    if (i >= 0)
        SetItems(i, int32_t(Bits(Items(i)) ^ DescendingBit));
}

int TSortIndexList::SortColumns(int Index) const
{
    return int(Bits(Items(Index)) & ColumnBits);
}

void TSortIndexList::SetSortColumns(int Index, int Value)
{
    SetItems(Index, int32_t((Bits(Items(Index)) & DescendingBit) | (Bits(Value) & ColumnBits)));
}

bool TSortIndexList::SortDirections(int Index) const
{
    return (Bits(Items(Index)) & DescendingBit) == 0;
}

void TSortIndexList::SetSortDirections(int Index, bool Ascending)
{
    const uint32_t column = Bits(Items(Index)) & ColumnBits;
    SetItems(Index, int32_t(Ascending ? column : column | DescendingBit));
}

QString TSortIndexList::SaveToString() const
{
    QString s;
    for (int i = 0; i < Count(); ++i) {
        if (i > 0)
            s += QLatin1Char(';');
        s += SortDirections(i) ? QLatin1Char('u') : QLatin1Char('d');
        s += QString::number(Bits(Items(i)) & StoredColumnBits);
    }
    return s;
}

void TSortIndexList::LoadFromString(const QString& s)
{
    Clear();
    for (const QString& piece : s.split(QLatin1Char(';'))) {
        if (piece.size() < 2)
            continue;
        int32_t column = 0;
        // A piece that names no column is dropped rather than read as some column.
        if (!TryStrToInt(piece.mid(1), column) || column < 0)
            continue;
        AddIndex(column, piece[0] == QLatin1Char('u'));
    }
}

// ---- TControlList --------------------------------------------------------------------------------

TControlItem* TControlList::Control(int Index) const
{
    if (Index < 0 || Index >= Count())
        RaiseListIndexError(Index);
    return FItems[size_t(Index)].get();
}

void TControlList::AddControl(int X, int Y, TControl* AObject)
{
    FItems.push_back(std::make_unique<TControlItem>(X, Y, AObject));
}

int TControlList::ControlIndex(int X, int Y) const
{
    for (int i = 0; i < Count(); ++i)
        if (FItems[size_t(i)]->X == X && FItems[size_t(i)]->Y == Y)
            return i;
    return -1;
}

void TControlList::RemoveControl(int Index)
{
    Control(Index); // checks the index
    FItems.erase(FItems.begin() + Index);
}

bool TControlList::HasHandle(HWND Handle) const
{
    return std::any_of(FItems.begin(), FItems.end(), [Handle](const std::unique_ptr<TControlItem>& item) {
        auto* win = dynamic_cast<TWinControl*>(item->Control);
        return win && win->Handle() == Handle;
    });
}

// ---- TFileStringList -----------------------------------------------------------------------------

void TFileStringList::Reset()
{
    FPosition = 0;
    FPending.clear();
}

void TFileStringList::ReadLn(QString& s)
{
    s = Strings(FPosition); // raises before the position moves
    ++FPosition;
}

void TFileStringList::WriteLn(const QString& s)
{
    Add(FPending + s);
    FPending.clear();
}

// ---- TFilePicture --------------------------------------------------------------------------------

void TFilePicture::SetFilename(const QString& Value)
{
    FFilename = Value;
    if (Value.isEmpty()) {
        FWidth = 0;
        FHeight = 0;
        return;
    }
    TPicture picture;
    picture.LoadFromFile(Value);
    FWidth = picture.Width();
    FHeight = picture.Height();
}

void TFilePicture::DrawPicture(TCanvas* Canvas, const TRect& r) const
{
    if (FFilename.isEmpty())
        return;
    TPicture picture;
    try {
        picture.LoadFromFile(FFilename);
    } catch (const EInOutError&) {
        return;
    } catch (const EInvalidGraphic&) {
        return;
    }
    Canvas->StretchDraw(r, picture.Graphic());
}

void TFilePicture::Assign(const TPersistent* Source)
{
    auto* src = dynamic_cast<const TFilePicture*>(Source);
    if (!src) {
        TPersistent::Assign(Source);
        return;
    }
    FFilename = src->FFilename;
    FWidth = src->FWidth;
    FHeight = src->FHeight;
}
