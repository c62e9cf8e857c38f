// The string grid's settings objects: defaults, the repainting and forwarding writers, and Assign.
#include "grid/core/ExtGridSettings.h"
#include "grid/core/ExtGrid.h"
#include "grid/dropdown/DropDownAppearance.h"

// ---- TCellNode -----------------------------------------------------------------------------------------

TCellNode::TCellNode(TExtStringGrid* AOwner)
    : FOwner(AOwner), FExpandGlyph(std::make_unique<TBitmap>()), FContractGlyph(std::make_unique<TBitmap>())
{
}

template <class T> void TCellNode::Repainting(T& Field, T Value)
{
    if (Field == Value)
        return;
    Field = Value;
    if (FOwner)
        FOwner->InvalidateGrid();
}

void TCellNode::SetNodeType(TNodeType Value)
{
    Repainting(FNodeType, Value);
}

void TCellNode::SetNodeIndent(int Value)
{
    Repainting(FNodeIndent, Value);
}

void TCellNode::SetShowTree(bool Value)
{
    Repainting(FShowTree, Value);
}

void TCellNode::SetShowTreeFull(bool Value)
{
    Repainting(FShowTreeFull, Value);
}

void TCellNode::SetTreeColor(TColor Value)
{
    Repainting(FTreeColor, Value);
}

void TCellNode::Assign(const TPersistent* Source)
{
    const auto* src = dynamic_cast<const TCellNode*>(Source);
    if (!src)
        return;
    Color = src->Color;
    NodeColor = src->NodeColor;
    ExpandOne = src->ExpandOne;
    SetNodeType(src->FNodeType);
    SetNodeIndent(src->FNodeIndent);
    SetShowTree(src->FShowTree);
    SetShowTreeFull(src->FShowTreeFull);
    SetTreeColor(src->FTreeColor);
    FExpandGlyph->Assign(src->FExpandGlyph.get());
    FContractGlyph->Assign(src->FContractGlyph.get());
}

// ---- Small settings ------------------------------------------------------------------------------------

void TSizeWhileTyping::Assign(const TPersistent* Source)
{
    if (const auto* src = dynamic_cast<const TSizeWhileTyping*>(Source)) {
        Height = src->Height;
        Width = src->Width;
    }
}

void TColumnSize::SetStretch(bool Value)
{
    FStretch = Value;
    if (OnStretchChange)
        OnStretchChange(this);
}

void TColumnSize::Assign(const TPersistent* Source)
{
    const auto* src = dynamic_cast<const TColumnSize*>(Source);
    if (!src)
        return;
    Save = src->Save;
    Key = src->Key;
    Section = src->Section;
    FStretch = src->FStretch;
    StretchColumn = src->StretchColumn;
    SynchWithGrid = src->SynchWithGrid;
    SynchNormalCellsOnly = src->SynchNormalCellsOnly;
    Location = src->Location;
    Rows = src->Rows;
}

void TDragScrollDelays::Assign(const TPersistent* Source)
{
    if (const auto* src = dynamic_cast<const TDragScrollDelays*>(Source)) {
        InitialDelay = src->InitialDelay;
        RepeatDelay = src->RepeatDelay;
    }
}

void TDragScrollMargins::Assign(const TPersistent* Source)
{
    if (const auto* src = dynamic_cast<const TDragScrollMargins*>(Source)) {
        TopMargin = src->TopMargin;
        BottomMargin = src->BottomMargin;
        LeftMargin = src->LeftMargin;
        RightMargin = src->RightMargin;
    }
}

TDragScrollOptions::TDragScrollOptions()
    : FDelays(std::make_unique<TDragScrollDelays>()), FMargins(std::make_unique<TDragScrollMargins>())
{
}

void TDragScrollOptions::Assign(const TPersistent* Source)
{
    if (const auto* src = dynamic_cast<const TDragScrollOptions*>(Source)) {
        FMargins->Assign(src->FMargins.get());
        FDelays->Assign(src->FDelays.get());
        Active = src->Active;
    }
}

// ---- TControlLook --------------------------------------------------------------------------------------

TControlLook::TControlLook(TExtStringGrid* AGrid)
    : FGrid(AGrid), FUnCheckedGlyph(std::make_unique<TBitmap>()), FCheckedGlyph(std::make_unique<TBitmap>()),
      FRadioOffGlyph(std::make_unique<TBitmap>()), FRadioOnGlyph(std::make_unique<TBitmap>())
{
    Init();
    FDropDownHeader = std::make_unique<THeaderAppearance>(AGrid);
    FDropDownFooter = std::make_unique<TFooterAppearance>(AGrid);
}

TControlLook::~TControlLook() = default;

void TControlLook::SetDropDownHeader(const THeaderAppearance* Value)
{
    FDropDownHeader->Assign(Value);
}

void TControlLook::SetDropDownFooter(const TFooterAppearance* Value)
{
    FDropDownFooter->Assign(Value);
}

