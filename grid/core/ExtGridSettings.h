// Settings objects the string grid owns and publishes: node rows, sizing while typing, column sizes,
// drag scrolling, the look of cell controls and fixed cells, the background, the modified-row mark,
// progress bars and balloons.
//
// They are data: each setter stores (and, where said, repaints the grid or fires OnChange), and Assign
// copies what its owner's form streaming needs from an object of the same class, ignoring any other
// source. Re-applying a setting (stretching a column, showing balloons) is the grid's job, reached
// through the handlers the grid binds.
#pragma once

#include "grid/base/GridTypes.h"
#include "platform/core/Classes.h"
#include "platform/graphics/Bitmaps.h"

#include <memory>

class TExtStringGrid;
class THeaderAppearance;
class TFooterAppearance;

enum TNodeType { cnFlat, cn3D, cnGlyph, cnLeaf, cnXP };
enum TColumnSizeLocation { clRegistry, clIniFile };
enum TAutoSizeRows { arAll, arNormal, arFixed };
// The look of cell controls (the program calls it TControlStyle,
// which here names the toolkit's control-style set).
enum TGridControlStyle { csClassic, csFlat, csWinXP, csMorvale, csQel, csGlyph, csTheme };
enum TBackGroundDisplay { bdTile, bdFixed, bdGradientHorz, bdGradientVert };
enum TBackGroundCells { bcNormal, bcFixed, bcAll };

// Look of node rows; a changed look repaints the grid.
class TCellNode : public TPersistent
{
  public:
    explicit TCellNode(TExtStringGrid* AOwner);
    void Assign(const TPersistent* Source) override;

    TColor Color = 0x00C0C0C0;
    TColor NodeColor = clBlack;
    bool ExpandOne = false;
    TNodeType NodeType() const { return FNodeType; }
    void SetNodeType(TNodeType Value);
    int NodeIndent() const { return FNodeIndent; }
    void SetNodeIndent(int Value);
    bool ShowTree() const { return FShowTree; }
    void SetShowTree(bool Value);
    bool ShowTreeFull() const { return FShowTreeFull; }
    void SetShowTreeFull(bool Value);
    TColor TreeColor() const { return FTreeColor; }
    void SetTreeColor(TColor Value);
    // The setters copy the given picture.
    TBitmap* ExpandGlyph() const { return FExpandGlyph.get(); }
    void SetExpandGlyph(const TBitmap* Value) { FExpandGlyph->Assign(Value); }
    TBitmap* ContractGlyph() const { return FContractGlyph.get(); }
    void SetContractGlyph(const TBitmap* Value) { FContractGlyph->Assign(Value); }

  private:
    template <class T> void Repainting(T& Field, T Value);
    TExtStringGrid* FOwner;
    TNodeType FNodeType = cnXP;
    int FNodeIndent = 12;
    bool FShowTree = true;
    bool FShowTreeFull = true;
    TColor FTreeColor = 0x00808080;
    std::unique_ptr<TBitmap> FExpandGlyph;
    std::unique_ptr<TBitmap> FContractGlyph;
};

// The in-place editor grows its row or column while typing.
class TSizeWhileTyping : public TPersistent
{
  public:
    void Assign(const TPersistent* Source) override;
    bool Height = false;
    bool Width = false;
};

// Saving column sizes and stretching a column over the slack. Writing Stretch re-applies the stretch
// through OnStretchChange once the grid has a parent.
class TColumnSize : public TPersistent
{
  public:
    explicit TColumnSize(TComponent* AOwner) : FOwner(AOwner) {}
    void Assign(const TPersistent* Source) override;
    TComponent* Owner() const { return FOwner; }

    bool Save = false;
    QString Key;
    QString Section;
    int StretchColumn = -1;
    bool SynchWithGrid = false;
    bool SynchNormalCellsOnly = false;
    TColumnSizeLocation Location = clRegistry;
    TAutoSizeRows Rows = arAll;
    bool Stretch() const { return FStretch; }
    void SetStretch(bool Value);
    TNotifyEvent OnStretchChange;

  private:
    TComponent* FOwner;
    bool FStretch = false;
};

class TDragScrollDelays : public TPersistent
{
  public:
    void Assign(const TPersistent* Source) override;
    int InitialDelay = 1000;
    int RepeatDelay = 250;
};

