// TCellGraphic: the one cell object a string grid cell may carry in its graphic slot. Its CellType
// makes the cell a picture, a check box, a button, a progress bar, a comment, a tree node ...
//
// The grid stores the object in the cell's properties (TBaseGrid::SetGraphicObjectEx) and frees it
// with them. The object itself has two object slots (the bitmap slot and the icon slot) whose meaning
// depends on the kind: a bitmap, picture, file picture, item list, image-index list, an interfaced
// drawing object, an icon, or a plain colour. A slot owns its object only when the object was created
// for the cell (CellCreated, the item lists of image and balloon cells); objects handed in by the
// caller stay the caller's. Replacing or clearing a slot frees what it owned, so an object can be
// neither leaked nor freed twice.
//
// Who fills which fields, kind by kind, is the grid's cell-object API (TExtStringGrid::AddCheckBox,
// AddBitmap, ...); the fillers below set one kind each. ctVirtCheckBox and ctRowCheckBox objects are
// never stored in a cell: the grid keeps one shared object for all such cells and never frees it on a
// removal.
#pragma once

#include "grid/base/GridLists.h"
#include "platform/controls/StdCtrls.h"
#include "platform/core/StringList.h"
#include "platform/graphics/Bitmaps.h"
#include "platform/graphics/Icons.h"

#include <QVariant>
#include <memory>
#include <variant>

class TBaseGrid;

// The kinds of cell object; the ordinals 0 .. 32 are stored and compared, never renumber.
enum TCellType {
    ctBitmap,
    ctIcon,
    ctNone,
    ctImageList,
    ctCheckBox,
    ctDataCheckBox,
    ctRotated,
    ctDataImage,
    ctNode,
    ctRadio,
    ctEmpty,
    ctImages,
    ctPicture,
    ctFilePicture,
    ctValue,
    ctProgress,
    ctComment,
    ctButton,
    ctBitButton,
    ctVirtCheckBox,
    ctRowCheckBox,
    ctProgressPie,
    ctSummary,
    ctRangeIndicator,
    ctXPProgress,
    ctInterface,
    ctScrollbar,
    ctRadioButton,
    ctBalloon,
    ctShape,
    ctRating,
    ctTriStateCheckBox,
    ctExpand
};

enum TCellVAlign { vaTop, vaBottom, vaCenter, vaUnderText, vaAboveText, vaFull };
enum TCellHAlign { haLeft, haRight, haCenter, haBeforeText, haAfterText, haFull };
// How a picture fits its cell (stored in CellAngle of picture cells).
enum TStretchMode { noStretch, Stretch, StretchWithAspectRatio, Shrink, ShrinkWithAspectRatio };
enum TBalloonIcon { biNone, biInfo, biWarning, biError };

// Page size and range of a scroll-bar cell.
struct TScrollProp {
    int PageSize = 0;
    int Range = 0;
};

// What an object handed to AddInterfacedCell implements to draw itself in a cell. Width or height 0
// means "the cell's size". IsBackground: drawn before the cell text rather than after it.
class ICellGraphic
{
  public:
    virtual ~ICellGraphic() = default;
    virtual void Draw(TCanvas* Canvas, const TRect& R, int Col, int Row, bool Selected, TBaseGrid* Grid) = 0;
    virtual int GetWidth() const = 0;
    virtual int GetHeight() const = 0;
    virtual bool IsBackground() const { return false; }
};

// One object slot of a cell object: empty, one object of the kinds listed, or a colour. Set takes
// ownership only when told to; Clear and every Set free an owned object first.
class TCellSlot
{
  public:
    TCellSlot() = default;
    TCellSlot(const TCellSlot&) = delete;
    TCellSlot& operator=(const TCellSlot&) = delete;
    ~TCellSlot() { Clear(); }

