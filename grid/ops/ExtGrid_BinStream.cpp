// TExtStringGrid: the binary cell stream and bin files (whole cells between grids, files, the
// clipboard and drags), and AssignCells on top of it.
#include "grid/core/ExtGrid.h"
#include "grid/ops/BinStream.h"
#include "grid/ops/ScopeGuards.h"

#include "platform/core/ComponentStream.h"
#include "platform/core/SysUtils.h"

#include <QStringList>
#include <atomic>
#include <cmath>
#include <unistd.h>

namespace
{

// Kinds whose graphic object may be the caller's: only a graphic created for the cell travels.
bool IsOwnedKind(TCellType T)
{
    switch (T) {
    case ctBitmap:
    case ctIcon:
    case ctRadio:
    case ctImages:
    case ctPicture:
    case ctFilePicture:
    case ctBitButton:
        return true;
    default:
        return false;
    }
}

QString JoinSizes(int From, int To, const std::function<int(int)>& Size)
{
    QStringList parts;
    for (int i = From; i <= To; ++i)
        parts << QString::number(Size(i));
    return parts.join(',');
}

// Strict: every entry must be an integer (EConvertError otherwise).
void ApplySizes(const QString& List, int Count, const std::function<void(int, int)>& Set)
{
    if (List.isEmpty())
        return;
    const QStringList parts = List.split(',');
    for (int i = 0; i < parts.size() && i < Count; ++i)
        Set(i, StrToInt(parts[i]));
}

int Percent(int Part, int Whole)
{
    return int(std::lround(double(Part) * 100.0 / double(std::max(1, Whole))));
}

// The records of one save or load, owned by the grid while it runs.
struct TBinRecords {
    explicit TBinRecords(TExtStringGrid* G)
        : Header(G), Cell(G), Props(G), Graphic(G), Bitmap(G), Icon(G), Picture(G), FilePicture(G), Strings(G)
    {
        RegisterGridStreamClasses();
    }
    TGridPropIO Header;
    TGridCellIO Cell;
    TGridCellPropIO Props;
    TGridGraphicIO Graphic;
    TGridBMPIO Bitmap;
    TGridIconIO Icon;
    TGridPicIO Picture;
    TGridFilePicIO FilePicture;
    TGridSLIO Strings;
};

} // namespace

int TExtStringGrid::BinStreamID()
{
    if (FBinStreamID == 0) {
        // The process id in the high bits, a per-process counter in the low ones.
        static std::atomic<uint32_t> counter{0};
        const uint32_t pid = uint32_t(getpid());
        uint32_t id = (pid << 16) ^ (pid >> 16) ^ ++counter;
        if (id == 0)
            id = ++counter;
        FBinStreamID = int(id);
    }
    return FBinStreamID;
}

