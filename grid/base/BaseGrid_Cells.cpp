// TBaseGrid: cell texts by real column, the display hooks and the property objects in the slots.
#include "grid/base/BaseGrid.h"
#include "grid/base/CellText.h"

#include <memory>

TCellProperties* TBaseGrid::SlotProps(int c, int r) const
{
    // The toolkit store is public, so a slot may hold anything; only our own objects count.
    return dynamic_cast<TCellProperties*>(TStringGrid::Objects(c, r));
}

TCellProperties* TBaseGrid::GridProps(int c, int r) const
{
    // Until the first property object exists no slot can hold one: plain cell access skips the
    // slot lookup.
    if (!FHasCellProps || c < 0 || c >= TotalColCount() || r < 0 || r >= RowCount())
        return nullptr;
    return SlotProps(c, r);
}

bool TBaseGrid::HasCellProperties(int c, int r) const
{
    return GridProps(c, r) != nullptr;
}

QString TBaseGrid::GetCellEx(int c, int r)
{
    int bc = c, br = r;
    if (const TCellProperties* props = GridProps(c, r))
        props->GetBaseCell(c, r, bc, br);
    QString text = TStringGrid::Cells(bc, br);
    if (br < FNormalRowCount) {
        GetDisplText(bc, br, text);
        if (OnGetDisplWideText) {
            QString wide = DecodeWideText(text);
            GetDisplWideText(bc, br, wide);
            text = EncodeWideText(wide);
        }
    }
    return text;
}

void TBaseGrid::SetCellEx(int c, int r, const QString& Value)
{
    if (const TCellProperties* props = GridProps(c, r)) {
        int bc, br;
        props->GetBaseCell(c, r, bc, br);
        TStringGrid::SetCells(bc, br, Value);
        BaseCellChanged(bc, br);
        if (Parent())
            RepaintCell(c, r);
    } else {
        TStringGrid::SetCells(c, r, Value);
    }
    if (FHideLastRow && r + 1 == RowCount())
        LastRowChanged();
}

void TBaseGrid::GetDisplText(int ACol, int ARow, QString& Value)
{
    if (OnGetDisplText)
        OnGetDisplText(this, ACol, ARow, Value);
}

void TBaseGrid::GetDisplWideText(int ACol, int ARow, QString& Value)
{
    if (OnGetDisplWideText)
        OnGetDisplWideText(this, ACol, ARow, Value);
}

// ---- Objects -------------------------------------------------------------------------------------------

TObject* TBaseGrid::GetObjectEx(int c, int r) const
{
    const TCellProperties* props = SlotProps(c, r);
    return props ? props->CellObject() : nullptr;
}

TObject* TBaseGrid::GetGraphicObjectEx(int c, int r) const
{
    return GraphicObjectOf(SlotProps(c, r));
}

TObject* TBaseGrid::GraphicObjectOf(const TCellProperties* Props)
{
    return Props ? Props->GraphicObject() : nullptr;
}

template <class F> void TBaseGrid::WithBlankCell(int c, int r, F Store)
{
    // A cell that holds an object is never empty to the toolkit's eyes; the blank is taken out again.
    const bool empty = GetCellEx(c, r).isEmpty();
    if (empty)
        SetCellEx(c, r, " ");
    Store();
    if (empty)
        SetCellEx(c, r, QString());
}

void TBaseGrid::SetObjectEx(int c, int r, TObject* Value)
{
    WithBlankCell(c, r, [&] { GetCellProperties(c, r)->SetCellObject(Value); });
}

void TBaseGrid::SetGraphicObjectEx(int c, int r, TObject* Value)
{
    if (ComponentState() & csDestroying)
        return;
    WithBlankCell(c, r, [&] { GetCellProperties(c, r)->SetGraphicObject(Value); });
}

// ---- Property objects ----------------------------------------------------------------------------------

TCellProperties* TBaseGrid::GetCellProperties(int c, int r)
{
    if (TCellProperties* props = SlotProps(c, r))
        return props;
    return CreateCellProperties(c, r);
}

