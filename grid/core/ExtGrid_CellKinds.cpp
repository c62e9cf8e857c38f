// TExtStringGrid: making, querying and removing the cell kinds other than check boxes and radio
// buttons (pictures, buttons, progress bars, comments, markers, balloons ...).
#include "grid/core/ExtGrid.h"

#include <cmath>

namespace
{
// The base cell's object when it has the kind asked, else nil (negative indexes too).
TCellGraphic* BaseGraphicOf(TExtStringGrid* Grid, int ACol, int ARow, TCellType Kind)
{
    if (ACol < 0 || ARow < 0)
        return nullptr;
    const TPoint b = Grid->BaseCell(ACol, ARow);
    if (Grid->GetCellType(b.X, b.Y) != Kind)
        return nullptr;
    return Grid->GetCellGraphic(b.X, b.Y);
}
} // namespace

// ---- Expand cells -------------------------------------------------------------------------------------

void TExtStringGrid::AddExpand(int ACol, int ARow, int OpenHeight)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctExpand);
    g->SetCellAngle(OpenHeight);
    g->SetCellIndex(RowHeights(ARow));
    g->SetCellVar(false);
}

void TExtStringGrid::RemoveExpand(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctExpand);
}

bool TExtStringGrid::HasExpand(int ACol, int ARow)
{
    return BaseGraphicOf(this, ACol, ARow, ctExpand) != nullptr;
}

bool TExtStringGrid::ToggleExpand(int ACol, int ARow)
{
    const TPoint b = BaseCell(ACol, ARow);
    TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    if (!g)
        return false;
    const bool expanded = !g->CellVar().toBool();
    g->SetCellVar(expanded);
    return expanded;
}

bool TExtStringGrid::GetExpandState(int ACol, int ARow)
{
    const TPoint b = BaseCell(ACol, ARow);
    TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    return g && g->CellVar().toBool();
}

int TExtStringGrid::GetExpandHeight(int ACol, int ARow, bool Expanded)
{
    const TPoint b = BaseCell(ACol, ARow);
    TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    if (!g)
        return DefaultRowHeight();
    return Expanded ? g->CellAngle() : g->CellIndex();
}

TRect TExtStringGrid::GetExpandButtonRect(int ACol, int ARow)
{
    if (!HasExpand(ACol, ARow))
        return TRect(0, 0, 0, 0);
    const TRect r = CellRect(DisplColIndex(ACol), ARow);
    return TRect(r.Right - 13, r.Top + 2, r.Right - 2, r.Top + 13);
}

// ---- Interfaced cells, bitmaps, pictures, icons --------------------------------------------------------

void TExtStringGrid::AddInterfacedCell(int ACol, int ARow, TObject* DrawObject)
{
    CreateCellGraphic(ACol, ARow)->SetInterfacedCell(DrawObject);
}

TObject* TExtStringGrid::GetInterfacedCell(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType() == ctInterface ? g->CellObject() : nullptr;
}

void TExtStringGrid::RemoveInterfacedCell(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctInterface);
}

void TExtStringGrid::AddBitmap(int ACol, int ARow, TBitmap* ABmp, bool Transparent, TCellHAlign HAlign,
                               TCellVAlign VAlign)
{
    CreateCellGraphic(ACol, ARow)->SetBitmap(ABmp, Transparent, HAlign, VAlign);
}

TBitmap* TExtStringGrid::CreateBitmap(int ACol, int ARow, bool Transparent, TCellHAlign HAlign,
                                      TCellVAlign VAlign)
{
    auto* bmp = new TBitmap;
    CreateCellGraphic(ACol, ARow)->SetBitmap(bmp, Transparent, HAlign, VAlign, true);
    return bmp;
}

TBitmap* TExtStringGrid::GetBitmap(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType() == ctBitmap ? g->CellBitmap() : nullptr;
}

bool TExtStringGrid::HasBitmap(int ACol, int ARow)
{
    return ACol >= 0 && ARow >= 0 && GetCellType(ACol, ARow) == ctBitmap;
}

void TExtStringGrid::RemoveBitmap(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctBitmap);
}

