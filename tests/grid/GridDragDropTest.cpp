// The grid's drag and drop: data object and enumerator, the reader of dropped data, the drop target
// driven by Qt drag events on a registered control, and the drop source.
#include "grid/base/GridDragDrop.h"

#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Forms.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QUrl>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace
{

FORMATETC Fmt(UINT cf)
{
    FORMATETC f;
    f.cfFormat = CLIPFORMAT(cf);
    return f;
}

// The block of one format, or nothing when GetData refuses it.
std::optional<QByteArray> Block(IDataObject* data, UINT cf)
{
    const FORMATETC f = Fmt(cf);
    STGMEDIUM m;
    if (data->GetData(&f, &m) != S_OK)
        return std::nullopt;
    EXPECT_EQ(m.tymed, TYMED_HGLOBAL);
    EXPECT_EQ(m.pUnkForRelease, nullptr);
    QByteArray bytes(static_cast<const char*>(GlobalLock(m.hGlobal)), qsizetype(GlobalSize(m.hGlobal)));
    GlobalUnlock(m.hGlobal);
    ReleaseStgMedium(&m);
    return bytes;
}

std::vector<FORMATETC> Enumerate(IDataObject* data)
{
    IEnumFORMATETC* raw = nullptr;
    EXPECT_EQ(data->EnumFormatEtc(DATADIR_GET, &raw), S_OK);
    ComPtr<IEnumFORMATETC> e = ComPtr<IEnumFORMATETC>::Attach(raw);
    std::vector<FORMATETC> all(10);
    uint32_t fetched = 0;
    e->Next(10, all.data(), &fetched);
    all.resize(fetched);
    return all;
}

std::vector<UINT> FormatsOf(IDataObject* data)
{
    std::vector<UINT> ids;
    for (const FORMATETC& f : Enumerate(data))
        ids.push_back(f.cfFormat);
    return ids;
}

class RtfSwitch
{
  public:
    explicit RtfSwitch(bool on) { EnableRTFDragDrop(on); }
    ~RtfSwitch() { EnableRTFDragDrop(false); }
};

// ---- Data object and enumerator -------------------------------------------------------------------------

TEST(SourceDataObject, TextOffersTextUnicodeAndRichTextWhileTheSwitchIsOn)
{
    ComPtr<TSourceDataObject> data(new TSourceDataObject("ab", "", -1, nullptr));
    const std::vector<FORMATETC> entries = Enumerate(data.Get());
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(FormatsOf(data.Get()), (std::vector<UINT>{CF_TEXT, CF_UNICODETEXT, CF_RTF}));
    EXPECT_NE(CF_RTF, 0u);
    EXPECT_EQ(ClipboardFormatName(CF_RTF), "Rich Text Format");
    for (const FORMATETC& f : entries) {
        EXPECT_EQ(f.lindex, -1);
        EXPECT_EQ(f.dwAspect, DVASPECT_CONTENT);
        EXPECT_EQ(f.tymed, TYMED_HGLOBAL);
        EXPECT_EQ(f.ptd, nullptr);
    }
    FORMATETC f = Fmt(CF_TEXT);
    EXPECT_EQ(data->QueryGetData(&f), S_OK);
    f = Fmt(CF_UNICODETEXT);
    EXPECT_EQ(data->QueryGetData(&f), S_OK);
    f = Fmt(CF_RTF);
    EXPECT_EQ(data->QueryGetData(&f), DV_E_FORMATETC);
    {
        RtfSwitch on(true);
        EXPECT_EQ(data->QueryGetData(&f), S_OK);
    }
    // Only content on a global block is served.
    f = Fmt(CF_TEXT);
    f.dwAspect = 4;
    EXPECT_EQ(data->QueryGetData(&f), DV_E_FORMATETC);
    f = Fmt(CF_TEXT);
    f.tymed = TYMED_HGLOBAL | 2;
    EXPECT_EQ(data->QueryGetData(&f), DV_E_FORMATETC);

    EXPECT_EQ(Block(data.Get(), CF_TEXT), QByteArray("ab", 3));
    EXPECT_EQ(Block(data.Get(), CF_UNICODETEXT), QByteArray("a\0b\0\0\0", 6));
    EXPECT_FALSE(Block(data.Get(), CF_RTF));
    EXPECT_FALSE(Block(data.Get(), CF_GRIDCELLS));
}

TEST(SourceDataObject, StreamAndColumnBlocks)
{
    TMemoryStream stream;
    stream.Write("0123456789", 10);
    ComPtr<TSourceDataObject> cells(new TSourceDataObject("ab", "", -1, &stream));
    EXPECT_EQ(FormatsOf(cells.Get()), (std::vector<UINT>{CF_TEXT, CF_UNICODETEXT, CF_RTF, CF_GRIDCELLS}));
    EXPECT_EQ(Block(cells.Get(), CF_GRIDCELLS), QByteArray("\x0A\0\0\0\0\0\0\0"
                                                           "0123456789",
                                                           18));

    ComPtr<TSourceDataObject> column(new TSourceDataObject("", "", 7, nullptr));
    EXPECT_EQ(FormatsOf(column.Get()), (std::vector<UINT>{CF_TEXT, CF_UNICODETEXT, CF_RTF, CF_GRIDCOL}));
    RtfSwitch on(true);
    for (UINT cf : {UINT(CF_TEXT), UINT(CF_UNICODETEXT), CF_RTF}) {
        const FORMATETC f = Fmt(cf);
        EXPECT_EQ(column->QueryGetData(&f), DV_E_FORMATETC) << cf;
    }
    EXPECT_EQ(Block(column.Get(), CF_GRIDCOL), QByteArray("\x07\0\0\0", 4));
}

TEST(SourceDataObject, EnumeratorStepsSkipsAndClones)
{
    ComPtr<TSourceDataObject> data(new TSourceDataObject("ab", "", -1, nullptr));
    IEnumFORMATETC* raw = nullptr;
    ASSERT_EQ(data->EnumFormatEtc(DATADIR_GET, &raw), S_OK);
    ComPtr<IEnumFORMATETC> e = ComPtr<IEnumFORMATETC>::Attach(raw);
    EXPECT_EQ(e->Skip(1), S_OK);
    IEnumFORMATETC* rawClone = nullptr;
    ASSERT_EQ(e->Clone(&rawClone), S_OK);
    ComPtr<IEnumFORMATETC> clone = ComPtr<IEnumFORMATETC>::Attach(rawClone);

    FORMATETC entries[10];
    uint32_t fetched = 99;
    EXPECT_EQ(e->Next(10, entries, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 2u);
    EXPECT_EQ(entries[0].cfFormat, CF_UNICODETEXT);
    EXPECT_EQ(e->Next(1, entries, nullptr), S_FALSE);

    // The clone stayed at index 1.
    EXPECT_EQ(clone->Next(1, entries, &fetched), S_OK);
    EXPECT_EQ(fetched, 1u);
    EXPECT_EQ(entries[0].cfFormat, CF_UNICODETEXT);

    EXPECT_EQ(e->Reset(), S_OK);
    EXPECT_EQ(e->Skip(5), S_FALSE);
    EXPECT_EQ(e->Next(1, entries, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0u);

    IEnumFORMATETC* none = reinterpret_cast<IEnumFORMATETC*>(1);
    EXPECT_EQ(data->EnumFormatEtc(DATADIR_SET, &none), E_NOTIMPL);
    EXPECT_EQ(none, nullptr);
    STGMEDIUM m;
    const FORMATETC f = Fmt(CF_TEXT);
    EXPECT_EQ(data->GetDataHere(&f, &m), DV_E_FORMATETC);
    EXPECT_EQ(data->SetData(&f, &m, 0), DV_E_FORMATETC);
    EXPECT_EQ(data->DAdvise(&f, 0, nullptr, nullptr), OLE_E_ADVISENOTSUPPORTED);
}

// ---- Reader of dropped data -----------------------------------------------------------------------------

QMimeData* NamedBlock(const QString& name, const QByteArray& bytes)
{
    auto* mime = new QMimeData;
    mime->setData("application/x-qt-windows-mime;value=\"" + name + "\"", bytes);
    return mime;
}

TEST(EnumFormats, ReadsAreBoundedByTheBlock)
{
    struct {
        const char* what;
        QString name;
        QByteArray block;
        int col;
        int streamSize; // -1: no stream
    } cases[] = {
        {"column", "Grid Column", QByteArray("\x05\0\0\0", 4), 5, -1},
        {"short column", "Grid Column", QByteArray("\x05\0", 2), -1, -1},
        {"cells", "TExtStringGrid Cells", QByteArray("\x03\0\0\0\0\0\0\0xyz", 11), -1, 3},
        {"truncated cells", "TExtStringGrid Cells", QByteArray("\x64\0\0\0\0\0\0\0", 8) + QByteArray(12, 'x'),
         -1, -1},
        {"negative count", "TExtStringGrid Cells", QByteArray("\xFF\xFF\xFF\xFF\0\0\0\0", 8), -1, -1},
        {"short header", "TExtStringGrid Cells", QByteArray("\x01\0", 2), -1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::unique_ptr<QMimeData> mime(NamedBlock(c.name, c.block));
        ComPtr<IDataObject> data = DataObjectOfMime(mime.get());
        TEnumFormats reader(data.Get());
        EXPECT_EQ(reader.Col(), c.col);
        auto stream = reader.Stream();
        EXPECT_EQ(stream ? int(stream->Size()) : -1, c.streamSize);
        EXPECT_EQ(reader.Text(), "");
    }
}

TEST(EnumFormats, FileListStopsAtTheEndOfTheBlock)
{
    // A foreign CF_HDROP block: names without the final empty one, the last without its zero.
    QByteArray block(20, '\0');
    block[0] = 20;
    block[16] = 1;
    block += QByteArray("/\0a\0\0\0/\0b\0c\0", 12);
    struct THdropObject : IDataObject {
        QByteArray bytes;
        HRESULT GetData(const FORMATETC* f, STGMEDIUM* m) override
        {
            if (QueryGetData(f) != S_OK)
                return DV_E_FORMATETC;
            m->tymed = TYMED_HGLOBAL;
            m->hGlobal = GlobalAlloc(0x2042, size_t(bytes.size()));
            memcpy(GlobalLock(m->hGlobal), bytes.constData(), size_t(bytes.size()));
            return S_OK;
        }
        HRESULT GetDataHere(const FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
        HRESULT QueryGetData(const FORMATETC* f) override
        {
            return f->cfFormat == CF_HDROP ? S_OK : DV_E_FORMATETC;
        }
        HRESULT GetCanonicalFormatEtc(const FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
        HRESULT SetData(const FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
        HRESULT EnumFormatEtc(DWORD, IEnumFORMATETC** e) override
        {
            // Borrow the grid enumerator's shape: one entry, CF_HDROP.
            struct One : IEnumFORMATETC {
                bool done = false;
                HRESULT Next(uint32_t, FORMATETC* out, uint32_t* n) override
                {
                    if (n)
                        *n = done ? 0 : 1;
                    if (done)
                        return S_FALSE;
                    out->cfFormat = CF_HDROP;
                    out->tymed = TYMED_HGLOBAL;
                    done = true;
                    return S_OK;
                }
                HRESULT Skip(uint32_t) override { return S_FALSE; }
                HRESULT Reset() override
                {
                    done = false;
                    return S_OK;
                }
                HRESULT Clone(IEnumFORMATETC**) override { return E_NOTIMPL; }
            };
            *e = new One;
            (*e)->AddRef();
            return S_OK;
        }
        HRESULT DAdvise(const FORMATETC*, DWORD, IUnknown*, DWORD*) override { return E_NOTIMPL; }
        HRESULT DUnadvise(DWORD) override { return E_NOTIMPL; }
        HRESULT EnumDAdvise(IUnknown**) override { return E_NOTIMPL; }
    };
    ComPtr<THdropObject> data(new THdropObject);
    data->bytes = block;
    TEnumFormats reader(data.Get());
    ASSERT_TRUE(reader.HasFile());
    EXPECT_TRUE(reader.ReadFiles());
    EXPECT_EQ(reader.Files()->Count(), 2);
    EXPECT_EQ(reader.Files()->Strings(0), "/a");
    EXPECT_EQ(reader.Files()->Strings(1), "/bc");

    // An offset beyond the block reads no files.
    data->bytes[0] = char(200);
    EXPECT_FALSE(reader.ReadFiles());
    EXPECT_EQ(reader.Files()->Count(), 0);
}

// ---- Drop target on a registered control ----------------------------------------------------------------

class RecordingTarget : public TESGDropTarget
{
  public:
    std::vector<QString> calls;
    IDataObject* entered = nullptr;
    TPoint lastPoint;
    bool refuseMove = false;

    HRESULT DragEnter(IDataObject* DataObject, DWORD KeyState, POINTL pt, DWORD* Effect) override
    {
        entered = DataObject;
        return TESGDropTarget::DragEnter(DataObject, KeyState, pt, Effect);
    }
    TDropFormats Formats() const { return FDropFormats; }

  protected:
    void DropText(TPoint pt, const QString& text) override
    {
        lastPoint = pt;
        calls.push_back("text " + text);
    }
    void DropStream(TPoint, std::unique_ptr<TMemoryStream> s) override
    {
        calls.push_back(QString("stream %1").arg(s->Size()));
    }
    void DropCol(TPoint, int col) override { calls.push_back(QString("col %1").arg(col)); }
    void DropRTF(TPoint, const QString& rtf) override { calls.push_back("rtf " + rtf); }
    void DropFiles(TPoint, TStrings* files) override { calls.push_back("files " + files->Strings(0)); }
    void DropURL(TPoint, const QString& url) override { calls.push_back("url " + url); }
    void DragMouseMove(TPoint, bool& allow, TDropFormats) override
    {
        if (refuseMove)
            allow = false;
        calls.push_back("move");
    }
    void DragMouseEnter() override { calls.push_back("enter"); }
    void DragMouseLeave() override { calls.push_back("leave"); }
};

class DropOnPanel : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(100, 100, 300, 200);
        panel = new TPanel(form.get());
        panel->SetParent(form.get());
        panel->SetBounds(10, 10, 200, 100);
        form->Show();
        target = ComPtr<RecordingTarget>(new RecordingTarget);
        ASSERT_EQ(RegisterDragDrop(panel->Handle(), target.Get()), S_OK);
    }
    void TearDown() override
    {
        RevokeDragDrop(panel->Handle());
        target.Reset();
        form.reset();
    }

    // Enter, then drop at (20, 30); returns the drop's accepted action (IgnoreAction when ignored).
    Qt::DropAction EnterAndDrop(QMimeData* mime, Qt::KeyboardModifiers mods = Qt::NoModifier,
                                Qt::DropActions possible = Qt::CopyAction | Qt::MoveAction)
    {
        const QPoint at(20, 30);
        QDragEnterEvent enter(at, possible, mime, Qt::LeftButton, mods);
        QApplication::sendEvent(panel->Widget(), &enter);
        QDropEvent drop(at, possible, mime, Qt::NoButton, mods);
        QApplication::sendEvent(panel->Widget(), &drop);
        return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
    }

    std::unique_ptr<TForm> form;
    TPanel* panel = nullptr;
    ComPtr<RecordingTarget> target;
};

TEST_F(DropOnPanel, ColumnWinsOverTextAndTheSourcesOwnObjectIsHandedOn)
{
    target->FAcceptCols = true;
    ComPtr<TSourceDataObject> source(new TSourceDataObject("t", "", 3, nullptr));
    TDataObjectMime mime(source.Get());
    EXPECT_EQ(EnterAndDrop(&mime), Qt::MoveAction);
    EXPECT_EQ(target->entered, source.Get());
    EXPECT_EQ(target->calls, (std::vector<QString>{"enter", "col 3"}));
    EXPECT_TRUE(target->Formats() == (TDropFormats{dfText, dfRTF, dfCol}));
}

TEST_F(DropOnPanel, TextThenFilesInScreenCoordinates)
{
    QMimeData mime;
    mime.setUrls({QUrl("file:///data/a.txt")});
    mime.setText("x");
    EXPECT_EQ(EnterAndDrop(&mime), Qt::MoveAction);
    EXPECT_EQ(target->calls, (std::vector<QString>{"enter", "text x", "files /data/a.txt"}));
    const QPoint screen = panel->Widget()->mapToGlobal(QPoint(20, 30));
    EXPECT_EQ(target->lastPoint, TPoint(screen.x(), screen.y()));
}

TEST_F(DropOnPanel, UrlIsDroppedWithItsText)
{
    QMimeData mime;
    mime.setUrls({QUrl("https://example.org/x")});
    EnterAndDrop(&mime);
    EXPECT_EQ(target->calls,
              (std::vector<QString>{"enter", "text https://example.org/x", "url https://example.org/x"}));
}

TEST_F(DropOnPanel, EffectFollowsCtrlAndTheAllowedEffects)
{
    struct {
        Qt::KeyboardModifiers mods;
        Qt::DropActions possible;
        Qt::DropAction expected;
    } cases[] = {
        {Qt::ControlModifier, Qt::CopyAction | Qt::MoveAction, Qt::CopyAction},
        {Qt::NoModifier, Qt::CopyAction | Qt::MoveAction, Qt::MoveAction},
        {Qt::NoModifier, Qt::CopyAction, Qt::CopyAction},
    };
    for (const auto& c : cases) {
        QMimeData mime;
        mime.setText("x");
        QDragMoveEvent move(QPoint(5, 5), c.possible, &mime, Qt::LeftButton, c.mods);
        QDragEnterEvent enter(QPoint(5, 5), c.possible, &mime, Qt::LeftButton, c.mods);
        QApplication::sendEvent(panel->Widget(), &enter);
        EXPECT_TRUE(enter.isAccepted());
        EXPECT_EQ(enter.dropAction(), c.expected);
        QApplication::sendEvent(panel->Widget(), &move);
        EXPECT_TRUE(move.isAccepted());
        EXPECT_EQ(move.dropAction(), c.expected);
        QDragLeaveEvent leave;
        QApplication::sendEvent(panel->Widget(), &leave);
    }
    EXPECT_EQ(target->calls.back(), "leave");
}

TEST_F(DropOnPanel, RefusedDragIsIgnoredAndDropsNothing)
{
    target->FAcceptText = false;
    QMimeData mime;
    mime.setText("x");
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(panel->Widget(), &enter);
    EXPECT_FALSE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction | Qt::MoveAction, &mime, Qt::NoButton, {});
    QApplication::sendEvent(panel->Widget(), &drop);
    EXPECT_FALSE(drop.isAccepted());
    EXPECT_EQ(target->calls, (std::vector<QString>{"enter"}));

    // DragMouseMove can refuse a place too.
    target->FAcceptText = true;
    target->refuseMove = true;
    QApplication::sendEvent(panel->Widget(), &enter);
    QDragMoveEvent move(QPoint(6, 6), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(panel->Widget(), &move);
    EXPECT_FALSE(move.isAccepted());
}

TEST_F(DropOnPanel, CellsBlockGivesItsStreamUnlessTruncated)
{
    std::unique_ptr<QMimeData> whole(
        NamedBlock("TExtStringGrid Cells", QByteArray("\x02\0\0\0\0\0\0\0ab", 10)));
    whole->setText("ignored");
    EnterAndDrop(whole.get());
    std::unique_ptr<QMimeData> cut(
        NamedBlock("TExtStringGrid Cells", QByteArray("\x64\0\0\0\0\0\0\0", 8) + QByteArray(12, 'z')));
    EnterAndDrop(cut.get());
    EXPECT_EQ(target->calls, (std::vector<QString>{"enter", "stream 2", "enter"}));
}

TEST_F(DropOnPanel, RichTextOnlyWithTheSwitch)
{
    QMimeData mime;
    mime.setData("text/rtf", "{\\rtf1 x}");
    mime.setText("x");
    EnterAndDrop(&mime);
    RtfSwitch on(true);
    EnterAndDrop(&mime);
    EXPECT_EQ(target->calls, (std::vector<QString>{"enter", "text x", "enter", "rtf {\\rtf1 x}"}));
}

TEST_F(DropOnPanel, RegistrationErrorsAndRevoke)
{
    ComPtr<RecordingTarget> other(new RecordingTarget);
    EXPECT_EQ(RegisterDragDrop(panel->Handle(), other.Get()), DRAGDROP_E_ALREADYREGISTERED);
    EXPECT_EQ(RegisterDragDrop(HWND(0x7FFFFFF0), other.Get()), DRAGDROP_E_INVALIDHWND);
    EXPECT_EQ(RevokeDragDrop(form->Handle()), DRAGDROP_E_NOTREGISTERED);
    EXPECT_EQ(RevokeDragDrop(panel->Handle()), S_OK);
    EXPECT_FALSE(panel->Widget()->acceptDrops());
    QMimeData mime;
    mime.setText("x");
    EnterAndDrop(&mime);
    EXPECT_TRUE(target->calls.empty());
    EXPECT_EQ(RegisterDragDrop(panel->Handle(), other.Get()), S_OK);
}

// A data object that cannot enumerate its formats offers nothing.
struct NoEnumObject : TSourceDataObject {
    NoEnumObject() : TSourceDataObject("x", "", -1, nullptr) {}
    HRESULT EnumFormatEtc(DWORD, IEnumFORMATETC** e) override
    {
        *e = nullptr;
        return E_UNEXPECTED;
    }
};

TEST(DropTarget, ObjectWithoutEnumeratorIsRefused)
{
    ComPtr<RecordingTarget> target(new RecordingTarget);
    ComPtr<NoEnumObject> data(new NoEnumObject);
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(target->DragEnter(data.Get(), MK_LBUTTON, POINTL{1, 2}, &effect), S_OK);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    effect = DROPEFFECT_COPY;
    target->Drop(data.Get(), 0, POINTL{1, 2}, &effect);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    EXPECT_EQ(target->calls, (std::vector<QString>{"enter"}));
}

// ---- MIME mapping ---------------------------------------------------------------------------------------

TEST(MimeMapping, OwnObjectIsServedAsMimeTypes)
{
    TMemoryStream stream;
    stream.Write("s", 1);
    ComPtr<TSourceDataObject> data(new TSourceDataObject("é", "", -1, &stream));
    TDataObjectMime mime(data.Get());
    EXPECT_EQ(mime.formats(),
              (QStringList{"text/plain", "application/x-qt-windows-mime;value=\"TExtStringGrid Cells\""}));
    EXPECT_EQ(mime.text(), "é");
    EXPECT_EQ(mime.data("application/x-qt-windows-mime;value=\"TExtStringGrid Cells\""),
              QByteArray("\x01\0\0\0\0\0\0\0s", 9));

    // Foreign text is also single-byte text in Windows-1252.
    QMimeData foreign;
    foreign.setText("é");
    ComPtr<IDataObject> wrapped = DataObjectOfMime(&foreign);
    EXPECT_EQ(Block(wrapped.Get(), CF_TEXT), QByteArray("\xE9\0", 2));
    EXPECT_EQ(RegisterClipboardFormat("grid column"), CF_GRIDCOL);
}

// ---- Drop source ----------------------------------------------------------------------------------------

class CountingSource : public TESGDropSource
{
  public:
    int ends = 0, queries = 0;
    std::vector<DWORD> effects;

  protected:
    void EndDragDrop() override { ++ends; }
    void CurrentEffect(DWORD effect) override { effects.push_back(effect); }
    void QueryDrag() override { ++queries; }
};

TEST(DropSource, EscapeCancelsReleaseDropsHeldButtonGoesOn)
{
    ComPtr<CountingSource> source(new CountingSource);
    EXPECT_EQ(source->QueryContinueDrag(0, MK_LBUTTON), S_OK);
    EXPECT_EQ(source->ends, 0);
    EXPECT_EQ(source->QueryContinueDrag(1, MK_LBUTTON), DRAGDROP_S_CANCEL);
    EXPECT_EQ(source->ends, 1);
    EXPECT_EQ(source->QueryContinueDrag(0, MK_CONTROL), DRAGDROP_S_DROP);
    EXPECT_EQ(source->ends, 2);
    EXPECT_EQ(source->queries, 3);

    EXPECT_EQ(source->GiveFeedback(DROPEFFECT_NONE), DRAGDROP_S_USEDEFAULTCURSORS);
    EXPECT_TRUE(source->NoAccept());
    EXPECT_EQ(source->GiveFeedback(DROPEFFECT_MOVE), HRESULT(0x00040102));
    EXPECT_FALSE(source->NoAccept());
    EXPECT_EQ(source->effects, (std::vector<DWORD>{DROPEFFECT_NONE, DROPEFFECT_MOVE}));
}

TEST(DropSource, DragWithoutTargetIsCancelledAndEndsOnce)
{
    ComPtr<CountingSource> source(new CountingSource);
    DWORD effect = 99;
    TMemoryStream stream;
    stream.Write("x", 1);
    EXPECT_EQ(BeginTextDragDrop(source.Get(), "text", "", &stream, DROPEFFECT_COPY | DROPEFFECT_MOVE, effect),
              DRAGDROP_S_CANCEL);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    EXPECT_EQ(source->ends, 1);
    EXPECT_TRUE(source->NoAccept());

    ComPtr<CountingSource> columns(new CountingSource);
    EXPECT_EQ(BeginColumnDragDrop(columns.Get(), 4, DROPEFFECT_MOVE, effect), DRAGDROP_S_CANCEL);
    EXPECT_EQ(columns->ends, 1);
    QApplication::processEvents(); // the drag's own objects go
}

} // namespace
