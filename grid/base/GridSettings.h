// The settings objects the string grid publishes as nested properties: SearchFooter, Navigation,
// MouseActions, SyncGrid, Bands and FocusHelper. They only store values; the grid that owns them
// reads the switches and sets the notifications it needs.
//
// Writes come in three kinds, said at each setter:
//   - plain: a public field, stored and nothing else;
//   - notify: stored, then OnChange (or the named event) fires when assigned;
//   - notify on change: as notify, but only when the value differs.
// Assign copies from an object of the same class only (anything else is ignored quietly) and never
// fires a notification. The values Assign copies sit in a plain base struct, so a copy is one struct
// assignment and the few values Assign must keep are put back afterwards.
#pragma once

#include "grid/base/GridTypes.h"
#include "platform/core/StringList.h"

#include <memory>

class TExtStringGrid;

// ---- Search footer -------------------------------------------------------------------------------

constexpr TColor SearchFooterDefaultColor = clWhite;
constexpr TColor SearchFooterDefaultColorTo = clBtnFace;
constexpr int SearchFooterAllColumns = -1; // SearchColumn default: search every column

// The English texts a footer gets when created for design (InitDesign).
struct TSearchFooterTexts {
    const char* FindNextCaption;
    const char* FindPrevCaption;
    const char* HighLightCaption;
    const char* MatchCaseCaption;
    const char* HintClose;
    const char* HintFindNext;
    const char* HintFindPrev;
    const char* HintHighlight;
};
inline constexpr TSearchFooterTexts SearchFooterDesignTexts = {"Find &next",
                                                               "Find &previous",
                                                               "Highlight",
                                                               "Match case",
                                                               "Close",
                                                               "Find next occurrence",
                                                               "Find previous occurrence",
                                                               "Highlight occurrences"};

struct TSearchFooterValues {
    bool AlwaysHighLight = false;
    bool AutoSearch = true; // not copied by Assign
    bool SearchActiveColumnOnly = false;
    int SearchColumn = SearchFooterAllColumns;
    bool SearchMatchStart = false;
    bool SearchFixedCells = false; // not copied by Assign
    bool SearchHiddenRows = false;
    TSearchDirection SearchDirection = sdTopBottom;
    QString LastSearch; // public, not copied by Assign

  protected:
    TColor FColor = SearchFooterDefaultColor;
    TColor FColorTo = SearchFooterDefaultColorTo;
    QString FFindNextCaption, FFindPrevCaption, FHighLightCaption, FMatchCaseCaption;
    QString FHintClose, FHintFindNext, FHintFindPrev, FHintHighlight;
    bool FShowClose = true;
    bool FShowFindNext = true;
    bool FShowFindPrev = true;
    bool FShowHighLight = true;
    bool FShowMatchCase = true;
    bool FVisible = false;
    bool FAutoThemeAdapt = false; // not copied by Assign
};

class TSearchFooter : public TPersistent, public TSearchFooterValues
{
  public:
    TSearchFooter(TComponent* AOwner, bool InitDesign);
    ~TSearchFooter() override;

    void Assign(const TPersistent* Source) override;
    TComponent* Owner() const { return FOwner; }

    // notify
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { Store(FColor, Value); }
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value) { Store(FColorTo, Value); }
    QString FindNextCaption() const { return FFindNextCaption; }
    void SetFindNextCaption(const QString& Value) { Store(FFindNextCaption, Value); }
    QString FindPrevCaption() const { return FFindPrevCaption; }
    void SetFindPrevCaption(const QString& Value) { Store(FFindPrevCaption, Value); }
    QString HighLightCaption() const { return FHighLightCaption; }
    void SetHighLightCaption(const QString& Value) { Store(FHighLightCaption, Value); }
    QString MatchCaseCaption() const { return FMatchCaseCaption; }
    void SetMatchCaseCaption(const QString& Value) { Store(FMatchCaseCaption, Value); }
    QString HintClose() const { return FHintClose; }
    void SetHintClose(const QString& Value) { Store(FHintClose, Value); }
    QString HintFindNext() const { return FHintFindNext; }
    void SetHintFindNext(const QString& Value) { Store(FHintFindNext, Value); }
    QString HintFindPrev() const { return FHintFindPrev; }
    void SetHintFindPrev(const QString& Value) { Store(FHintFindPrev, Value); }
    QString HintHighlight() const { return FHintHighlight; }
    void SetHintHighlight(const QString& Value) { Store(FHintHighlight, Value); }
    bool ShowClose() const { return FShowClose; }
    void SetShowClose(bool Value) { Store(FShowClose, Value); }
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool Value) { Store(FAutoThemeAdapt, Value); }
    // The footer keeps its own font; writing copies the given one, then notifies.
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value);

    // notify on change
    bool ShowFindNext() const { return FShowFindNext; }
    void SetShowFindNext(bool Value) { StoreIfChanged(FShowFindNext, Value); }
    bool ShowFindPrev() const { return FShowFindPrev; }
    void SetShowFindPrev(bool Value) { StoreIfChanged(FShowFindPrev, Value); }
    bool ShowHighLight() const { return FShowHighLight; }
    void SetShowHighLight(bool Value) { StoreIfChanged(FShowHighLight, Value); }
    bool ShowMatchCase() const { return FShowMatchCase; }
    void SetShowMatchCase(bool Value) { StoreIfChanged(FShowMatchCase, Value); }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value) { StoreIfChanged(FVisible, Value); }

    TNotifyEvent OnChange;

  private:
    template <class T> void Store(T& Field, const T& Value)
    {
        Field = Value;
        Changed();
    }
    template <class T> void StoreIfChanged(T& Field, const T& Value)
    {
        if (Field != Value)
            Store(Field, Value);
    }
    void Changed();

    TComponent* FOwner;
    std::unique_ptr<TFont> FFont;
};