void TExtStringGrid::AddPicture(int ACol, int ARow, TPicture* APicture, bool Transparent,
                                TStretchMode StretchMode, int Padding, TCellHAlign HAlign, TCellVAlign VAlign)
{
    CreateCellGraphic(ACol, ARow)->SetPicture(APicture, Transparent, StretchMode, Padding, HAlign, VAlign);
}

TPicture* TExtStringGrid::CreatePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode,
                                        int Padding, TCellHAlign HAlign, TCellVAlign VAlign)
{
    auto* picture = new TPicture;
    CreateCellGraphic(ACol, ARow)
        ->SetPicture(picture, Transparent, StretchMode, Padding, HAlign, VAlign, true);
    return picture;
}

TPicture* TExtStringGrid::GetPicture(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType() == ctPicture ? g->CellPicture() : nullptr;
}

bool TExtStringGrid::HasPicture(int ACol, int ARow)
{
    return ACol >= 0 && ARow >= 0 && GetCellType(ACol, ARow) == ctPicture;
}

void TExtStringGrid::RemovePicture(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctPicture);
}

void TExtStringGrid::AddFilePicture(int ACol, int ARow, TFilePicture* APicture, bool Transparent,
                                    TStretchMode StretchMode, int Padding, TCellHAlign HAlign,
                                    TCellVAlign VAlign)
{
    CreateCellGraphic(ACol, ARow)
        ->SetFilePicture(APicture, Transparent, StretchMode, Padding, HAlign, VAlign);
}

TFilePicture* TExtStringGrid::CreateFilePicture(int ACol, int ARow, bool Transparent,
                                                TStretchMode StretchMode, int Padding, TCellHAlign HAlign,
                                                TCellVAlign VAlign)
{
    auto* picture = new TFilePicture;
    CreateCellGraphic(ACol, ARow)
        ->SetFilePicture(picture, Transparent, StretchMode, Padding, HAlign, VAlign, true);
    return picture;
}

TFilePicture* TExtStringGrid::GetFilePicture(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType() == ctFilePicture ? g->CellFilePicture() : nullptr;
}

void TExtStringGrid::RemoveFilePicture(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctFilePicture);
}

void TExtStringGrid::AddIcon(int ACol, int ARow, TIcon* AIcon, TCellHAlign HAlign, TCellVAlign VAlign)
{
    CreateCellGraphic(ACol, ARow)->SetIcon(AIcon, HAlign, VAlign);
}

TIcon* TExtStringGrid::CreateIcon(int ACol, int ARow, TCellHAlign HAlign, TCellVAlign VAlign)
{
    auto* icon = new TIcon;
    CreateCellGraphic(ACol, ARow)->SetIcon(icon, HAlign, VAlign, true);
    return icon;
}

void TExtStringGrid::RemoveIcon(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctIcon);
}

// ---- Image lists ----------------------------------------------------------------------------------------

void TExtStringGrid::AddImageIdx(int ACol, int ARow, int ImageIndex, TCellHAlign HAlign, TCellVAlign VAlign)
{
    if (GridImages)
        CreateCellGraphic(ACol, ARow)->SetImageIdx(ImageIndex, HAlign, VAlign);
}

bool TExtStringGrid::GetImageIdx(int ACol, int ARow, int& ImageIndex)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!GridImages || !g || g->CellType() != ctImageList)
        return false;
    ImageIndex = g->CellIndex();
    return true;
}

void TExtStringGrid::SetImageIdx(int ACol, int ARow, int ImageIndex)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!GridImages || !g || g->CellType() != ctImageList)
        return;
    g->SetCellIndex(ImageIndex);
    RepaintCell(DisplColIndex(ACol), ARow);
}

void TExtStringGrid::RemoveImageIdx(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctImageList);
}

void TExtStringGrid::AddDataImage(int ACol, int ARow, int ImageIndex, TCellHAlign HAlign, TCellVAlign VAlign)
{
    if (!GridImages)
        return;
    CreateCellGraphic(ACol, ARow)->SetDataImage(ImageIndex, HAlign, VAlign);
    if (Cells(ACol, ARow).isEmpty())
        SetCells(ACol, ARow, QString::number(ImageIndex));
}

