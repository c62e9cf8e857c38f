// TExtColumnGrid: the string grid with one settings item per column (TGridColumnItem in Columns).
//
// Items follow real column order: Columns[i] describes real column i, hidden columns included, and
// Columns.Count = ColCount + NumHiddenColumns outside a running change. Hiding and showing columns
// leaves the items where they are; ColCount writes through this class add or drop items at the end
// (SyncColumnCount); adding or deleting items resizes the grid (the collection's Update).
//
// Per-cell questions: each hook of the string grid is answered first from the item of the cell's
// column, then the string grid's hook and event run - except CanEditCell and HasComboBox, which are
// replaced (CanEditCell starts False; OnCanEditCell gets the base cell directly).
//
// Copying items: Assign copies every published setting straight into the fields (no Update, no row-0
// write, no repaint) and the source's width into FWidth only; AssignVisuals (Columns.Add) copies the
// look but not Header, Name, Tag, ComboItems, DropDownCount, HeaderFont, ColumnPopupType and the two
// print flags, and takes Color and Font from the grid.
#pragma once

#include "grid/core/ExtGrid.h"

#include <QIODevice>

class TExtColumnGrid;
class TGridColumnCollection;
class TIniFile;

enum TColumnPopupType {
    cpFixedCellsRClick,
    cpFixedCellsLClick,
    cpNormalCellsRClick,
    cpNormalCellsLClick,
    cpAllCellsRClick,
    cpAllCellsLClick
};

using TColumnPopupEvent = std::function<void(TObject* Sender, int ACol, int ARow, TPopupMenu* PopupMenu)>;
using TAfterColumnMoved = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;

// Settings of one column. Writes marked "Update" realign the grid (the collection's Update); the
// font, pen, combo and filter writes copy into the item's own objects, the caller keeps its object.
class TGridColumnItem : public TCollectionItem
{
  public:
    // Inside a collection the colour and fonts come from the grid and the change handlers are
    // attached; without one (the saved group column) the toolkit defaults stay.
    explicit TGridColumnItem(TCollection* Collection);
    ~TGridColumnItem() override;

    // Any source other than a TGridColumnItem is ignored.
    void Assign(const TPersistent* Source) override;
    void AssignVisuals(const TPersistent* Source);
    // "Col i: Name", or "Column i" without a name.
    QString DisplayName() const override;

    // -- Published settings --
    int AutoMinSize = 0;
    int AutoMaxSize = 0;
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TCellBorders Borders() const { return FBorders; }
    void SetBorders(TCellBorders Value);
    TPen* BorderPen() const { return FBorderPen.get(); }
    void SetBorderPen(const TPen* Value);
    QString CheckFalse = "N";
    QString CheckTrue = "Y";
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TPopupMenu* ColumnPopup = nullptr;
    TColumnPopupType ColumnPopupType = cpFixedCellsRClick;
    TStringList* ComboItems() const { return FComboItems.get(); }
    void SetComboItems(const TStrings* Value);
    int DropDownCount = 8;
    int EditLength = 0;
    TEditLink* EditLink = nullptr;
    QString EditMask;
    TEditorType Editor() const { return FEditorType; }
    void SetEditor(TEditorType Value);
    TStringList* Filter() const { return FFilter.get(); }
    void SetFilter(const TStrings* Value);
    bool FilterCaseSensitive = false;
    bool Fixed() const { return FFixed; }
    void SetFixed(bool Value);
    QString FloatFormat() const { return FFloatFormat; }
    void SetFloatFormat(const QString& Value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value);
    QString Header() const { return FColumnHeader; }
    void SetHeader(const QString& Value);
    TAlignment HeaderAlignment() const { return FHeaderAlignment; }
    void SetHeaderAlignment(TAlignment Value);
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    void SetHeaderFont(const TFont* Value);
    int MinSize = 0;
    int MaxSize = 0;
    QString Name;
    bool Password() const { return FPassword; }
    void SetPassword(bool Value);
    bool PrintBorderCustom = true;
    TCellBorders PrintBorders{cbTop, cbLeft, cbRight, cbBottom};
    TPen* PrintBorderPen() const { return FPrintBorderPen.get(); }
    void SetPrintBorderPen(const TPen* Value);
    TColor PrintColor = clWhite;
    bool PrintFontCustom = true;
    TFont* PrintFont() const { return FPrintFont.get(); }
    void SetPrintFont(const TFont* Value);
    bool ReadOnly = false;
    bool ShowBands() const { return FShowBands; }
    void SetShowBands(bool Value);
    TSortStyle SortStyle = ssAutomatic;
    QString SortPrefix;
    QString SortSuffix;
    int SpinMax = 0;
    int SpinMin = 0;
    int SpinStep = 1;
    intptr_t Tag = 0;
    // Read: the grid's width of the item's real column (0 outside a collection). Write: stored and
    // given to the real column (a hidden one keeps it until shown).
    int Width() const;
    void SetWidth(int Value);
    // The home position recorded when the grid was loaded (column-position persistence).
    int DefIdx() const { return FDefIdx; }
    void SetDefIdx(int Value) { FDefIdx = Value; }
    int StoredWidth() const { return FWidth; }
    void SetStoredWidth(int Value) { FWidth = Value; }
    // The caption without a setter run (header-list copies).
    void SetHeaderDirect(const QString& Value) { FColumnHeader = Value; }