class TDragScrollMargins : public TPersistent
{
  public:
    void Assign(const TPersistent* Source) override;
    int TopMargin = 50;
    int BottomMargin = 50;
    int LeftMargin = 50;
    int RightMargin = 50;
};

// Scrolling while a drag hovers near the border.
class TDragScrollOptions : public TPersistent
{
  public:
    TDragScrollOptions();
    void Assign(const TPersistent* Source) override;
    bool Active = false;
    TDragScrollDelays* Delays() const { return FDelays.get(); }
    TDragScrollMargins* Margins() const { return FMargins.get(); }

  private:
    std::unique_ptr<TDragScrollDelays> FDelays;
    std::unique_ptr<TDragScrollMargins> FMargins;
};

// Look of check boxes, radio buttons, cell buttons, progress bars and fixed cells. Most writers repaint
// the grid; the fixed gradient writers forward into the grid's own gradient colours (see the .cpp).
class TControlLook : public TPersistent
{
  public:
    explicit TControlLook(TExtStringGrid* AGrid);
    ~TControlLook() override;
    // Colours back to their defaults; the four mirror gradients through their writers.
    void Init();
    // Copies everything but FlatButton, ProgressXP, the two disabled looks and FixedDropDownButton,
    // without repainting or forwarding.
    void Assign(const TPersistent* Source) override;

    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { Repainting(FColor, Value); }
    TColor CommentColor() const { return FCommentColor; }
    void SetCommentColor(TColor Value) { Repainting(FCommentColor, Value); }
    TBitmap* CheckedGlyph() const { return FCheckedGlyph.get(); }
    void SetCheckedGlyph(const TBitmap* Value) { CopyGlyph(FCheckedGlyph.get(), Value); }
    TBitmap* UnCheckedGlyph() const { return FUnCheckedGlyph.get(); }
    void SetUnCheckedGlyph(const TBitmap* Value) { CopyGlyph(FUnCheckedGlyph.get(), Value); }
    TBitmap* RadioOnGlyph() const { return FRadioOnGlyph.get(); }
    void SetRadioOnGlyph(const TBitmap* Value) { CopyGlyph(FRadioOnGlyph.get(), Value); }
    TBitmap* RadioOffGlyph() const { return FRadioOffGlyph.get(); }
    void SetRadioOffGlyph(const TBitmap* Value) { CopyGlyph(FRadioOffGlyph.get(), Value); }

    TColor FixedGradientFrom() const { return FFixedGradientFrom; }
    void SetFixedGradientFrom(TColor Value);
    TColor FixedGradientTo() const { return FFixedGradientTo; }
    void SetFixedGradientTo(TColor Value);
    TColor FixedGradientMirrorFrom() const { return FFixedGradientMirrorFrom; }
    void SetFixedGradientMirrorFrom(TColor Value);
    TColor FixedGradientMirrorTo() const { return FFixedGradientMirrorTo; }
    void SetFixedGradientMirrorTo(TColor Value);
    TColor FixedGradientHoverFrom() const { return FFixedGradientHoverFrom; }
    void SetFixedGradientHoverFrom(TColor Value);
    TColor FixedGradientHoverTo() const { return FFixedGradientHoverTo; }
    void SetFixedGradientHoverTo(TColor Value);
    TColor FixedGradientHoverMirrorFrom() const { return FFixedGradientHoverMirrorFrom; }
    void SetFixedGradientHoverMirrorFrom(TColor Value);
    TColor FixedGradientHoverMirrorTo() const { return FFixedGradientHoverMirrorTo; }
    void SetFixedGradientHoverMirrorTo(TColor Value);
    TColor FixedGradientHoverBorder() const { return FFixedGradientHoverBorder; }
    void SetFixedGradientHoverBorder(TColor Value);
    TColor FixedGradientDownFrom() const { return FFixedGradientDownFrom; }
    void SetFixedGradientDownFrom(TColor Value);
    TColor FixedGradientDownTo() const { return FFixedGradientDownTo; }
    void SetFixedGradientDownTo(TColor Value);
    TColor FixedGradientDownMirrorFrom() const { return FFixedGradientDownMirrorFrom; }
    void SetFixedGradientDownMirrorFrom(TColor Value);
    TColor FixedGradientDownMirrorTo() const { return FFixedGradientDownMirrorTo; }
    void SetFixedGradientDownMirrorTo(TColor Value);
    TColor FixedGradientDownBorder() const { return FFixedGradientDownBorder; }
    void SetFixedGradientDownBorder(TColor Value);

