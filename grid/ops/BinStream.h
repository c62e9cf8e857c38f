// The records of the grid's binary cell stream: one component per record, written and read through
// the layer's component streaming (platform/core/ComponentStream.h). The grid creates one object of
// each class, with itself as owner, for one save or load and refills it record by record.
//
// Record order of a stream: TGridPropIO once, then per cell TGridCellIO; when its HasProp is set a
// TGridCellPropIO follows; when that one's HasGraphic is set a TGridGraphicIO follows and, by the
// graphic's cell type, one data record (TGridBMPIO, TGridIconIO, TGridPicIO, TGridFilePicIO or
// TGridSLIO) or none.
#pragma once

#include "grid/base/CellProperties.h"
#include "grid/core/CellGraphic.h"
#include "platform/core/ComponentStream.h"

#include <QString>
#include <memory>

class TBaseGrid;

// Header: the rectangle's size, its column widths and row heights ("64,80,50"), whether it is the
// whole grid, and the ID of the grid that wrote it.
class TGridPropIO : public TStreamComponent
{
  public:
    using TStreamComponent::TStreamComponent;
    const TPropTable& Published() const override;

    int ColCount = 0;
    int RowCount = 0;
    QString ColWidths;
    QString RowHeights;
    bool FullGrid = false;
    int ID = 0;
};

// One cell: its grid coordinates (32-bit), its shown text and whether properties follow.
class TGridCellIO : public TStreamComponent
{
  public:
    using TStreamComponent::TStreamComponent;
    const TPropTable& Published() const override;

    int Col = 0;
    int Row = 0;
    QString Cell;
    bool HasProp = false;
};

// The cell's properties under "CellProperties." (OwnerCol and OwnerRow are not stored; CellObject
// travels as its integer value, Control as the control's name).
class TGridCellPropIO : public TStreamComponent
{
  public:
    explicit TGridCellPropIO(TBaseGrid* AGrid);
    const TPropTable& Published() const override;

    TCellProperties* CellProperties() const { return FCellProperties.get(); }
    bool HasGraphic = false;

  private:
    std::unique_ptr<TCellProperties> FCellProperties;
};

// The cell graphic's fields under "CellGraphic." (no slots: those travel in the data records).
class TGridGraphicIO : public TStreamComponent
{
  public:
    explicit TGridGraphicIO(TComponent* AOwner);
    const TPropTable& Published() const override;

    TCellGraphic* CellGraphic() const { return FCellGraphic.get(); }
    // Fields and check box state from Source; both slots stay empty.
    void CopyFrom(const TCellGraphic* Source);
    // The fields and check box state into Dest.
    void CopyTo(TCellGraphic* Dest) const;

  private:
    std::unique_ptr<TCellGraphic> FCellGraphic;
};

// A bitmap as PNG bytes.
class TGridBMPIO : public TStreamComponent
{
  public:
    explicit TGridBMPIO(TComponent* AOwner);
    const TPropTable& Published() const override;
    TBitmap* Bitmap() const { return FBitmap.get(); }

  private:
    std::unique_ptr<TBitmap> FBitmap;
};

// An icon as PNG bytes.
class TGridIconIO : public TStreamComponent
{
  public:
    explicit TGridIconIO(TComponent* AOwner);
    const TPropTable& Published() const override;
    TIcon* Icon() const { return FIcon.get(); }

  private:
    std::unique_ptr<TIcon> FIcon;
};

// A picture as the format name and bytes it was loaded from (a drawn one as PNG).
class TGridPicIO : public TStreamComponent
{
  public:
    explicit TGridPicIO(TComponent* AOwner);
    const TPropTable& Published() const override;
    TPicture* Picture() const { return FPicture.get(); }

  private:
    std::unique_ptr<TPicture> FPicture;
};

// A file picture as its file name only ("Picture.Filename").
class TGridFilePicIO : public TStreamComponent
{
  public:
    explicit TGridFilePicIO(TComponent* AOwner);
    const TPropTable& Published() const override;
    TFilePicture* Picture() const { return FPicture.get(); }

  private:
    std::unique_ptr<TFilePicture> FPicture;
};

// A list of lines: radio items, or image indexes one per line.
class TGridSLIO : public TStreamComponent
{
  public:
    explicit TGridSLIO(TComponent* AOwner);
    const TPropTable& Published() const override;
    TStringList* Strings() const { return FStrings.get(); }

  private:
    std::unique_ptr<TStringList> FStrings;
};

// Registers the record classes with the layer's readers (once; later calls do nothing).
void RegisterGridStreamClasses();