void TControlLook::RepaintGrid()
{
    if (FGrid)
        FGrid->InvalidateGrid();
}

void TControlLook::CopyGlyph(TBitmap* Glyph, const TBitmap* Value)
{
    Glyph->Assign(Value);
    if (FGrid)
        FGrid->InvalidateGrid();
}

void TControlLook::Init()
{
    FColor = clBlack;
    FCommentColor = 0x000000FF;
    ProgressBorderColor = 0x00808080;
    FFixedGradientFrom = clNone;
    FFixedGradientTo = clNone;
    FFixedGradientMirrorFrom = clNone;
    FFixedGradientMirrorTo = clNone;
    FFixedGradientHoverFrom = 0x00FFFFFF;
    FFixedGradientHoverTo = 0x00808080;
    FFixedGradientHoverBorder = 0x00C0C0C0;
    FFixedGradientDownFrom = 0x00C0C0C0;
    FFixedGradientDownTo = 0x00808080;
    FFixedGradientDownBorder = 0x00808080;
    SetFixedGradientHoverMirrorFrom(clNone);
    SetFixedGradientHoverMirrorTo(clNone);
    SetFixedGradientDownMirrorFrom(clNone);
    SetFixedGradientDownMirrorTo(clNone);
}

// The gradient writers forward into the grid's fixed-cell colours: the plain and hover/down colours
// only when set, the mirror colours always (clNone switches the mirror off).
void TControlLook::SetFixedGradientFrom(TColor Value)
{
    FFixedGradientFrom = Value;
    if (FGrid && Value != clNone)
        FGrid->SetQelGradientFrom(Value);
}

void TControlLook::SetFixedGradientTo(TColor Value)
{
    FFixedGradientTo = Value;
    if (FGrid && Value != clNone)
        FGrid->SetQelGradientTo(Value);
}

void TControlLook::SetFixedGradientMirrorFrom(TColor Value)
{
    FFixedGradientMirrorFrom = Value;
    if (FGrid)
        FGrid->SetQelGradientMirrorFrom(Value);
}

void TControlLook::SetFixedGradientMirrorTo(TColor Value)
{
    FFixedGradientMirrorTo = Value;
    if (FGrid)
        FGrid->SetQelGradientMirrorTo(Value);
}

namespace
{
void ForwardIfSet(TColor& Own, TColor Value, TColor* GridField)
{
    Own = Value;
    if (GridField && Value != clNone)
        *GridField = Value;
}

void ForwardAlways(TColor& Own, TColor Value, TColor* GridField)
{
    Own = Value;
    if (GridField)
        *GridField = Value;
}
} // namespace

void TControlLook::SetFixedGradientHoverFrom(TColor Value)
{
    ForwardIfSet(FFixedGradientHoverFrom, Value, FGrid ? &FGrid->QelGradientHoverFrom : nullptr);
}

void TControlLook::SetFixedGradientHoverTo(TColor Value)
{
    ForwardIfSet(FFixedGradientHoverTo, Value, FGrid ? &FGrid->QelGradientHoverTo : nullptr);
}

void TControlLook::SetFixedGradientHoverBorder(TColor Value)
{
    ForwardIfSet(FFixedGradientHoverBorder, Value, FGrid ? &FGrid->QelGradientHoverBorder : nullptr);
}

void TControlLook::SetFixedGradientDownFrom(TColor Value)
{
    ForwardIfSet(FFixedGradientDownFrom, Value, FGrid ? &FGrid->QelGradientDownFrom : nullptr);
}

void TControlLook::SetFixedGradientDownTo(TColor Value)
{
    ForwardIfSet(FFixedGradientDownTo, Value, FGrid ? &FGrid->QelGradientDownTo : nullptr);
}

void TControlLook::SetFixedGradientDownBorder(TColor Value)
{
    ForwardIfSet(FFixedGradientDownBorder, Value, FGrid ? &FGrid->QelGradientDownBorder : nullptr);
}

void TControlLook::SetFixedGradientHoverMirrorFrom(TColor Value)
{
    ForwardAlways(FFixedGradientHoverMirrorFrom, Value, FGrid ? &FGrid->QelGradientHoverMirrorFrom : nullptr);
}

void TControlLook::SetFixedGradientHoverMirrorTo(TColor Value)
{
    ForwardAlways(FFixedGradientHoverMirrorTo, Value, FGrid ? &FGrid->QelGradientHoverMirrorTo : nullptr);
}

void TControlLook::SetFixedGradientDownMirrorFrom(TColor Value)
{
    ForwardAlways(FFixedGradientDownMirrorFrom, Value, FGrid ? &FGrid->QelGradientDownMirrorFrom : nullptr);
}

void TControlLook::SetFixedGradientDownMirrorTo(TColor Value)
{
    ForwardAlways(FFixedGradientDownMirrorTo, Value, FGrid ? &FGrid->QelGradientDownMirrorTo : nullptr);
}