void TExtStringGrid::SaveRectToBinStream(const TRect& Rect, TStream* Stream)
{
    TBinRecords rec(this);
    TComponentWriter writer(Stream);

    TGridPropIO& h = rec.Header;
    h.ColCount = Rect.Right - Rect.Left + 1;
    h.RowCount = Rect.Bottom - Rect.Top + 1;
    h.ColWidths = JoinSizes(Rect.Left, Rect.Right,
                            [this](int c) { return c < ColCount() ? ColWidths(c) : DefaultColWidth(); });
    h.RowHeights = JoinSizes(Rect.Top, Rect.Bottom,
                             [this](int r) { return r < RowCount() ? RowHeights(r) : DefaultRowHeight(); });
    h.FullGrid = SaveFixedCells
                     ? h.RowCount == RowCount() && h.ColCount == ColCount()
                     : h.RowCount == RowCount() - FixedRows() && h.ColCount == ColCount() - FixedCols();
    h.ID = BinStreamID();
    writer.WriteComponent(h);

    ExportNotification(esExportStart, Rect.Top);
    int last = -1;
    for (int r = Rect.Top; r <= Rect.Bottom; ++r) {
        ExportNotification(esExportNextRow, r);
        for (int dc = Rect.Left; dc <= Rect.Right; ++dc) {
            // The rectangle is in shown columns; the cells are read by their real column, so a
            // hidden column neither travels nor shifts the ones after it.
            const int c = dc < ColCount() ? RealColIndex(dc) : dc;
            TGridCellIO& cell = rec.Cell;
            cell.Col = dc;
            cell.Row = r;
            cell.Cell = Cells(c, r);
            cell.HasProp = HasCellProperties(c, r);
            writer.WriteComponent(cell);
            if (!cell.HasProp)
                continue;

            const TCellProperties* props = GetCellProperties(c, r);
            TCellProperties* p = rec.Props.CellProperties();
            p->Assign(props);
            p->SetBrushColorTo(props->BrushColorTo());
            p->SetGradientDirection(props->GradientDirection());
            // Only the cell's own graphic travels: shared check box objects and kinds that answer a
            // type without any object have nothing to write.
            TCellGraphic* g = GetCellGraphic(c, r);
            const bool own = g && dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(c, r)) == g;
            const TCellType type = own ? g->CellType() : ctEmpty;
            rec.Props.HasGraphic = own && type != ctEmpty && (!IsOwnedKind(type) || g->CellCreated());
            writer.WriteComponent(rec.Props);
            if (!rec.Props.HasGraphic)
                continue;

            rec.Graphic.CopyFrom(g);
            rec.Graphic.CellGraphic()->SetCellText(QString());
            writer.WriteComponent(rec.Graphic);
            switch (type) {
            case ctBitmap:
            case ctBitButton:
                rec.Bitmap.Bitmap()->Assign(g->CellBitmap());
                writer.WriteComponent(rec.Bitmap);
                break;
            case ctIcon:
                rec.Icon.Icon()->Assign(g->CellIcon());
                writer.WriteComponent(rec.Icon);
                break;
            case ctRadio:
                rec.Strings.Strings()->Clear();
                if (g->CellStrings())
                    rec.Strings.Strings()->AddStrings(g->CellStrings());
                writer.WriteComponent(rec.Strings);
                break;
            case ctImages:
                rec.Strings.Strings()->Clear();
                if (const TIntList* list = g->CellImages())
                    for (int i = 0; i < list->Count(); ++i)
                        rec.Strings.Strings()->Add(QString::number(list->Items(i)));
                writer.WriteComponent(rec.Strings);
                break;
            case ctPicture:
                rec.Picture.Picture()->Assign(g->CellPicture());
                writer.WriteComponent(rec.Picture);
                break;
            case ctFilePicture:
                if (g->CellFilePicture())
                    rec.FilePicture.Picture()->Assign(g->CellFilePicture());
                else
                    rec.FilePicture.Picture()->SetFilename(QString());
                writer.WriteComponent(rec.FilePicture);
                break;
            default:
                break;
            }
        }
        if (OnFileProgress)
            FileProgress(Percent(r, Rect.Bottom - Rect.Top), last);
    }
    ExportNotification(esExportDone, -1);
}

void TExtStringGrid::SaveToBinStream(TStream* Stream)
{
    SaveRectToBinStream(TRect(SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()), Stream);
}

void TExtStringGrid::SaveToBinFile(const QString& FileName)
{
    TMemoryStream ms;
    SaveToBinStream(&ms);
    WriteFileAtomic(FileName, ms.Bytes());
}