    // -- Cells of this column through the grid (row given by the caller) --
    QString Rows(int ARow) const;
    void SetRows(int ARow, const QString& Value);
    int Ints(int ARow) const;
    void SetInts(int ARow, int Value);
    double Floats(int ARow) const;
    void SetFloats(int ARow, double Value);
    TDateTime Dates(int ARow) const;
    void SetDates(int ARow, TDateTime Value);
    TDateTime Times(int ARow) const;
    void SetTimes(int ARow, TDateTime Value);

    TExtColumnGrid* Grid() const;

  private:
    void CopyFields(const TGridColumnItem* Src, bool Visuals);
    void Update();
    void Repaint();

    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
    QString FColumnHeader;
    std::unique_ptr<TFont> FFont = std::make_unique<TFont>();
    TColor FColor = clWindow;
    TEditorType FEditorType = edNormal;
    bool FFixed = false;
    std::unique_ptr<TStringList> FComboItems = std::make_unique<TStringList>();
    bool FPassword = false;
    std::unique_ptr<TFont> FPrintFont = std::make_unique<TFont>();
    TCellBorders FBorders;
    std::unique_ptr<TPen> FBorderPen = std::make_unique<TPen>();
    std::unique_ptr<TPen> FPrintBorderPen = std::make_unique<TPen>();
    int FDefIdx = 0;
    bool FShowBands = false;
    std::unique_ptr<TStringList> FFilter = std::make_unique<TStringList>();
    QString FFloatFormat;
    TAlignment FHeaderAlignment = taLeftJustify;
    std::unique_ptr<TFont> FHeaderFont = std::make_unique<TFont>();
};

// The items of a column grid, in real column order. The toolkit collection reports an added item
// while the item is still being constructed; that report is held back and given once the item is
// whole (Add, Insert).
class TGridColumnCollection : public TCollection
{
  public:
    TGridColumnCollection(TExtColumnGrid* AOwner);
    TExtColumnGrid* Grid() const { return FOwner; }
    // Appends an item with the look of the item before it (AssignVisuals).
    TGridColumnItem* Add();
    // A fresh item at Index.
    TGridColumnItem* Insert(int Index);
    TGridColumnItem* Items(int Index) const
    {
        return static_cast<TGridColumnItem*>(TCollection::Items(Index));
    }
    // While set, Update does nothing.
    bool FNoRecursiveUpdate = false;

  protected:
    // Nothing inside BeginUpdate/EndUpdate, with FNoRecursiveUpdate, while an item is being made or
    // while the grid loads; else the grid's ColCount follows the items, the header list is rebuilt
    // and the grid repaints.
    void Update(TCollectionItem* Item) override;

  private:
    TExtColumnGrid* FOwner;
    int FConstructing = 0;
};

class TExtColumnGrid : public TExtStringGrid
{
  public:
    explicit TExtColumnGrid(TComponent* AOwner);
    ~TExtColumnGrid() override;

    TGridColumnCollection* Columns() const { return FColumnCollection.get(); }
    void SetColumns(const TGridColumnCollection* Value);
    // The string grid's write, then one item per real column.
    void SetColCount(int Value);
    void SyncColumnCount();
    void SyncColumnHeaders();
    TGridColumnItem* GetColumnByName(const QString& AValue) const;
    bool AutoFilterDisplay = false;

    // -- Column positions ("CP" + position = home index of the item there) --
    // With ColumnSize.Location clIniFile: ColumnSize.Key is the ini file, Section the section.
    // With clRegistry the string grid's "Pos" entries.
    void SaveColPositions() override;
    void LoadColPositions() override;
    void SaveColumnPositions(const QString& Key, const QString& Section);
    // Nothing moves when a key is missing or the values are no permutation of the positions.
    void LoadColumnPositions(const QString& Key, const QString& Section);
    // Records every item's home position (its index now).
    void SetOrganization();
    // Moves columns until each item stands at its home position.
    void ResetOrganization();

    // -- Column streaming: XML, one element per item with every published setting --
    void SaveColumnsToStream(QIODevice* st);
    // Raises EExtGridError for data that is no complete column stream; the columns stay as they were.
    void LoadColumnsFromStream(QIODevice* st);

