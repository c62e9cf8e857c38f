// TExtStringGrid: showing and storing the special editors, one table row per editor kind.
//
// ShowCellEditor runs the common steps around the kind's Show, EditorToCell those around its
// Store. A kind without a row (the plain kinds, edNone, edDataCheckBox, and every special kind whose
// editor has not been added) shows nothing and stores nothing: EditMode and FEditing stay set and
// the end is still reported when the cell is left. Adding a kind means filling its row.
#include "grid/core/ExtGrid.h"

#include <array>

const TExtStringGrid::TEditorKindRow& TExtStringGrid::EditorKindRow(TEditorType Kind)
{
    static const std::array<TEditorKindRow, edMaskEditBtn + 1> rows = [] {
        std::array<TEditorKindRow, edMaskEditBtn + 1> r{};
        // Plain kinds: the default editor does everything; edNone never opens; edDataCheckBox is
        // toggled where it stands. Their rows stay empty on purpose.
        const TEditorKindRow combo{
            [](TExtStringGrid& g, int c, int row, const TRect& rect) { g.ShowComboEditor(c, row, rect); },
            [](TExtStringGrid& g, int c, int row) { g.StoreComboEditor(c, row); }};
        r[edComboEdit] = combo;
        r[edComboList] = combo;
        r[edRichEdit] = {
            [](TExtStringGrid& g, int c, int row, const TRect& rect) { g.ShowRichEditor(c, row, rect); },
            [](TExtStringGrid& g, int c, int row) { g.StoreRichEditor(c, row); }};
        const TEditorKindRow spin{
            [](TExtStringGrid& g, int c, int row, const TRect& rect) { g.ShowSpinEditor(c, row, rect); },
            [](TExtStringGrid& g, int c, int row) { g.StoreSpinEditor(c, row); }};
        for (TEditorType k : {edSpinEdit, edFloatSpinEdit, edTimeSpinEdit, edDateSpinEdit})
            r[k] = spin;
        const TEditorKindRow editBtn{
            [](TExtStringGrid& g, int c, int row, const TRect& rect) { g.ShowEditBtnEditor(c, row, rect); },
            [](TExtStringGrid& g, int c, int row) { g.StoreEditBtnEditor(c, row); }};
        for (TEditorType k : {edEditBtn, edNumericEditBtn, edFloatEditBtn, edMaskEditBtn})
            r[k] = editBtn;
        const TEditorKindRow unit{
            [](TExtStringGrid& g, int c, int row, const TRect& rect) { g.ShowUnitEditor(c, row, rect); },
            [](TExtStringGrid& g, int c, int row) { g.StoreUnitEditor(c, row); }};
        for (TEditorType k : {edUnitEditBtn, edNumericUnitEditBtn, edFloatUnitEditBtn})
            r[k] = unit;
        r[edCheckBox] = {
            [](TExtStringGrid& g, int c, int row, const TRect& rect) { g.ShowCheckBoxEditor(c, row, rect); },
            [](TExtStringGrid& g, int c, int row) { g.StoreCheckBoxEditor(c, row); }};
        r[edButton] = {
            [](TExtStringGrid& g, int c, int row, const TRect& rect) { g.ShowButtonEditor(c, row, rect); },
            [](TExtStringGrid& g, int c, int row) { g.StoreButtonEditor(c, row); }};
        const TEditorKindRow date{
            [](TExtStringGrid& g, int c, int row, const TRect& rect) { g.ShowDateEditor(c, row, rect); },
            [](TExtStringGrid& g, int c, int row) { g.StoreDateEditor(c, row); }};
        for (TEditorType k : {edDateEdit, edDateEditUpDown, edTimeEdit})
            r[k] = date;
        r[edDateTimeEdit] = {
            [](TExtStringGrid& g, int c, int row, const TRect& rect) { g.ShowDateTimeEditor(c, row, rect); },
            [](TExtStringGrid& g, int c, int row) { g.StoreDateTimeEditor(c, row); }};
        r[edCustom] = {
            [](TExtStringGrid& g, int c, int row, const TRect& rect) { g.ShowLinkEditor(c, row, rect); },
            [](TExtStringGrid& g, int c, int row) { g.StoreLinkEditor(c, row); }};
        return r;
    }();
    static const TEditorKindRow none{};
    const int k = int(Kind);
    return k >= 0 && k < int(rows.size()) ? rows[size_t(k)] : none;
}

void TExtStringGrid::ShowCellEditor(int ACol, int ARow)
{
    FEditing = true;
    FSpecialEditor = true;
    FEditActive = true;
    TRect r = CellRect(ACol, ARow);
    if (UseRightToLeftAlignment())
        r.Left += 1;
    const int real = RealColIndex(ACol);
    FGridState = gsNormal;
    EditCtrl = nullptr;
    if (EditControl != edCustom)
        FLastValidation = true;
    if (const auto show = EditorKindRow(EditControl).Show)
        show(*this, real, ARow, r);
    FStartEditChar = QChar();
}

void TExtStringGrid::EditorToCell(int ACol, int ARow)
{
    if (ComponentState() & csDestroying)
        return;
    FSpecialEditor = false;
    FBlockKill = true;
    const int real = RealColIndex(ACol);
    FStartEditChar = QChar();
    struct TUnblock {
        TExtStringGrid* G;
        ~TUnblock()
        {
            G->FBlockKill = false;
            G->FEditActive = false;
        }
    } unblock{this};
    if (const auto store = EditorKindRow(EditControl).Store)
        store(*this, real, ARow);
    if (EditControl != edNormal && FEditActive)
        PostEditDone(real, ARow);
}