bool TExtStringGrid::HasDataImage(int ACol, int ARow)
{
    return BaseGraphicOf(this, ACol, ARow, ctDataImage) != nullptr;
}

void TExtStringGrid::RemoveDataImage(int ACol, int ARow)
{
    if (RemoveCellGraphicOfType(ACol, ARow, ctDataImage))
        SetCells(ACol, ARow, QString());
}

void TExtStringGrid::AddMultiImage(int ACol, int ARow, int Direction, TCellHAlign HAlign, TCellVAlign VAlign)
{
    if (!GridImages)
        return;
    CreateCellGraphic(ACol, ARow)
        ->SetMultiImage(ACol, ARow, Direction, HAlign, VAlign,
                        [this](TObject* Sender, int c, int r) { CellImagesChanged(Sender, c, r); });
}

void TExtStringGrid::RemoveMultiImage(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctImages);
}

// ---- Progress bars and indicators ---------------------------------------------------------------------

void TExtStringGrid::AddProgress(int ACol, int ARow, TColor BarColor, TColor BackColor)
{
    AddProgressFormatted(ACol, ARow, BarColor, 0, BackColor, 0, QString(), 0, 100);
    GetCellGraphic(ACol, ARow)->SetCellBoolean(false);
}

void TExtStringGrid::AddProgressEx(int ACol, int ARow, TColor BarColor, TColor BarTextColor, TColor BackColor,
                                   TColor BackTextColor)
{
    AddProgressFormatted(ACol, ARow, BarColor, BarTextColor, BackColor, BackTextColor, QString(), 0, 100);
}

void TExtStringGrid::AddProgressFormatted(int ACol, int ARow, TColor BarColor, TColor BarTextColor,
                                          TColor BackColor, TColor BackTextColor, const QString& FormatText,
                                          int MinValue, int MaxValue)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctProgress);
    g->BitmapSlot().SetColor(BarColor);
    g->IconSlot().SetColor(BackColor);
    g->SetCellIndex(int(BarTextColor));
    g->SetCellAngle(int(BackTextColor));
    g->SetCellErrFrom(MinValue);
    g->SetCellErrLen(MaxValue);
    g->SetCellText(FormatText);
    g->SetCellBoolean(true);
    g->SetCellHAlign(haLeft);
    g->SetCellVAlign(vaTop);
    if (AutoNumAlign)
        SetAlignments(ACol, ARow, taRightJustify);
}

bool TExtStringGrid::HasProgress(int ACol, int ARow)
{
    return BaseGraphicOf(this, ACol, ARow, ctProgress) != nullptr;
}

void TExtStringGrid::RemoveProgress(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctProgress);
}

void TExtStringGrid::AddExtProgress(int ACol, int ARow, int MinValue, int MaxValue)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctXPProgress);
    g->SetCellErrFrom(MinValue);
    g->SetCellErrLen(MaxValue);
    g->SetCellBoolean(false);
    g->SetCellText(QString());
    g->SetCellHAlign(haLeft);
    g->SetCellVAlign(vaTop);
}

void TExtStringGrid::RemoveExtProgress(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctXPProgress);
}

void TExtStringGrid::AddProgressPie(int ACol, int ARow, TColor PieColor, int Percent)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctProgressPie);
    g->BitmapSlot().SetColor(PieColor);
    g->SetCellAngle(Percent);
    g->SetCellHAlign(haBeforeText);
    g->SetCellVAlign(vaTop);
}

void TExtStringGrid::SetProgressPie(int ACol, int ARow, int Percent)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType() != ctProgressPie)
        return;
    g->SetCellAngle(Percent);
    RepaintCell(DisplColIndex(ACol), ARow);
}

void TExtStringGrid::RemoveProgressPie(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctProgressPie);
}

void TExtStringGrid::AddRangeIndicator(int ACol, int ARow, int Range, TColor NegColor, TColor PosColor,
                                       bool ShowValue)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctRangeIndicator);
    g->SetCellIndex(Range);
    g->BitmapSlot().SetColor(NegColor);
    g->IconSlot().SetColor(PosColor);
    g->SetCellBoolean(ShowValue);
    g->SetCellHAlign(haLeft);
    g->SetCellVAlign(vaTop);
}