// ---- Navigation ----------------------------------------------------------------------------------

struct TNavigationValues {
    bool AllowInsertRow = false;
    bool AllowDeleteRow = false;
    bool AlwaysEdit = false;
    bool AdvanceOnEnter = false;
    bool AdvanceOnEnterLoop = true;
    bool AdvanceAutoEdit = true;
    bool AdvanceSkipReadOnlyCells = true;
    bool AutoGotoWhenSorted = false;
    bool AutoGotoIncremental = false;
    bool AutoComboDropSize = false;
    bool AllowClipboardShortCuts = false;
    bool AllowCtrlEnter = true;
    bool AllowSmartClipboard = false;
    bool AllowRTFClipboard = false;
    bool AllowFmtClipboard = false;
    bool AllowClipboardAlways = false;
    bool AllowClipboardRowGrow = true;
    bool AllowClipboardColGrow = true;
    bool AppendOnArrowDown = false;
    bool EditSelectAll = true;
    TInsertPosition InsertPosition = pInsertBefore;
    TClipboardPasteAction ClipboardPasteAction = paReplace;
    bool ComboGetUpDown = true;
    TCursorAdvance CursorAdvance = caDefault;
    bool CursorWalkEditor = false;
    bool CursorWalkAlwaysEdit = true;
    bool CursorMoveRows = false;
    bool MoveRowOnSort = false;
    bool KeepScrollOnSort = false; // not copied by Assign
    bool MoveScrollOnly = false;
    bool ImproveMaskSel = false;
    bool LeftRightRowSelect = true;
    bool CopyHTMLTagsToClipboard = true;
    bool KeepHorizScroll = false;
    bool LineFeedOnEnter = false;
    THomeEndAction HomeEndKey = heFirstLastColumn;
    bool SkipFixedCells = true;
    bool SkipDisabledRows = true;
    bool TabToNextAtEnd = false;
    TAdvanceDirection TabAdvanceDirection = adLeftRight;

  protected:
    bool FAdvanceInsert = false;
    TAdvanceDirection FAdvanceDirection = adLeftRight;
    bool FAdvanceAuto = false;
};

class TNavigation : public TPersistent, public TNavigationValues
{
  public:
    void Assign(const TPersistent* Source) override;

    // notify on change
    bool AdvanceInsert() const { return FAdvanceInsert; }
    void SetAdvanceInsert(bool Value);
    TAdvanceDirection AdvanceDirection() const { return FAdvanceDirection; }
    void SetAdvanceDirection(TAdvanceDirection Value);
    // No notification; becoming True also sets AdvanceOnEnter.
    bool AdvanceAuto() const { return FAdvanceAuto; }
    void SetAdvanceAuto(bool Value);

    TNotifyEvent OnChange;
};

// ---- Mouse actions -------------------------------------------------------------------------------

struct TMouseActionsValues {
    bool AllColumnSize = false;
    bool AllRowSize = false;
    bool AllSelect = false;
    bool AutoSizeColOnDblClick = true;
    bool CaretPositioning = false;
    bool CheckAllCheck = false;
    bool ColSelect = false;
    bool DirectComboClose = false;
    bool DirectComboDrop = false;
    bool DirectDateClose = false;
    bool DirectDateDrop = false;
    bool DirectEdit = false;
    bool DisjunctRowSelectNoCtrl = false;
    TGridFixedCellEdit FixedRowsEdit = fceNone;
    TGridFixedCellEditor FixedRowsEditor = fceEdit;
    TGridFixedCellEditor FixedColsEditor = fceEdit;
    TGridFixedCellEdit FixedColsEdit = fceNone;
    bool MoveRowOnNodeClick = false;
    bool NoAutoRangeScroll = false;
    bool NodeAllExpandContract = false;
    bool NoScrollOnPartialRow = false;
    bool PreciseCheckBoxCheck = false;
    bool PreciseNodeClick = true;
    bool RangeSelectAndEdit = false;
    bool RowSelect = false;
    bool RowSelectPersistent = false;
    bool SelectOnRightClick = false;
    bool SizeFixedCol = false;
    bool SizeFixedRow = false; // not copied by Assign
    int WheelIncrement = 0;

  protected:
    bool FDisjunctRowSelect = false;
    bool FDisjunctColSelect = false;
    bool FDisjunctCellSelect = false;
    bool FEditOnDblClickOnly = false; // not copied by Assign
    bool FHotmailRowSelect = false;   // not copied by Assign
    TWheelAction FWheelAction = waMoveSelection;
};

