// TExtStringGrid: rich-text cells. A cell holds its RTF one character per byte; the hidden RichEdit
// converts it for painting, measuring and plain text, the in-place rich editor edits edRichEdit
// cells.
#include "grid/core/ExtGrid.h"
#include "grid/core/ExtGridSettings.h"
#include "grid/edit/ExtRichEdit.h"

#include <QTextDocument>

namespace
{
constexpr QLatin1String RtfStart("{\\rtf");
// The in-place editor's formatting rectangle keeps this far from its border.
constexpr int RichEditorInset = 2;
// The measured height gets this much more, as the rich edit's own frame asks.
constexpr int RichMeasureExtraHeight = 4;
} // namespace

TExtRichEdit* TExtStringGrid::ReadRichEdit()
{
    if (!FRichEdit) {
        FRichEdit = new TExtRichEdit(this);
        FRichEdit->SetVisible(false);
        FRichEdit->SetParent(this);
        FRichEdit->SetBounds(0, 0, 0, 0);
        FRichEdit->SetBorderStyle(bsNone);
        // Unwrapped, so that its resize requests give the content's natural size.
        FRichEdit->SetWordWrap(false);
    }
    return FRichEdit;
}

TExtRichEdit* TExtStringGrid::ReadInplaceRichEdit()
{
    if (!FInplaceRichEdit) {
        FInplaceRichEdit = new TExtRichEdit(this);
        FInplaceRichEdit->SetVisible(false);
        FInplaceRichEdit->SetParent(this);
        FInplaceRichEdit->OnSelectionChange = [this](TObject*) {
            if (OnRichEditSelectionChange)
                OnRichEditSelectionChange(this);
        };
    }
    return FInplaceRichEdit;
}

void TExtStringGrid::CellToRich(int ACol, int ARow, TRichEdit* Richeditor)
{
    const QString text = Cells(ACol, ARow);
    if (text.isEmpty()) {
        Richeditor->Clear();
        return;
    }
    TMemoryStream stream;
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        bytes[i] = char(text[i].unicode() & 0xFF);
    stream.WriteBuffer(bytes.constData(), bytes.size());
    stream.SetPosition(0);
    const bool plain = Richeditor->PlainText;
    Richeditor->PlainText = !text.startsWith(RtfStart);
    Richeditor->LoadFromStream(&stream);
    Richeditor->PlainText = plain;
}

QString TExtStringGrid::RichToString(TRichEdit* Richeditor)
{
    if (ComponentState() & csDestroying)
        return QString();
    const bool plain = Richeditor->PlainText;
    Richeditor->PlainText = false;
    TMemoryStream stream;
    Richeditor->SaveToStream(&stream);
    Richeditor->PlainText = plain;
    return QString::fromLatin1(stream.Bytes());
}

void TExtStringGrid::RichToCell(int ACol, int ARow, TRichEdit* Richeditor)
{
    SetCells(ACol, ARow, RichToString(Richeditor));
}

QString TExtStringGrid::RichCellPlainText(const QString& Text)
{
    TExtRichEdit* edit = ReadRichEdit();
    if (Text.startsWith(RtfStart)) {
        QByteArray bytes(Text.size(), Qt::Uninitialized);
        for (qsizetype i = 0; i < Text.size(); ++i)
            bytes[i] = char(Text[i].unicode() & 0xFF);
        TMemoryStream stream;
        stream.WriteBuffer(bytes.constData(), bytes.size());
        stream.SetPosition(0);
        edit->PlainText = false;
        edit->LoadFromStream(&stream);
        return edit->Text();
    }
    return Text;
}