void TExtStringGrid::RemoveRangeIndicator(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctRangeIndicator);
}

// ---- Comments, shapes, ratings, scroll bars, markers ----------------------------------------------------

void TExtStringGrid::AddComment(int ACol, int ARow, const QString& CommentText)
{
    AddColorComment(ACol, ARow, CommentText, FControlLook->CommentColor());
}

void TExtStringGrid::AddColorComment(int ACol, int ARow, const QString& CommentText, TColor MarkColor)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctComment);
    g->SetCellText(CommentText);
    g->SetCellIndex(int(MarkColor));
    g->SetCellHAlign(haLeft);
    g->SetCellVAlign(vaTop);
}

QString TExtStringGrid::GetComment(int ACol, int ARow)
{
    QString text;
    IsComment(ACol, ARow, text);
    return text;
}

void TExtStringGrid::SetComment(int ACol, int ARow, const QString& CommentText)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g)
        AddComment(ACol, ARow, CommentText);
    else if (g->CellType() == ctComment)
        g->SetCellText(CommentText);
}

bool TExtStringGrid::IsComment(int ACol, int ARow, QString& CommentText)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType() != ctComment)
        return false;
    CommentText = g->CellText();
    return true;
}

void TExtStringGrid::RemoveComment(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctComment);
}

void TExtStringGrid::RemoveAllComments()
{
    QString text;
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c)
            if (IsComment(c, r, text))
                RemoveComment(c, r);
}

void TExtStringGrid::AddShape(int ACol, int ARow, TCellShape Shape, TColor BrushColor, TColor PenColor,
                              TCellHAlign HAlign, TCellVAlign VAlign)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctShape);
    g->SetCellAngle(Shape);
    g->SetCellIndex(int(BrushColor));
    g->BitmapSlot().SetColor(PenColor);
    g->SetCellHAlign(HAlign);
    g->SetCellVAlign(VAlign);
}

void TExtStringGrid::SetShapeColor(int ACol, int ARow, TColor BrushColor)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType() != ctShape)
        return;
    g->SetCellIndex(int(BrushColor));
    RepaintCell(DisplColIndex(ACol), ARow);
}

TColor TExtStringGrid::GetShapeColor(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType() == ctShape ? TColor(g->CellIndex()) : clNone;
}

void TExtStringGrid::RemoveShape(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctShape);
}

void TExtStringGrid::AddRating(int ACol, int ARow, int Stars, TColor StarColor, TColor EmptyStarColor)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctRating);
    g->SetCellAngle(Stars);
    g->SetCellIndex(int(StarColor));
    g->BitmapSlot().SetColor(EmptyStarColor);
    g->SetCellHAlign(haFull);
}

bool TExtStringGrid::HasRating(int ACol, int ARow)
{
    return BaseGraphicOf(this, ACol, ARow, ctRating) != nullptr;
}

void TExtStringGrid::RemoveRating(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctRating);
}

bool TExtStringGrid::DoRatingChange(int ACol, int ARow, double& NewRate)
{
    bool allow = true;
    if (OnRatingChange)
        OnRatingChange(this, ACol, ARow, NewRate, allow);
    return allow;
}

void TExtStringGrid::AddScrollBar(int ACol, int ARow, bool AutoRange)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctScrollbar);
    g->SetCellIndex(0);
    g->SetCellAngle(0);
    g->SetCellErrFrom(100);
    g->SetCellBoolean(AutoRange);
    if (AutoRange) {
        // The range follows the cell's number at once.
        bool ok = false;
        const int range = Cells(ACol, ARow).trimmed().toInt(&ok);
        if (ok)
            g->SetCellErrFrom(range);
    }
}

bool TExtStringGrid::HasScrollBar(int ACol, int ARow)
{
    return BaseGraphicOf(this, ACol, ARow, ctScrollbar) != nullptr;
}

bool TExtStringGrid::HasAutoRangeScrollBar(int ACol, int ARow)
{
    TCellGraphic* g = BaseGraphicOf(this, ACol, ARow, ctScrollbar);
    return g && g->CellBoolean();
}