    template <class T> void Set(T* Object, bool Owned)
    {
        Clear();
        FValue = Object;
        if (Object && Owned)
            FOwned = Owner(Object, [](void* p) { delete static_cast<T*>(p); });
    }
    void SetColor(TColor Value)
    {
        Clear();
        FValue = Value;
    }
    void Clear()
    {
        FOwned.reset();
        FValue = std::monostate{};
    }
    // The object when the slot holds one of exactly that type, else nullptr.
    template <class T> T* As() const
    {
        const auto* p = std::get_if<T*>(&FValue);
        return p ? *p : nullptr;
    }
    // The colour when the slot holds one, else clNone.
    TColor Color() const
    {
        const auto* c = std::get_if<TColor>(&FValue);
        return c ? *c : clNone;
    }
    bool IsEmpty() const { return std::holds_alternative<std::monostate>(FValue); }
    bool Owned() const { return FOwned != nullptr; }

  private:
    using Owner = std::unique_ptr<void, void (*)(void*)>;
    std::variant<std::monostate, TBitmap*, TPicture*, TFilePicture*, TIcon*, TStrings*, TIntList*, TObject*,
                 TColor>
        FValue;
    Owner FOwned{nullptr, [](void*) {}};
};

class TCellGraphic : public TPersistent
{
  public:
    // CellType ctNone, CellCreated False, everything else zero or empty.
    TCellGraphic() = default;
    // Frees what the slots own (created bitmaps, pictures, icons, radio and balloon lists, image lists).
    ~TCellGraphic() override = default;

    // Copies CellType, both alignments, CellIndex, CellTransparent, CellValue, CellAngle, CellBoolean,
    // CellErrFrom, CellErrLen, CellText and CellCreated; not the slots, CellVar or CellCheckBoxState.
    // Any source that is not a TCellGraphic is ignored.
    void Assign(const TPersistent* Source) override;

    // -- Fields --
    TCellType CellType() const { return FCellType; }
    void SetCellType(TCellType Value) { FCellType = Value; }
    TCellVAlign CellVAlign() const { return FCellVAlign; }
    void SetCellVAlign(TCellVAlign Value) { FCellVAlign = Value; }
    TCellHAlign CellHAlign() const { return FCellHAlign; }
    void SetCellHAlign(TCellHAlign Value) { FCellHAlign = Value; }
    int CellIndex() const { return FCellIndex; }
    void SetCellIndex(int Value) { FCellIndex = Value; }
    bool CellTransparent() const { return FCellTransparent; }
    void SetCellTransparent(bool Value) { FCellTransparent = Value; }
    bool CellCreated() const { return FCellCreated; }
    void SetCellCreated(bool Value) { FCellCreated = Value; }
    bool CellBoolean() const { return FCellBoolean; }
    void SetCellBoolean(bool Value) { FCellBoolean = Value; }
    int CellAngle() const { return FCellAngle; }
    void SetCellAngle(int Value) { FCellAngle = Value; }
    double CellValue() const { return FCellValue; }
    void SetCellValue(double Value) { FCellValue = Value; }
    int CellErrFrom() const { return FCellErrFrom; }
    void SetCellErrFrom(int Value) { FCellErrFrom = Value; }
    int CellErrLen() const { return FCellErrLen; }
    void SetCellErrLen(int Value) { FCellErrLen = Value; }
    QString CellText() const { return FCellText; }
    void SetCellText(const QString& Value) { FCellText = Value; }
    const QVariant& CellVar() const { return FCellVar; }
    void SetCellVar(const QVariant& Value) { FCellVar = Value; }
    TCheckBoxState CellCheckBoxState() const { return FCellCheckBoxState; }
    void SetCellCheckBoxState(TCheckBoxState Value) { FCellCheckBoxState = Value; }

    // -- The bitmap slot, by kind (nullptr / clNone when it holds something else) --
    TBitmap* CellBitmap() const { return FBitmapSlot.As<TBitmap>(); }
    TPicture* CellPicture() const { return FBitmapSlot.As<TPicture>(); }
    TFilePicture* CellFilePicture() const { return FBitmapSlot.As<TFilePicture>(); }
    // Radio group items, balloon title and text.
    TStrings* CellStrings() const { return FBitmapSlot.As<TStrings>(); }
    // Image indexes of a ctImages cell.
    TIntList* CellImages() const { return FBitmapSlot.As<TIntList>(); }
    // The drawing object of a ctInterface cell.
    TObject* CellObject() const { return FBitmapSlot.As<TObject>(); }
    TColor CellBitmapColor() const { return FBitmapSlot.Color(); }
    TCellSlot& BitmapSlot() { return FBitmapSlot; }
    const TCellSlot& BitmapSlot() const { return FBitmapSlot; }
    // -- The icon slot --
    TIcon* CellIcon() const { return FIconSlot.As<TIcon>(); }
    TColor CellIconColor() const { return FIconSlot.Color(); }
    TCellSlot& IconSlot() { return FIconSlot; }
    const TCellSlot& IconSlot() const { return FIconSlot; }