void TControlLook::Assign(const TPersistent* Source)
{
    const auto* src = dynamic_cast<const TControlLook*>(Source);
    if (!src)
        return;
    FCheckBoxSize = src->FCheckBoxSize;
    FRadioSize = src->FRadioSize;
    FControlStyle = src->FControlStyle;
    FCheckedGlyph->Assign(src->FCheckedGlyph.get());
    FUnCheckedGlyph->Assign(src->FUnCheckedGlyph.get());
    FRadioOnGlyph->Assign(src->FRadioOnGlyph.get());
    FRadioOffGlyph->Assign(src->FRadioOffGlyph.get());
    FProgressMarginX = src->FProgressMarginX;
    FProgressMarginY = src->FProgressMarginY;
    FCommentColor = src->FCommentColor;
    FColor = src->FColor;
    ProgressBorderColor = src->ProgressBorderColor;
    CheckAlwaysActive = src->CheckAlwaysActive;
    RadioAlwaysActive = src->RadioAlwaysActive;
    FFixedGradientFrom = src->FFixedGradientFrom;
    FFixedGradientTo = src->FFixedGradientTo;
    FFixedGradientMirrorFrom = src->FFixedGradientMirrorFrom;
    FFixedGradientMirrorTo = src->FFixedGradientMirrorTo;
    FFixedGradientHoverFrom = src->FFixedGradientHoverFrom;
    FFixedGradientHoverTo = src->FFixedGradientHoverTo;
    FFixedGradientHoverMirrorFrom = src->FFixedGradientHoverMirrorFrom;
    FFixedGradientHoverMirrorTo = src->FFixedGradientHoverMirrorTo;
    FFixedGradientHoverBorder = src->FFixedGradientHoverBorder;
    FFixedGradientDownFrom = src->FFixedGradientDownFrom;
    FFixedGradientDownTo = src->FFixedGradientDownTo;
    FFixedGradientDownMirrorFrom = src->FFixedGradientDownMirrorFrom;
    FFixedGradientDownMirrorTo = src->FFixedGradientDownMirrorTo;
    FFixedGradientDownBorder = src->FFixedGradientDownBorder;
    FDropDownAlwaysVisible = src->FDropDownAlwaysVisible;
    FSpinButtonsAlwaysVisible = src->FSpinButtonsAlwaysVisible;
    DropDownCount = src->DropDownCount;
    FDropDownFooter->Assign(src->FDropDownFooter.get());
    FDropDownHeader->Assign(src->FDropDownHeader.get());
    HintMaxWidth = src->HintMaxWidth;
}

// ---- TBackGround ---------------------------------------------------------------------------------------

TBackGround::TBackGround(TExtStringGrid* AGrid) : FGrid(AGrid), FBitmap(std::make_unique<TBitmap>()) {}

void TBackGround::RepaintGrid()
{
    if (FGrid)
        FGrid->InvalidateGrid();
}

void TBackGround::Assign(const TPersistent* Source)
{
    const auto* src = dynamic_cast<const TBackGround*>(Source);
    if (!src) {
        TPersistent::Assign(Source);
        return;
    }
    FTop = src->FTop;
    FLeft = src->FLeft;
    FDisplay = src->FDisplay;
    FBackgroundCells = src->FBackgroundCells;
    FColor = src->FColor;
    FColorTo = src->FColorTo;
    FBitmap->Assign(src->FBitmap.get());
    RepaintGrid();
}

void TBackGround::SetBitmap(const TBitmap* Value)
{
    FBitmap->Assign(Value);
    if (FGrid)
        FGrid->InvalidateGrid();
}

// ---- Marks, progress bars, balloons --------------------------------------------------------------------

void TShowModified::SetColor(TColor Value)
{
    FColor = Value;
    if (OnChange)
        OnChange(this);
}

void TShowModified::Assign(const TPersistent* Source)
{
    if (const auto* src = dynamic_cast<const TShowModified*>(Source)) {
        FColor = src->FColor;
        Enabled = src->Enabled;
    }
}

void TGridProgressAppearance::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TGridProgressAppearance::Assign(const TPersistent* Source)
{
    if (const auto* src = dynamic_cast<const TGridProgressAppearance*>(Source)) {
        FValues = src->FValues;
        Changed();
    }
}

void TBalloonSettings::SetEnable(bool Value)
{
    FEnable = Value;
    if (OnEnableChange)
        OnEnableChange(this);
}

void TBalloonSettings::Assign(const TPersistent* Source)
{
    if (const auto* src = dynamic_cast<const TBalloonSettings*>(Source)) {
        TextColor = src->TextColor;
        BackgroundColor = src->BackgroundColor;
        InitialDelay = src->InitialDelay;
        AutoHideDelay = src->AutoHideDelay;
        ReshowDelay = src->ReshowDelay;
        FEnable = src->FEnable;
    }
}