void TExtStringGrid::SetScrollPosition(int ACol, int ARow, int Position)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType() != ctScrollbar)
        return;
    g->SetCellIndex(Position);
    RepaintCell(DisplColIndex(ACol), ARow);
}

int TExtStringGrid::GetScrollPosition(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType() == ctScrollbar ? g->CellIndex() : -1;
}

void TExtStringGrid::SetScrollProp(int ACol, int ARow, TScrollProp Prop)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType() != ctScrollbar)
        return;
    g->SetCellAngle(Prop.PageSize);
    g->SetCellErrFrom(Prop.Range);
    RepaintCell(DisplColIndex(ACol), ARow);
}

TScrollProp TExtStringGrid::GetScrollProp(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType() != ctScrollbar)
        return TScrollProp{-1, -1};
    return TScrollProp{g->CellAngle(), g->CellErrFrom()};
}

void TExtStringGrid::RemoveScrollBar(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctScrollbar);
}

void TExtStringGrid::AddMarker(int ACol, int ARow, int MarkFrom, int MarkLength)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) {
        g = CreateCellGraphic(ACol, ARow);
        g->SetCellType(ctEmpty);
    }
    g->SetCellErrFrom(MarkFrom);
    g->SetCellErrLen(MarkLength);
    RepaintCell(DisplColIndex(ACol), ARow);
}

void TExtStringGrid::GetMarker(int ACol, int ARow, int& MarkFrom, int& MarkLength)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    MarkFrom = g ? g->CellErrFrom() : 0;
    MarkLength = g ? g->CellErrLen() : 0;
}

void TExtStringGrid::RemoveMarker(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g)
        return;
    if (g->CellType() == ctEmpty) {
        RemoveCellGraphic(ACol, ARow);
        return;
    }
    g->SetCellErrFrom(0);
    g->SetCellErrLen(0);
}

void TExtStringGrid::RemoveAllMarkers()
{
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c)
            RemoveMarker(c, r);
}

// ---- Buttons ---------------------------------------------------------------------------------------------

void TExtStringGrid::AddButton(int ACol, int ARow, int ButtonWidth, int ButtonHeight, const QString& Caption,
                               TCellHAlign HAlign, TCellVAlign VAlign)
{
    CreateCellGraphic(ACol, ARow)->SetButton(ButtonWidth, ButtonHeight, Caption, HAlign, VAlign);
}

void TExtStringGrid::AddBitButton(int ACol, int ARow, int ButtonWidth, int ButtonHeight,
                                  const QString& Caption, TBitmap* Glyph, TCellHAlign HAlign,
                                  TCellVAlign VAlign)
{
    CreateCellGraphic(ACol, ARow)->SetBitButton(ButtonWidth, ButtonHeight, Caption, Glyph, HAlign, VAlign);
}

TBitmap* TExtStringGrid::CreateBitButton(int ACol, int ARow, int ButtonWidth, int ButtonHeight,
                                         const QString& Caption, TCellHAlign HAlign, TCellVAlign VAlign)
{
    auto* glyph = new TBitmap;
    CreateCellGraphic(ACol, ARow)
        ->SetBitButton(ButtonWidth, ButtonHeight, Caption, glyph, HAlign, VAlign, true);
    return glyph;
}

void TExtStringGrid::RemoveBitButton(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctBitButton);
}

void TExtStringGrid::SetButtonText(int ACol, int ARow, const QString& Caption)
{
    if (TCellGraphic* g = GetCellGraphic(DisplToRealCol(ACol), ARow)) {
        g->SetCellText(Caption);
        RepaintCell(ACol, ARow);
    }
}

QString TExtStringGrid::GetButtonText(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(DisplToRealCol(ACol), ARow);
    return g ? g->CellText() : QString();
}

void TExtStringGrid::PushButton(int ACol, int ARow, bool Pushed)
{
    TCellGraphic* g = GetCellGraphic(DisplToRealCol(ACol), ARow);
    if (!g || g->CellType() == ctNode)
        return;
    g->SetCellBoolean(Pushed);
    RepaintCell(ACol, ARow);
}