    // Column count clipped to the items present.
    void RemoveCols(int ColIndex, int CCount) override;
    void InsertCols(int ColIndex, int CCount) override;
    // The grouped column's item settings are kept by Group and given back by UnGroup.
    void Group(int Colindex) override;
    void UnGroup() override;
    // A column with its own Filter list: its entry's condition (case as FilterCaseSensitive), and with
    // AutoFilterDisplay the entry's caption as the header; otherwise the string grid's choice.
    void SelectFilterItem(int ItemIndex) override;

    // -- Hooks answered from the columns --
    void GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont) override;
    void GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont) override;
    void GetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders) override;
    void GetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders) override;
    void GetAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign) override;
    void GetFormat(int ACol, TSortStyle& AStyle, QString& aPrefix, QString& aSuffix) override;
    void GetCellEditorType(int ACol, int ARow, TEditorType& AEditor) override;
    void IsFixedCell(int ACol, int ARow, bool& IsFixed) override;
    void CanEditCell(int ACol, int ARow, bool& CanEdit) override;
    void DoIsPasswordCell(int ACol, int ARow, bool& IsPassword) override;
    bool HasComboBox(int ACol, int ARow) override;
    void GetCheckTrue(int ACol, int ARow, QString& Value) override;
    void GetCheckFalse(int ACol, int ARow, QString& Value) override;
    // A column with its own Filter list offers that; otherwise the string grid's list.
    bool GetColumnFilter(int Column) override;
    QString GetFloatFormat(int ACol) override;
    TCellType GetCellType(int ACol, int ARow) override;
    TCellGraphic* GetCellGraphic(int ACol, int ARow) override;
    // Sizing limits of the column (user sizing / automatic sizing), then OnUpdateColumnSize.
    void UpdateColumnSize(int ACol, int& AWidth);
    void UpdateAutoColumnSize(int ACol, int& AWidth);
    // The displayed text: a column FloatFormat (or OnGetFloatFormat) formats numbers.
    QString GetFormattedCell(int ACol, int ARow) override;
    int GetVersionNr() const { return ColumnGridVersionNr; }
    QString GetVersionString() const;

    static constexpr int ColumnGridVersionNr = 0x03010301;

    TColumnPopupEvent OnColumnPopup;
    TAfterColumnMoved OnAfterColumnMoved;

    // The string grid's scaling, then the fonts and header fonts of the items of the shown columns.
    void HandleChangeScale(int M, int D) override;

  protected:
    void Loaded() override;
    void ColumnHeadersChanged() override;
    // A normal current column answers its item's EditLength, else the string grid's limit.
    int ReadEditLimit() override;
    // A normal column's EditMask, replaced by the string grid's mask when that is not empty.
    QString ReadEditMask(int ACol, int ARow) override;
    // The string grid's move, then the items are rebuilt around it; OnAfterColumnMoved gets the real
    // indexes.
    void HandleColumnMoved(int FromIndex, int ToIndex) override;
    void ColWidthsChanged() override;
    void HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void GetCellDrawProps(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& ColorTo,
                          TColor& MirrorColor, TColor& MirrorColorTo, TAlignment& HAlign, TVAlignment& VAlign,
                          bool& WordWrap, TCellGradientDirection& GradientDir) override;

  private:
    friend class TGridColumnCollection;
    friend class TGridColumnItem;
    // The item of column ACol, or nil when there is none.
    TGridColumnItem* ItemOf(int ACol) const;
    bool IsBodyCell(int ACol, int ARow) const;
    bool IsNormalCell(int ACol, int ARow) const { return ACol >= FixedCols() && ARow >= FixedRows(); }
    bool IsDataCheckBoxCell(int ACol, int ARow) const;
    // Runs F with FNoRecursiveUpdate set, restoring the old value afterwards (also on exceptions).
    template <class F> void NoRecursive(F Body)
    {
        const bool old = FColumnCollection->FNoRecursiveUpdate;
        FColumnCollection->FNoRecursiveUpdate = true;
        try {
            Body();
        } catch (...) {
            FColumnCollection->FNoRecursiveUpdate = old;
            throw;
        }
        FColumnCollection->FNoRecursiveUpdate = old;
    }

    std::unique_ptr<TGridColumnCollection> FColumnCollection;
    std::unique_ptr<TGridColumnItem> FSaveCol;
    bool FColMoving = false;
    // Answered for empty cells of data check-box columns; never stored in a cell.
    std::unique_ptr<TCellGraphic> FVirtCellGraphic = std::make_unique<TCellGraphic>();
};

// Carries the columns of a grid through streaming.
class TExtColumnGridIO : public TComponent
{
  public:
    explicit TExtColumnGridIO(TExtColumnGrid* AOwner);
    ~TExtColumnGridIO() override;
    TGridColumnCollection* Items() const { return FItems.get(); }

  private:
    std::unique_ptr<TGridColumnCollection> FItems;
};