    // Header and footer strips of the drop-down pickers the grid opens in cells; writes copy.
    THeaderAppearance* DropDownHeader() const { return FDropDownHeader.get(); }
    void SetDropDownHeader(const THeaderAppearance* Value);
    TFooterAppearance* DropDownFooter() const { return FDropDownFooter.get(); }
    void SetDropDownFooter(const TFooterAppearance* Value);

    bool FixedDropDownButton = false;
    int HintMaxWidth = 0;
    bool CheckAlwaysActive = false;
    bool RadioAlwaysActive = false;
    int DropDownCount = 8;
    TColor ProgressBorderColor = 0x00808080;

    int CheckSize() const { return FCheckBoxSize; }
    void SetCheckSize(int Value) { Repainting(FCheckBoxSize, Value); }
    int RadioSize() const { return FRadioSize; }
    void SetRadioSize(int Value) { Repainting(FRadioSize, Value); }
    TGridControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TGridControlStyle Value) { Repainting(FControlStyle, Value); }
    bool DropDownAlwaysVisible() const { return FDropDownAlwaysVisible; }
    void SetDropDownAlwaysVisible(bool Value) { Repainting(FDropDownAlwaysVisible, Value); }
    bool SpinButtonsAlwaysVisible() const { return FSpinButtonsAlwaysVisible; }
    void SetSpinButtonsAlwaysVisible(bool Value) { Repainting(FSpinButtonsAlwaysVisible, Value); }
    bool FlatButton() const { return FFlatButton; }
    void SetFlatButton(bool Value) { Repainting(FFlatButton, Value); }
    bool NoDisabledCheckRadioLook() const { return FNoDisabledCheckRadioLook; }
    void SetNoDisabledCheckRadioLook(bool Value) { Repainting(FNoDisabledCheckRadioLook, Value); }
    bool NoDisabledButtonLook() const { return FNoDisabledButtonLook; }
    void SetNoDisabledButtonLook(bool Value) { Repainting(FNoDisabledButtonLook, Value); }
    int ProgressMarginX() const { return FProgressMarginX; }
    void SetProgressMarginX(int Value) { Repainting(FProgressMarginX, Value); }
    int ProgressMarginY() const { return FProgressMarginY; }
    void SetProgressMarginY(int Value) { Repainting(FProgressMarginY, Value); }
    bool ProgressXP() const { return FProgressXP; }
    void SetProgressXP(bool Value) { Repainting(FProgressXP, Value); }

  private:
    template <class T> void Repainting(T& Field, T Value)
    {
        Field = Value;
        RepaintGrid();
    }
    void RepaintGrid();
    void CopyGlyph(TBitmap* Glyph, const TBitmap* Value);

    TExtStringGrid* FGrid;
    std::unique_ptr<THeaderAppearance> FDropDownHeader;
    std::unique_ptr<TFooterAppearance> FDropDownFooter;
    int FCheckBoxSize = 15;
    std::unique_ptr<TBitmap> FUnCheckedGlyph;
    std::unique_ptr<TBitmap> FCheckedGlyph;
    TGridControlStyle FControlStyle = csTheme;
    TColor FColor = clBlack;
    int FRadioSize = 10;
    std::unique_ptr<TBitmap> FRadioOffGlyph;
    std::unique_ptr<TBitmap> FRadioOnGlyph;
    bool FFlatButton = false;
    int FProgressMarginY = 2;
    int FProgressMarginX = 2;
    bool FProgressXP = false;
    bool FDropDownAlwaysVisible = false;
    bool FSpinButtonsAlwaysVisible = false;
    bool FNoDisabledCheckRadioLook = false;
    bool FNoDisabledButtonLook = false;
    TColor FCommentColor = 0x000000FF;
    TColor FFixedGradientFrom = clNone;
    TColor FFixedGradientTo = clNone;
    TColor FFixedGradientMirrorFrom = clNone;
    TColor FFixedGradientMirrorTo = clNone;
    TColor FFixedGradientHoverFrom = 0x00FFFFFF;
    TColor FFixedGradientHoverTo = 0x00808080;
    TColor FFixedGradientHoverMirrorFrom = clNone;
    TColor FFixedGradientHoverMirrorTo = clNone;
    TColor FFixedGradientHoverBorder = 0x00C0C0C0;
    TColor FFixedGradientDownFrom = 0x00C0C0C0;
    TColor FFixedGradientDownTo = 0x00808080;
    TColor FFixedGradientDownMirrorFrom = clNone;
    TColor FFixedGradientDownMirrorTo = clNone;
    TColor FFixedGradientDownBorder = 0x00808080;
};