TRect TExtStringGrid::GetCellButtonRect(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(DisplToRealCol(ACol), ARow);
    if (!g)
        return TRect(0, 0, 0, 0);
    const TRect cell = CellRect(ACol, ARow);
    const auto place = uint32_t(int64_t(std::llround(g->CellValue())));
    const auto size = uint32_t(g->CellIndex());
    TRect r;
    r.Left = cell.Left + int(place & 0xFFFF);
    r.Top = cell.Top + int(place >> 16);
    r.Right = r.Left + int(size & 0xFFFF);
    r.Bottom = r.Top + int(size >> 16);
    if (g->CellVAlign() == vaFull) {
        r.Top = cell.Top;
        r.Bottom = cell.Bottom;
    }
    if (g->CellHAlign() == haFull) {
        r.Left = cell.Left;
        r.Right = cell.Right;
    }
    return r;
}

bool TExtStringGrid::HasButton(int ACol, int ARow)
{
    return BaseGraphicOf(this, ACol, ARow, ctButton) || BaseGraphicOf(this, ACol, ARow, ctBitButton);
}

void TExtStringGrid::RemoveButton(int ACol, int ARow)
{
    if (!RemoveCellGraphicOfType(ACol, ARow, ctButton))
        RemoveCellGraphicOfType(ACol, ARow, ctBitButton);
}

void TExtStringGrid::RemoveAllButtons()
{
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c)
            if (HasButton(c, r))
                RemoveButton(c, r);
}

// ---- Rotated text, balloons ------------------------------------------------------------------------------

void TExtStringGrid::AddRotated(int ACol, int ARow, int Angle, const QString& Text)
{
    CreateCellGraphic(ACol, ARow)->SetAngle(Angle);
    SetCells(ACol, ARow, Text);
}

void TExtStringGrid::SetRotated(int ACol, int ARow, int Angle)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    // The shared check-box object stands for many cells and must not turn into a rotation.
    if (!g || g->CellType() == ctVirtCheckBox || g->CellType() == ctRowCheckBox)
        g = CreateCellGraphic(ACol, ARow);
    g->SetAngle(Angle);
    RepaintCell(DisplColIndex(ACol), ARow);
}

bool TExtStringGrid::IsRotated(int ACol, int ARow, int& Angle)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType() != ctRotated)
        return false;
    Angle = g->CellAngle();
    return true;
}

void TExtStringGrid::RemoveRotated(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctRotated);
}

void TExtStringGrid::AddBalloon(int ACol, int ARow, const QString& ATitle, const QString& AText,
                                TBalloonIcon AIcon)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) {
        g = CreateCellGraphic(ACol, ARow);
        g->SetCellType(ctBalloon);
        auto* list = new TStringList;
        list->Add(ATitle);
        list->Add(AText);
        g->BitmapSlot().Set(static_cast<TStrings*>(list), true);
        g->SetCellIndex(AIcon);
        g->SetCellAngle(0);
        return;
    }
    const TCellType t = g->CellType();
    if (t == ctCheckBox || t == ctDataCheckBox || t == ctRadioButton)
        g->AttachBalloon(ATitle, AText, AIcon);
}

void TExtStringGrid::RemoveBalloon(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g)
        return;
    if (g->HasAttachedBalloon())
        g->DetachBalloon();
    else if (g->CellType() == ctBalloon)
        RemoveCellGraphic(ACol, ARow);
}

bool TExtStringGrid::IsBalloon(int ACol, int ARow, QString& ATitle, QString& AText, TBalloonIcon& AIcon)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || !(g->CellType() == ctBalloon || g->HasAttachedBalloon()))
        return false;
    const TStrings* list = g->CellStrings();
    ATitle = list && list->Count() > 0 ? list->Strings(0) : QString();
    AText = list && list->Count() > 1 ? list->Strings(1) : QString();
    AIcon = TBalloonIcon(g->CellIndex());
    return true;
}

bool TExtStringGrid::HasBalloon(int ACol, int ARow)
{
    return BaseGraphicOf(this, ACol, ARow, ctBalloon) != nullptr;
}
