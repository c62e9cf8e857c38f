// TExtStringGrid: the cell balloon (its window, its text for the cell under the mouse) and the
// picture of a cell selection in a never-activated form.
#include "grid/base/CellText.h"
#include "grid/base/HtmlText.h"
#include "grid/core/ExtGrid.h"
#include "grid/core/FloatingWindows.h"
#include "platform/controls/ExtCtrls.h"

#include <QPixmap>

namespace
{

// The longest balloon text and title, and what is kept of a longer one before "...".
constexpr int BalloonTextLimit = 2048;
constexpr int BalloonTextKept = 2045;
constexpr int BalloonTitleLimit = 100;
constexpr int BalloonTitleKept = 97;
// The opacity of the dragged-cells picture.
constexpr uint8_t SelectionFormAlpha = 192;

// Leading CR, LF and tabs go, tabs become blanks, a long text is cut.
QString BalloonClean(const QString& Text)
{
    int first = 0;
    while (first < Text.size() && (Text[first] == '\r' || Text[first] == '\n' || Text[first] == '\t'))
        ++first;
    QString kept = Text.size() > BalloonTextLimit ? Text.mid(first, BalloonTextKept) + QStringLiteral("...")
                                                  : Text.mid(first);
    kept.replace('\t', ' ');
    return kept;
}

} // namespace

// ---- Balloons -----------------------------------------------------------------------------------------

void TExtStringGrid::BalloonInit()
{
    if (FBalloonInit)
        return;
    FBalloonInit = true;
    FBalloonWnd = new TBalloonWindow(this, this);
    const TBalloonSettings& b = *FBalloonSettings;
    FBalloonWnd->InitialDelay = b.InitialDelay;
    FBalloonWnd->ReshowDelay = b.ReshowDelay;
    FBalloonWnd->AutoHideDelay = b.AutoHideDelay;
    if (b.Transparency > 0)
        FBalloonWnd->SetAlpha(uint8_t(255 - b.Transparency));
}

void TExtStringGrid::BalloonDone()
{
    // Whenever the window exists, so switching Enable off never leaves a second one behind.
    delete FBalloonWnd;
    FBalloonWnd = nullptr;
    FBalloonInit = false;
}

void TExtStringGrid::BalloonEnableChanged()
{
    if (ComponentState() & csLoading)
        return;
    if (FBalloonSettings->Enable())
        BalloonInit();
    else
        BalloonDone();
}

TExtStringGrid::TBalloonText TExtStringGrid::BalloonNeedText(TPoint ClientPos)
{
    TBalloonText result;
    result.Title = QStringLiteral(" ");
    result.Icon = biInfo;
    if (!FBalloonSettings->Enable())
        return result;
    int ACol = -1, ARow = -1;
    MouseToCell(ClientPos.X, ClientPos.Y, ACol, ARow);
    const bool valid = ACol >= 0 && ARow >= 0;
    if (valid) {
        const TPoint base = BaseCell(ACol, ARow);
        ACol = base.X;
        ARow = base.Y;
    }
    const int C = valid ? RealColIndex(ACol) : -1;
    QString text;
    if (valid) {
        const QString cell = Cells(C, ARow);
        switch (CellTextKind(cell, EnableHTML)) {
        case ctkHTML:
            text = HTMLToText(cell);
            break;
        case ctkWideText:
            text = WideCells(C, ARow);
            break;
        default:
            // Rich text shows as stored until the grid has a rich editor to read it with.
            text = cell;
            break;
        }
        QString title, own;
        TBalloonIcon icon = biInfo;
        if (IsBalloon(C, ARow, title, own, icon)) {
            result.Title = title;
            text = own;
            result.Icon = icon;
        }
    }
    if (OnCellBalloon)
        OnCellBalloon(this, C, ARow, result.Title, text, result.Icon);
    FLastBalloonPos = TPoint(ACol, ARow);
    // Every text the balloon gets is held to the same limits, whoever supplied it.
    result.Text = BalloonClean(text);
    if (result.Title.size() > BalloonTitleLimit)
        result.Title = result.Title.left(BalloonTitleKept) + QStringLiteral("...");
    if (FBalloonWnd) {
        FBalloonWnd->TextColor = FBalloonSettings->TextColor;
        FBalloonWnd->BackgroundColor = FBalloonSettings->BackgroundColor;
    }
    return result;
}

// ---- The picture of dragged cells ---------------------------------------------------------------------

TForm* TExtStringGrid::SelectionToForm(const TGridRect& ARect)
{
    // Either corner may come first; only what the grid shows can be pictured.
    int left = std::min(ARect.Left, ARect.Right), right = std::max(ARect.Left, ARect.Right);
    int top = std::min(ARect.Top, ARect.Bottom), bottom = std::max(ARect.Top, ARect.Bottom);
    auto clampCol = [this](int c) {
        c = std::clamp(c, 0, std::max(0, ColCount() - 1));
        if (c >= FixedCols() && c < LeftCol())
            c = LeftCol();
        return std::min(c, std::max(LeftCol() + VisibleColCount(), FixedCols()));
    };
    auto clampRow = [this](int r) {
        r = std::clamp(r, 0, std::max(0, RowCount() - 1));
        if (r >= FixedRows() && r < TopRow())
            r = TopRow();
        return std::min(r, std::max(TopRow() + VisibleRowCount(), FixedRows()));
    };
    left = std::min(clampCol(left), ColCount() - 1);
    right = std::min(clampCol(right), ColCount() - 1);
    top = std::min(clampRow(top), RowCount() - 1);
    bottom = std::min(clampRow(bottom), RowCount() - 1);
    const TRect r1 = CellRect(left, top);
    const TRect r2 = CellRect(right, bottom);

    const QImage grid = Viewport()->grab().toImage();
    const int w = std::max(1, r2.Right - r1.Left + 1);
    const int h = std::max(1, r2.Bottom - r1.Top + 1);
    TBitmap picture;
    picture.Assign(grid.copy(r1.Left, r1.Top, w, h));
    if (left == 0 && FixedCols() > 0 && Options().Contains(goFixedHorzLine)) {
        picture.Canvas->Pen->Color = GridFixedLineColor();
        picture.Canvas->MoveTo(0, 0);
        picture.Canvas->LineTo(0, h);
    }
    if (top == 0 && FixedRows() > 0 && Options().Contains(goFixedVertLine)) {
        picture.Canvas->Pen->Color = GridFixedLineColor();
        picture.Canvas->MoveTo(0, 0);
        picture.Canvas->LineTo(w, 0);
    }

    auto* form = new TNoActiveForm(this);
    form->SetBounds(form->Left(), form->Top(), w, h);
    form->Image()->Picture()->Bitmap()->Assign(&picture);
    form->Image()->PictureChanged();
    form->SetAlpha(SelectionFormAlpha);
    return form;
}