void TExtStringGrid::PaintRichCell(int ACol, int ARow, const TRect& R, TCanvas* ACanvas)
{
    if (IsDesignTime())
        return;
    TExtRichEdit* edit = ReadRichEdit();
    CellToRich(ACol, ARow, edit);
    const int dc = RealToDisplCol(ACol);
    const TGridRect sel = Selection();
    const bool rowMode = FMouseActions->DisjunctRowSelect();
    const bool colMode = FMouseActions->DisjunctColSelect();
    bool selected;
    if (rowMode)
        selected = RowSelect(ARow);
    else if (colMode)
        selected = ColSelect(dc);
    else
        selected =
            dc >= sel.Left && dc <= sel.Right && ARow >= sel.Top && ARow <= sel.Bottom &&
            !(dc == Col() && ARow == Row() && GridFocused() && !Options().Contains(goDrawFocusSelected));
    TColor textColor = clWindowText;
    if (selected && !SelectionRTFKeep && !ACanvas->Image() && FSelectionTextColor != clNone) {
        edit->SelectAll();
        edit->SelAttributes->SetColor(FSelectionTextColor);
        textColor = FSelectionTextColor;
    }
    const int e = XYOffset.X;
    edit->PaintTo(ACanvas, TRect(R.Left + e, R.Top + e, R.Right - e, R.Bottom - e), textColor);
}

TSize TExtStringGrid::RichCellTextSize(int ACol, int ARow, const TRect& R)
{
    TExtRichEdit* edit = ReadRichEdit();
    edit->Clear();
    CellToRich(ACol, ARow, edit);
    TSize size = edit->ContentSize(WordWrap() ? R.Width() : -1);
    size.cy += RichMeasureExtraHeight;
    return size;
}

// ---- The edRichEdit rows of the editor table ---------------------------------------------------------

void TExtStringGrid::ShowRichEditor(int ACol, int ARow, const TRect& R)
{
    TExtRichEdit* edit = ReadInplaceRichEdit();
    EditMode = true;
    edit->ReCreate();
    edit->SetParent(this);
    edit->SetBorderStyle(bsNone);
    edit->SetHideSelection(false);
    edit->SetWordWrap(WordWrap() || Multilinecells);
    edit->SetBounds(R.Left, R.Top, R.Right - R.Left - 1, R.Bottom - R.Top - 1);
    DoGetEditorProp(ACol, ARow, nullptr);
    edit->Lock();
    struct TUnlock {
        TExtRichEdit* E;
        ~TUnlock() { E->Unlock(); }
    } unlock{edit};
    CellToRich(ACol, ARow, edit);
    if (FNavigation->EditSelectAll)
        edit->SelectAll();
    else
        edit->SetSelStart(int(edit->Text().size()));
    edit->SetVisible(true);
    edit->SetEnabled(true);
    edit->SetRect(TRect(RichEditorInset, RichEditorInset, R.Right - R.Left - RichEditorInset,
                        R.Bottom - R.Top - RichEditorInset));
    {
        TGridDrawState state = 0;
        TBrush brush;
        brush.Color = Color();
        TColor to = clNone, mirror = clNone, mirrorTo = clNone;
        TAlignment ha = taLeftJustify;
        TVAlignment va = vtaTop;
        bool ww = false;
        TCellGradientDirection gd{};
        TFont font;
        font.Assign(Font);
        GetVisualProperties(ACol, ARow, state, false, false, true, &brush, to, mirror, mirrorTo, &font, ha,
                            va, ww, gd);
        edit->SetColor(brush.Color);
    }
    if (edit->CanFocus())
        edit->SetFocus();
    if (!FStartEditChar.isNull())
        PostMessage(edit->Handle(), WM_CHAR, WPARAM(FStartEditChar.unicode()), 0);
    EditCtrl = edit;
}

void TExtStringGrid::StoreRichEditor(int ACol, int ARow)
{
    TExtRichEdit* edit = FInplaceRichEdit;
    if (!edit)
        return;
    StoreEditText(ACol, ARow, RichToString(edit));
    // The focus goes to the grid first, never on to the form's next control.
    if (edit->Focused() && CanFocus())
        SetFocus();
    edit->SetVisible(false);
    EditMode = false;
}