TCellProperties* TBaseGrid::CreateCellProperties(int c, int r)
{
    auto owned = std::make_unique<TCellProperties>(this, c, r);
    TStringGrid::SetObjects(c, r, owned.get()); // raises for a negative index, before we let go
    TCellProperties* props = owned.release();

    // Asked only once the object sits in its slot: an override may look the cell up.
    TFont font;
    font.Assign(*Font);
    TBrush brush;
    brush.Color = Color();
    TColor colorTo = clNone, mirrorColor = clNone, mirrorColorTo = clNone;
    TAlignment hAlign = taLeftJustify;
    TVAlignment vAlign = vtaTop;
    bool wordWrap = FWordWrap;
    TCellGradientDirection gradientDir = GradientVertical;
    GetCellDrawProps(c, r, &font, &brush, colorTo, mirrorColor, mirrorColorTo, hAlign, vAlign, wordWrap,
                     gradientDir);

    props->SetCalcType(acNONE);
    props->SetAlignment(hAlign);
    props->SetVAlignment(vAlign);
    props->SetWordWrap(wordWrap);
    props->SetFontName(font.Name);
    props->SetFontSize(font.Size);
    props->SetFontStyle(font.Style);
    props->SetFontColor(font.Color);
    props->SetBrushColor(brush.Color);
    props->SetBrushColorTo(colorTo);
    props->SetGradientDirection(gradientDir);
    return props;
}

void TBaseGrid::GetCellDrawProps(int, int, TFont* AFont, TBrush* ABrush, TColor& ColorTo, TColor& MirrorColor,
                                 TColor& MirrorColorTo, TAlignment& HAlign, TVAlignment& VAlign,
                                 bool& WordWrap, TCellGradientDirection& GradientDir)
{
    AFont->Assign(*Font);
    ABrush->Color = Color();
    ColorTo = clNone;
    MirrorColor = clNone;
    MirrorColorTo = clNone;
    HAlign = taLeftJustify;
    VAlign = vtaTop;
    WordWrap = FWordWrap;
    GradientDir = GradientVertical;
}

void TBaseGrid::SetCellProperties(int c, int r, TCellProperties* Value)
{
    std::unique_ptr<TCellProperties> old(SlotProps(c, r));
    TStringGrid::SetObjects(c, r, Value);
}

// ---- Clearing and freeing ------------------------------------------------------------------------------

void TBaseGrid::ClearColCells(int ACol)
{
    for (int r = 0; r < RowCount(); ++r) {
        TStringGrid::SetObjects(ACol, r, nullptr);
        SetCellEx(ACol, r, QString());
    }
}

void TBaseGrid::ClearRowCells(int ARow)
{
    for (int c = 0; c < ColCount(); ++c) {
        TStringGrid::SetObjects(c, ARow, nullptr);
        SetCellEx(c, ARow, QString());
    }
}

void TBaseGrid::ClearCellAndObject(int c, int r)
{
    SetCellEx(c, r, QString());
    TStringGrid::SetObjects(c, r, nullptr);
}

void TBaseGrid::FreeCellProps(int c, int r)
{
    if (TCellProperties* props = SlotProps(c, r)) {
        TStringGrid::SetObjects(c, r, nullptr);
        delete props;
    }
}

void TBaseGrid::FreeCellPropsRect(int FromCol, int FromRow, int ToCol, int ToRow)
{
    if (!FHasCellProps)
        return;
    for (int c = FromCol; c <= ToCol; ++c) {
        for (int r = FromRow; r <= ToRow; ++r) {
            if (TCellProperties* props = SlotProps(c, r)) {
                TStringGrid::SetObjects(c, r, nullptr);
                FreePropsAndGraphic(props);
            }
        }
    }
}

void TBaseGrid::RepaintCell(int c, int r)
{
    InvalidateClientRect(CellRect(c, r));
}