void TExtStringGrid::LoadAtPointFromBinStream(const TPoint& Point, TStream* Stream)
{
    TBinRecords rec(this);
    TComponentReader reader(Stream);
    TGridPropIO& h = rec.Header;
    reader.ReadComponent(h);

    TUpdateLock lock(this);
    if (h.FullGrid) {
        Clear();
        SetRowCount(h.RowCount);
        SetColCount(h.ColCount);
        ApplySizes(h.ColWidths, ColCount(), [this](int i, int w) { SetColWidths(i, w); });
        ApplySizes(h.RowHeights, RowCount(), [this](int i, int v) { SetRowHeights(i, v); });
    }

    bool first = true;
    int originCol = 0, originRow = 0, lastRow = -1, last = -1;
    TGridCellIO& cell = rec.Cell;
    while (reader.Remaining() >= 2) {
        reader.ReadComponent(cell);
        if (first && !h.FullGrid) {
            originCol = cell.Col;
            originRow = cell.Row;
        }
        first = false;
        const int dc = cell.Col + Point.X - originCol;
        const int tr = cell.Row + Point.Y - originRow;
        // A stream placed near the edge reaches past the counts: those cells are read and skipped.
        const bool inside = dc >= 0 && tr >= 0 && dc < ColCount() && tr < RowCount();
        // Placed in shown columns, written by real column.
        const int tc = inside ? RealColIndex(dc) : dc;
        if (inside)
            SetCells(tc, tr, cell.Cell);
        if (tr != lastRow) {
            lastRow = tr;
            if (OnFileProgress)
                FileProgress(Percent(tr, RowCount()), last);
        }
        if (!cell.HasProp)
            continue;

        TCellProperties* p = rec.Props.CellProperties();
        if (inside) {
            const TCellProperties* target = GetCellProperties(tc, tr);
            p->Assign(target);
            p->SetBrushColorTo(target->BrushColorTo());
            p->SetGradientDirection(target->GradientDirection());
        }
        reader.ReadComponent(rec.Props);
        if (inside) {
            p->SetOwnerCol(tc);
            p->SetOwnerRow(tr);
            TCellProperties* target = GetCellProperties(tc, tr);
            target->Assign(p);
            target->SetBrushColorTo(p->BrushColorTo());
            target->SetGradientDirection(p->GradientDirection());
            if (p->IsBaseCell() && (p->CellSpanX() > 0 || p->CellSpanY() > 0))
                ++FMergeCount;
        }
        if (!rec.Props.HasGraphic)
            continue;

        reader.ReadComponent(rec.Graphic);
        const TCellType type = rec.Graphic.CellGraphic()->CellType();
        switch (type) {
        case ctBitmap:
        case ctBitButton:
            reader.ReadComponent(rec.Bitmap);
            break;
        case ctIcon:
            reader.ReadComponent(rec.Icon);
            break;
        case ctRadio:
        case ctImages:
            reader.ReadComponent(rec.Strings);
            break;
        case ctPicture:
            reader.ReadComponent(rec.Picture);
            break;
        case ctFilePicture:
            reader.ReadComponent(rec.FilePicture);
            break;
        default:
            break;
        }
        if (!inside)
            continue;
        TCellGraphic* g = CreateCellGraphic(tc, tr);
        rec.Graphic.CopyTo(g);
        switch (type) {
        case ctBitmap:
        case ctBitButton: {
            auto* bmp = new TBitmap;
            bmp->Assign(rec.Bitmap.Bitmap());
            g->BitmapSlot().Set(bmp, true);
            break;
        }
        case ctIcon: {
            auto* icon = new TIcon;
            icon->Assign(rec.Icon.Icon());
            g->IconSlot().Set(icon, true);
            break;
        }
        case ctRadio: {
            auto* items = new TStringList;
            items->Assign(rec.Strings.Strings());
            g->BitmapSlot().Set(static_cast<TStrings*>(items), true);
            break;
        }
        case ctImages: {
            auto* list = new TIntList(tc, tr);
            g->BitmapSlot().Set(list, true);
            list->SetStrValue(rec.Strings.Strings()->ToStringList().join(','));
            list->OnChange = [this](TObject* Sender, int c, int r) { CellImagesChanged(Sender, c, r); };
            break;
        }
        case ctPicture: {
            auto* pic = new TPicture;
            pic->Assign(rec.Picture.Picture());
            g->BitmapSlot().Set(pic, true);
            break;
        }
        case ctFilePicture: {
            auto* pic = new TFilePicture;
            pic->Assign(rec.FilePicture.Picture());
            g->BitmapSlot().Set(pic, true);
            break;
        }
        default:
            break;
        }
    }
}

void TExtStringGrid::LoadFromBinStream(TStream* Stream)
{
    LoadAtPointFromBinStream(TPoint(0, 0), Stream);
    int nodes = 0;
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (GetCellType(0, r) == ctNode)
            ++nodes;
    FNumNodes = nodes;
    if (nodes > 0)
        RepaintCol(0);
}

void TExtStringGrid::LoadFromBinFile(const QString& FileName)
{
    TMemoryStream ms;
    ms.LoadFromFile(FileName);
    LoadFromBinStream(&ms);
}

void TExtStringGrid::AssignCells(const TPersistent* Source)
{
    auto* src = const_cast<TExtStringGrid*>(dynamic_cast<const TExtStringGrid*>(Source));
    if (!src || src == this)
        return;
    TMemoryStream ms;
    src->SaveToBinStream(&ms);
    ms.SetPosition(0);
    LoadFromBinStream(&ms);
}