// Picture or gradient behind the cells.
class TBackGround : public TPersistent
{
  public:
    explicit TBackGround(TExtStringGrid* AGrid);
    // From another TBackGround: every value and a copy of the picture; other classes: the toolkit's
    // copy error.
    void Assign(const TPersistent* Source) override;
    int Top() const { return FTop; }
    void SetTop(int Value) { Store(FTop, Value); }
    int Left() const { return FLeft; }
    void SetLeft(int Value) { Store(FLeft, Value); }
    TBackGroundDisplay Display() const { return FDisplay; }
    void SetDisplay(TBackGroundDisplay Value) { Store(FDisplay, Value); }
    TBackGroundCells Cells() const { return FBackgroundCells; }
    void SetCells(TBackGroundCells Value) { Store(FBackgroundCells, Value); }
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value) { Store(FColorTo, Value); }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { Store(FColor, Value); }
    TBitmap* Bitmap() const { return FBitmap.get(); }
    void SetBitmap(const TBitmap* Value);

  private:
    template <class T> void Store(T& Field, T Value)
    {
        Field = Value;
        RepaintGrid();
    }
    void RepaintGrid();
    TExtStringGrid* FGrid;
    int FTop = 0;
    int FLeft = 0;
    TBackGroundDisplay FDisplay = bdTile;
    TBackGroundCells FBackgroundCells = bcNormal;
    TColor FColorTo = clBtnFace;
    TColor FColor = clWindow;
    std::unique_ptr<TBitmap> FBitmap;
};

// The mark of rows changed by editing.
class TShowModified : public TPersistent
{
  public:
    void Assign(const TPersistent* Source) override;
    bool Enabled = false;
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TNotifyEvent OnChange;

  private:
    TColor FColor = 0x0000FFFF;
};

// Colours of progress-bar cells; every changed value fires OnChange.
class TGridProgressAppearance : public TPersistent
{
  public:
    struct TValues {
        TColor CompleteColor = 0x000000FF;
        TColor CompleteFontColor = 0x00FF0000;
        TColor UnCompleteColor = clNone;
        TColor UnCompleteFontColor = clWindowText;
        TColor Level0Color = 0x0000FF00, Level0ColorTo = 0x00E1FFE1;
        TColor Level1Color = 0x0000FFFF, Level1ColorTo = 0x00CAFFFF;
        TColor Level2Color = 0x0053A9FF, Level2ColorTo = 0x00A8D3FF;
        TColor Level3Color = 0x000000FF, Level3ColorTo = 0x00CACAFF;
        int Level1Perc = 70, Level2Perc = 90;
        TColor BorderColor = clBlack;
        bool ShowBorder = false, Stacked = false;
        bool ShowPercentage = true, CompletionSmooth = true, ShowGradient = true;
    };
    const TValues& Values() const { return FValues; }
    // Writes one value through Field (a member of TValues); OnChange when it changed.
    template <class T> void Set(T TValues::*Field, T Value)
    {
        if (FValues.*Field == Value)
            return;
        FValues.*Field = Value;
        Changed();
    }
    // Copies every value, then OnChange.
    void Assign(const TPersistent* Source) override;
    TNotifyEvent OnChange;

  private:
    void Changed();
    TValues FValues;
};

// Balloon tool tips over cells.
class TBalloonSettings : public TPersistent
{
  public:
    // Copies all but Transparency, without OnEnableChange.
    void Assign(const TPersistent* Source) override;
    bool Enable() const { return FEnable; }
    void SetEnable(bool Value);
    int InitialDelay = -1;
    int ReshowDelay = -1;
    int AutoHideDelay = -1;
    TColor BackgroundColor = clNone;
    TColor TextColor = clNone;
    uint8_t Transparency = 0;
    TNotifyEvent OnEnableChange;

  private:
    bool FEnable = false;
};