class TMouseActions : public TPersistent, public TMouseActionsValues
{
  public:
    explicit TMouseActions(TComponent* AOwner);
    ~TMouseActions() override;

    void Assign(const TPersistent* Source) override;
    TComponent* Owner() const { return FOwner; }

    // Each stores the value; when it is True and OnIsDesigning answers True, the other two of the
    // three are cleared. At run time the three are independent.
    bool DisjunctRowSelect() const { return FDisjunctRowSelect; }
    void SetDisjunctRowSelect(bool Value);
    bool DisjunctColSelect() const { return FDisjunctColSelect; }
    void SetDisjunctColSelect(bool Value);
    bool DisjunctCellSelect() const { return FDisjunctCellSelect; }
    void SetDisjunctCellSelect(bool Value);
    // The value of DisjunctRowSelect, written without the rule above.
    bool DisjunctRowSelectDirect() const { return FDisjunctRowSelect; }
    void SetDisjunctRowSelectDirect(bool Value) { FDisjunctRowSelect = Value; }

    // True fires OnDisableEdit.
    bool EditOnDblClickOnly() const { return FEditOnDblClickOnly; }
    void SetEditOnDblClickOnly(bool Value);
    // True also sets DisjunctRowSelect and CheckAllCheck; always fires OnInvalidate.
    bool HotmailRowSelect() const { return FHotmailRowSelect; }
    void SetHotmailRowSelect(bool Value);
    // notify on change
    TWheelAction WheelAction() const { return FWheelAction; }
    void SetWheelAction(TWheelAction Value);

    // Owned; writing copies the strings (not copied by Assign).
    TStringList* FixedComboValues() const { return FFixedComboValues.get(); }
    void SetFixedComboValues(const TStrings* Value);

    TNotifyEvent OnChange;
    TNotifyEvent OnInvalidate;
    TNotifyEvent OnDisableEdit;
    TIsDesigningEvent OnIsDesigning;

  private:
    bool IsDesigning();
    // The disjunct-select rule: stores Value in Field; clears the other two when designing.
    void SetDisjunct(bool TMouseActionsValues::*Field, bool Value);

    TComponent* FOwner;
    std::unique_ptr<TStringList> FFixedComboValues;
};

// ---- Synchronised grid ---------------------------------------------------------------------------

// Which actions of the owner grid are repeated on another grid. The other grid is neither owned nor
// watched: the owner clears Grid when that grid goes away.
class TSyncGrid : public TPersistent
{
  public:
    explicit TSyncGrid(TExtStringGrid* AOwner);

    void Assign(const TPersistent* Source) override;
    TExtStringGrid* Owner() const { return FOwner; }

    TExtStringGrid* Grid() const { return FGrid; }
    void SetGrid(TExtStringGrid* Value); // the owner itself is ignored

    bool ScrollVertical = false;
    bool ScrollHorizontal = false;
    bool SelectionColumn = false;
    bool SelectionRow = false;
    bool MoveColumn = false;
    bool MoveRow = false;

  private:
    TExtStringGrid* FOwner;
    TExtStringGrid* FGrid = nullptr;
};

// ---- Bands ---------------------------------------------------------------------------------------

constexpr TColor BandsDefaultPrimaryColor = clInfoBk;
constexpr TColor BandsDefaultSecondaryColor = clWindow;
constexpr int BandsDefaultLength = 1;

// Alternating row colours: PrimaryLength rows of one colour, then SecondaryLength of the other.
class TBands : public TPersistent
{
  public:
    void Assign(const TPersistent* Source) override;

    // notify on change
    bool Active() const { return FActive; }
    void SetActive(bool Value);
    // Stored on change; notify only while Active.
    TColor PrimaryColor() const { return FPrimaryColor; }
    void SetPrimaryColor(TColor Value);
    int PrimaryLength() const { return FPrimaryLength; }
    void SetPrimaryLength(int Value);
    TColor SecondaryColor() const { return FSecondaryColor; }
    void SetSecondaryColor(TColor Value);
    int SecondaryLength() const { return FSecondaryLength; }
    void SetSecondaryLength(int Value);
    // PrimaryLength + SecondaryLength.
    int TotalLength() const { return FTotalLength; }

    bool Print = false;

    TNotifyEvent OnChange;

  private:
    template <class T> void StoreWhileActive(T& Field, T Value);

    bool FActive = false;
    TColor FPrimaryColor = BandsDefaultPrimaryColor;
    int FPrimaryLength = BandsDefaultLength;
    TColor FSecondaryColor = BandsDefaultSecondaryColor;
    int FSecondaryLength = BandsDefaultLength;
    int FTotalLength = 2 * BandsDefaultLength;
};

// ---- Focus helper --------------------------------------------------------------------------------

class TFocusHelper : public TPersistent
{
  public:
    explicit TFocusHelper(TComponent* AOwner) : FOwner(AOwner) {}

    void Assign(const TPersistent* Source) override;
    TComponent* Owner() const { return FOwner; }

    bool Enabled = false;

  private:
    TComponent* FOwner;
};
