// TExtStringGrid: cell hints - the hint text, place, colour and window class of the cell under the
// mouse when the application's hint machinery asks (CM_HINTSHOW).
#include "grid/base/CellText.h"
#include "grid/base/HtmlHintWindow.h"
#include "grid/base/HtmlRender.h"
#include "grid/core/ExtGrid.h"

namespace
{

// Where an anchor's hint opens from the mouse, and how far below the cell a plain hint opens.
constexpr int AnchorHintDX = 8;
constexpr int AnchorHintDY = -16;
constexpr int BelowCellGap = 6;

} // namespace

void TExtStringGrid::CMHintShow(TCMHintShow& Message)
{
    THintInfo& info = *Message.HintInfo;
    QString hint = info.HintStr;
    GetCellHint(hint, info);
    info.HintStr = hint;
    Message.Result = 0;
}

void TExtStringGrid::GetCellHint(QString& HintStr, THintInfo& HintInfo)
{
    // 1.
    const TPoint cursor = HintInfo.CursorPos;
    int ACol = -1, ARow = -1;
    MouseToCell(cursor.X, cursor.Y, ACol, ARow);
    if (FControlLook->HintMaxWidth > 0)
        HintInfo.HintMaxWidth = FControlLook->HintMaxWidth;
    THTMLHintWindow::HintFontName() = Font->Name;

    // 2. Outside the cells only the colour.
    if (ACol >= 0 && ARow >= 0) {
        // 3.
        const TPoint base = BaseCell(ACol, ARow);
        ACol = base.X;
        ARow = base.Y;
        FLastHintPos = base;
        const TRect R = CellRect(ACol, ARow);
        const int CW = R.Right - R.Left;
        const int CH = R.Bottom - R.Top;
        const int RCol = DisplToRealCol(ACol);
        TPoint pos;

        // 4. Comment.
        if (IsComment(RCol, ARow, HintStr))
            pos = TPoint(R.Right, R.Top);
        else
            pos = TPoint(cursor.X, R.Bottom + BelowCellGap);

        // 5. Anchor.
        const QString stored = Cells(RCol, ARow);
        if (AnchorHint && CellTextKind(stored, EnableHTML) == ctkHTML) {
            QString anchor, plain, focus, anchorHint, ctrlId, ctrlValue, ctrlType;
            int w = 0, h = 0, anchors = 0, linkNo = -1;
            TRect anchorRect, ctrlRect;
            const bool hit =
                RenderHTML(Canvas, stored, R, GridImages, cursor.X, cursor.Y, -1, -1, 1, true, false, false,
                           false, false, false, false, false, 1.0, URLColor, clNone, clNone, clGray, anchor,
                           plain, focus, anchorHint, w, h, anchors, linkNo, anchorRect, ctrlRect, ctrlId,
                           ctrlValue, ctrlType, FImageCache.get(), PictureContainer, Handle(), 0);
            if (!hit)
                anchor.clear();
            if (!anchor.isEmpty()) {
                if (anchorHint.isEmpty())
                    anchorHint = anchor;
                if (OnAnchorHint)
                    OnAnchorHint(this, ARow, RCol, anchorHint);
                FLastAnchorHint = anchorHint;
                HintStr = anchorHint;
                pos = TPoint(cursor.X + AnchorHintDX, cursor.Y + AnchorHintDY);
            }
        }

        // 6. Cell text of a normal cell; only the vertical place changes.
        if (HintShowCells && ACol >= FixedCols() && ACol < ColCount() - FixedRightCols &&
            ARow >= FixedRows() && ARow < RowCount() - FixedFooters) {
            pos.Y = R.Top;
            if (CellTextKind(stored, EnableHTML) == ctkWideText)
                HintStr = WideCells(RCol, ARow);
            else if (HTMLHint)
                HintStr = stored;
            else
                HintStr = GetStrippedCell(RCol, ARow);
        }

        // 7. The full text of a cell too small for it, measured as the painter lays it out.
        if (HintShowLargeText) {
            const bool enhanced = EnhTextSize;
            EnhTextSize = false;
            TSize size;
            try {
                size = GetCellTextSize(RCol, ARow, false, true);
            } catch (...) {
                EnhTextSize = enhanced;
                throw;
            }
            EnhTextSize = enhanced;
            if (size.cx > CW || size.cy > CH) {
                if (HintShowLargeTextPos == hpCell)
                    pos = TPoint(R.Left, R.Top);
                const uint8_t kind = CellTextKind(stored, EnableHTML);
                HintStr = (kind != ctkHTML || HTMLHint) ? stored : GetStrippedCell(RCol, ARow);
            }
        }

        // 8. The application's word; the floating footer row never reaches it.
        const bool footerRow = FFloatingFooter && FFloatingFooter->Visible() && ARow == RowCount() - 1;
        if (!footerRow) {
            QString wide;
            DoGridHint(ACol, ARow, HintStr, wide);
        }

        // 9.
        const uint8_t kind = CellTextKind(HintStr, true);
        if ((kind == ctkHTML || kind == ctkWideText) && UseInternalHintClass) {
            HintInfo.HintWindowClass = &CreateHintWindowOf<THTMLHintWindow>;
            HintInfo.HintData = this;
        }
        // 10.
        HintInfo.HintPos = ClientToScreen(pos);
    }
    // 11.
    HintInfo.HintColor = HintColor;
}