    // -- Fillers: each sets CellType and the fields named --
    // Owned: the bitmap was created for the cell (CellCreated True).
    void SetBitmap(TBitmap* ABmp, bool Transparent, TCellHAlign HAlign, TCellVAlign VAlign,
                   bool Owned = false);
    void SetIcon(TIcon* AIcon, TCellHAlign HAlign, TCellVAlign VAlign, bool Owned = false);
    void SetImageIdx(int Index, TCellHAlign HAlign, TCellVAlign VAlign);
    void SetDataImage(int Index, TCellHAlign HAlign, TCellVAlign VAlign);
    // A new owned image-index list for (Col, Row) with OnChange as its change handler.
    void SetMultiImage(int Col, int Row, int Direction, TCellHAlign HAlign, TCellVAlign VAlign,
                       const TImageChangeEvent& OnChange);
    void SetPicture(TPicture* APicture, bool Transparent, TStretchMode StretchMode, int Padding,
                    TCellHAlign HAlign, TCellVAlign VAlign, bool Owned = false);
    void SetFilePicture(TFilePicture* APicture, bool Transparent, TStretchMode StretchMode, int Padding,
                        TCellHAlign HAlign, TCellVAlign VAlign, bool Owned = false);
    void SetButton(int Width, int Height, const QString& Caption, TCellHAlign HAlign, TCellVAlign VAlign);
    void SetBitButton(int Width, int Height, const QString& Caption, TBitmap* Glyph, TCellHAlign HAlign,
                      TCellVAlign VAlign, bool Owned = false);
    void SetCheckBox(bool Value, bool Data, bool Flat, TCellHAlign HAlign, TCellVAlign VAlign);
    void SetCheckBox(TCheckBoxState State, bool Flat, TCellHAlign HAlign, TCellVAlign VAlign);
    void SetRadioButton(bool Value, bool Flat, TCellHAlign HAlign, TCellVAlign VAlign);
    // Angles are kept in 0 .. 360 (360 itself stays).
    void SetAngle(int AAngle);
    void SetInterfacedCell(TObject* AObject);

    // The drawn size of a ctPicture or ctFilePicture in an area of AvailWidth x AvailHeight (padding
    // taken off) by the stretch mode in CellAngle; other kinds leave W and H alone.
    void GetPictureSize(int AvailWidth, int AvailHeight, int& W, int& H) const;

    // The balloon attached to a check box, data check box or radio button (CellAngle 1, an owned
    // list of title and text in the bitmap slot, the icon in CellIndex).
    bool HasAttachedBalloon() const;
    void AttachBalloon(const QString& ATitle, const QString& AText, TBalloonIcon AIcon);
    void DetachBalloon();

    static bool IsCheckBoxType(TCellType T)
    {
        return T == ctCheckBox || T == ctDataCheckBox || T == ctVirtCheckBox || T == ctRowCheckBox ||
               T == ctTriStateCheckBox;
    }

  private:
    void SetAlign(TCellHAlign HAlign, TCellVAlign VAlign)
    {
        FCellHAlign = HAlign;
        FCellVAlign = VAlign;
    }

    TCellType FCellType = ctNone;
    TCellSlot FBitmapSlot;
    TCellSlot FIconSlot;
    TCellVAlign FCellVAlign = vaTop;
    TCellHAlign FCellHAlign = haLeft;
    int FCellIndex = 0;
    bool FCellTransparent = false;
    bool FCellCreated = false;
    bool FCellBoolean = false;
    int FCellAngle = 0;
    double FCellValue = 0;
    int FCellErrFrom = 0;
    int FCellErrLen = 0;
    QString FCellText;
    QVariant FCellVar;
    TCheckBoxState FCellCheckBoxState = cbUnchecked;
};
