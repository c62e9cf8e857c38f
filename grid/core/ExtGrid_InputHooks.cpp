// TExtStringGrid: the hooks the input handling, the filter and the file formats call at fixed
// moments - selection changed, fixed-cell edit, rows by key, filter done, cell texts for export and
// import, and the export and import stages.
#include "grid/base/CellText.h"
#include "grid/base/HtmlText.h"
#include "grid/core/ExtGrid.h"

void TExtStringGrid::DoSelectionChanged(int ALeft, int ATop, int ARight, int ABottom)
{
    // Only the styled selections paint differently enough to need the whole block again.
    if (Look == glVista || Look == glWin7 || Look == glOffice2007)
        RepaintRect(Selection());
    FSelChange = true;
    if (OnSelectionChanged)
        OnSelectionChanged(this, ALeft, ATop, ARight, ABottom);
}

void TExtStringGrid::DoFixedEdit(int ACol, int ARow, TGridFixedCellEditor& AEditor, TStrings* Values)
{
    if (OnFixedEdit)
        OnFixedEdit(this, ACol, ARow, AEditor, Values);
}

void TExtStringGrid::EditorCaretMoved(const QString&, int, int) {}

void TExtStringGrid::InsertRowAtKey(int ARow)
{
    if (FNumNodes == 0) {
        InsertRows(ARow, 1, true);
        return;
    }
    if (GetParentRow(RealToDisplRow(ARow)) == -1)
        InsertNormalRow(ARow);
    else
        InsertChildRow(ARow, 0);
}

void TExtStringGrid::RemoveRowAtKey(int ARow)
{
    if (FNumNodes > 0) {
        if (GetParentRow(ARow) == -1)
            RemoveNormalRow(ARow);
        else
            RemoveChildRow(ARow);
    } else if (RowCount() - FixedRows() - FixedFooters != 1 || FFixedRowAlways) {
        DeleteRowRange(ARow, 1);
    } else {
        // The last normal row stays, emptied.
        ClearRows(ARow, 1);
    }
    if (OnAutoDeleteRow)
        OnAutoDeleteRow(this, ARow);
}

void TExtStringGrid::DoFilterDone()
{
    if (OnFilterDone)
        OnFilterDone(this);
}

QString TExtStringGrid::GetExportCellText(int ACol, int ARow)
{
    QString v = SaveVirtCells ? GetFormattedCell(ACol, ARow) : GetGridCell(ACol, ARow);
    if (v.isEmpty()) {
        const TCellType t = GetCellType(ACol, ARow);
        if (t == ctCheckBox || t == ctTriStateCheckBox) {
            bool checked = false;
            if (t == ctCheckBox) {
                GetCheckBoxState(ACol, DisplToRealRow(ARow), checked);
            } else {
                // Grayed counts as unchecked.
                TCheckBoxState state = cbUnchecked;
                GetCheckBoxState(ACol, DisplToRealRow(ARow), state);
                checked = state == cbChecked;
            }
            if (checked)
                GetCheckTrue(ACol, ARow, v);
            else
                GetCheckFalse(ACol, ARow, v);
        }
    }
    switch (CellTextKind(v, true)) {
    case ctkHTML:
        if (!SaveWithHTML)
            v = HTMLToText(v);
        break;
    case ctkRichText:
        // Rich text stays one line of RTF; its plain text needs the rich edit of the editors.
        if (SaveWithRTF)
            v.remove(QChar('\r')).remove(QChar('\n'));
        break;
    default:
        break;
    }
    if (OnSaveCell)
        OnSaveCell(this, ACol, ARow, v);
    return v;
}

void TExtStringGrid::ImportCellText(int ACol, int ARow, const QString& Value)
{
    QString s = Value;
    if (OnLoadCell)
        OnLoadCell(this, ACol, ARow, s);
    SetGridCell(ACol, ARow, s);
}

void TExtStringGrid::ExportNotification(TGridExportState, int) {}

void TExtStringGrid::ImportNotification(TGridImportState, int) {}

void TExtStringGrid::DoCheckBoxClick(int ACol, int ARow, bool State)
{
    if (OnCheckBoxClick)
        OnCheckBoxClick(this, ACol, ARow, State);
}

void TExtStringGrid::DoClickSort(int ACol)
{
    if (OnClickSort)
        OnClickSort(this, ACol);
}
