#include "grid/ops/BinStream.h"

#include "grid/base/BaseGrid.h"
#include "platform/graphics/PictureData.h"

#include <QBuffer>
#include <QImage>
#include <QPixmap>
#include <type_traits>

namespace
{

// ---- Value conversion between a property's own type and the stream value ---------------------------

template <class T> void ToValue(const T& X, TPropValue& V)
{
    if constexpr (std::is_same_v<T, QString>)
        V.Str = X;
    else if constexpr (std::is_same_v<T, double>)
        V.Float = X;
    else if constexpr (std::is_same_v<T, TColor>)
        V.Int = int32_t(X); // system colours travel as negative Integers, as the toolkit's
    else
        V.Int = int64_t(X);
}

template <class T> T FromValue(const TPropValue& V)
{
    if constexpr (std::is_same_v<T, QString>)
        return V.Str;
    else if constexpr (std::is_same_v<T, double>)
        return V.Float;
    else if constexpr (std::is_same_v<T, TColor>)
        return TColor(uint32_t(V.Int));
    else if constexpr (std::is_same_v<T, bool>)
        return V.Int != 0;
    else
        return static_cast<T>(V.Int);
}

template <class> struct FieldOf;
template <class C, class T> struct FieldOf<T C::*> {
    using Class = C;
    using Type = T;
};
template <class> struct GetterOf;
template <class C, class R> struct GetterOf<R (C::*)() const> {
    using Class = C;
    using Type = std::decay_t<R>;
};

struct TDefault {
    bool Has = false;
    int64_t Value = 0;
};
constexpr TDefault Always{};
constexpr TDefault Def(int64_t V)
{
    return {true, V};
}

// A public data member.
template <auto F> TPropInfo Field(const char* Name, TPropKind Kind, TDefault D = Always)
{
    using C = typename FieldOf<decltype(F)>::Class;
    using T = typename FieldOf<decltype(F)>::Type;
    TPropInfo p{Name, Kind};
    p.Get = [](const void* o, TPropValue& v) { ToValue<T>(static_cast<const C*>(o)->*F, v); };
    p.Set = [](void* o, const TPropValue& v) { static_cast<C*>(o)->*F = FromValue<T>(v); };
    p.HasDefault = D.Has;
    p.Default = D.Value;
    return p;
}

// A getter and setter pair.
template <auto G, auto S>
TPropInfo Prop(const char* Name, TPropKind Kind, TDefault D = Always, const char* const* Names = nullptr,
               int NameCount = 0)
{
    using C = typename GetterOf<decltype(G)>::Class;
    using T = typename GetterOf<decltype(G)>::Type;
    TPropInfo p{Name, Kind};
    p.Get = [](const void* o, TPropValue& v) { ToValue<T>((static_cast<const C*>(o)->*G)(), v); };
    p.Set = [](void* o, const TPropValue& v) { (static_cast<C*>(o)->*S)(FromValue<T>(v)); };
    p.HasDefault = D.Has;
    p.Default = D.Value;
    p.Names = Names;
    p.NameCount = NameCount;
    return p;
}

template <size_t N> TPropInfo EnumProp(TPropInfo P, const char* const (&Names)[N])
{
    P.Names = Names;
    P.NameCount = int(N);
    return P;
}

template <size_t N> constexpr TPropTable Table(const char* ClassName, const TPropInfo (&Props)[N])
{
    return {ClassName, Props, int(N)};
}

// ---- Enumeration names ---------------------------------------------------------------------------------

const char* const AlignmentNames[] = {"taLeftJustify", "taRightJustify", "taCenter"};
const char* const VAlignmentNames[] = {"vtaTop", "vtaCenter", "vtaBottom"};
const char* const BrushStyleNames[] = {"bsSolid",     "bsClear",     "bsHorizontal", "bsVertical",
                                       "bsFDiagonal", "bsBDiagonal", "bsCross",      "bsDiagCross"};
const char* const FontStyleNames[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
const char* const GradientNames[] = {"GradientVertical", "GradientHorizontal"};
const char* const EditorNames[] = {"edNormal",
                                   "edSpinEdit",
                                   "edComboEdit",
                                   "edComboList",
                                   "edEditBtn",
                                   "edCheckBox",
                                   "edDateEdit",
                                   "edDateEditUpDown",
                                   "edTimeEdit",
                                   "edButton",
                                   "edDataCheckBox",
                                   "edNumeric",
                                   "edPositiveNumeric",
                                   "edFloat",
                                   "edCapital",
                                   "edMixedCase",
                                   "edPassword",
                                   "edUnitEditBtn",
                                   "edLowerCase",
                                   "edUpperCase",
                                   "edFloatSpinEdit",
                                   "edTimeSpinEdit",
                                   "edDateSpinEdit",
                                   "edNumericEditBtn",
                                   "edFloatEditBtn",
                                   "edCustom",
                                   "edRichEdit",
                                   "edNone",
                                   "edDateTimeEdit",
                                   "edValidChars",
                                   "edTrackbarDropDown",
                                   "edMemoDropDown",
                                   "edCalculatorDropDown",
                                   "edTimePickerDropDown",
                                   "edDetailDropDown",
                                   "edGridDropDown",
                                   "edColorPickerDropDown",
                                   "edImagePickerDropDown",
                                   "edExtGridDropDown",
                                   "edPositiveFloat",
                                   "edNumericUnitEditBtn",
                                   "edFloatUnitEditBtn",
                                   "edMaskEditBtn"};
static_assert(sizeof(EditorNames) / sizeof(EditorNames[0]) == edMaskEditBtn + 1);
const char* const CellTypeNames[] = {"ctBitmap",      "ctIcon",         "ctNone",      "ctImageList",
                                     "ctCheckBox",    "ctDataCheckBox", "ctRotated",   "ctDataImage",
                                     "ctNode",        "ctRadio",        "ctEmpty",     "ctImages",
                                     "ctPicture",     "ctFilePicture",  "ctValue",     "ctProgress",
                                     "ctComment",     "ctButton",       "ctBitButton", "ctVirtCheckBox",
                                     "ctRowCheckBox", "ctProgressPie",  "ctSummary",   "ctRangeIndicator",
                                     "ctXPProgress",  "ctInterface",    "ctScrollbar", "ctRadioButton",
                                     "ctBalloon",     "ctShape",        "ctRating",    "ctTriStateCheckBox",
                                     "ctExpand"};
static_assert(sizeof(CellTypeNames) / sizeof(CellTypeNames[0]) == ctExpand + 1);
const char* const CellVAlignNames[] = {"vaTop",       "vaBottom",    "vaCenter",
                                       "vaUnderText", "vaAboveText", "vaFull"};
const char* const CellHAlignNames[] = {"haLeft",       "haRight",     "haCenter",
                                       "haBeforeText", "haAfterText", "haFull"};
const char* const CheckBoxStateNames[] = {"cbUnchecked", "cbChecked", "cbGrayed"};

// ---- Properties that are not plain values ----------------------------------------------------------------

void GetCellObject(const void* o, TPropValue& v)
{
    v.Int = int64_t(reinterpret_cast<intptr_t>(static_cast<const TCellProperties*>(o)->CellObject()));
}
void SetCellObject(void* o, const TPropValue& v)
{
    static_cast<TCellProperties*>(o)->SetCellObject(reinterpret_cast<TObject*>(intptr_t(v.Int)));
}

void GetControl(const void* o, TPropValue& v)
{
    const TControl* c = static_cast<const TCellProperties*>(o)->Control();
    v.Str = c ? c->Name() : QString();
}
// Looked up among the components of the grid's owner; none when not found.
void SetControl(void* o, const TPropValue& v)
{
    auto* p = static_cast<TCellProperties*>(o);
    TComponent* owner = p->OwnerGrid() ? p->OwnerGrid()->Owner() : nullptr;
    p->SetControl(owner ? dynamic_cast<TControl*>(owner->FindComponent(v.Str)) : nullptr);
}

QByteArray PngBytes(const QImage& Image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Image.save(&buffer, "PNG");
    return bytes;
}

QImage FromPng(const QByteArray& Bytes)
{
    QImage image;
    if (!Bytes.isEmpty() && !image.loadFromData(Bytes, "PNG"))
        throw EReadError("Invalid property value");
    return image;
}

const TPropInfo CellPropsProps[] = {
    Prop<&TCellProperties::IsBaseCell, &TCellProperties::SetIsBaseCell>("IsBaseCell", pkBoolean, Def(1)),
    Prop<&TCellProperties::CellSpanX, &TCellProperties::SetCellSpanX>("CellSpanX", pkInteger,
                                                                      Def(CellSpanNone)),
    Prop<&TCellProperties::CellSpanY, &TCellProperties::SetCellSpanY>("CellSpanY", pkInteger,
                                                                      Def(CellSpanNone)),
    EnumProp(Prop<&TCellProperties::Alignment, &TCellProperties::SetAlignment>("Alignment", pkEnum,
                                                                               Def(taLeftJustify)),
             AlignmentNames),
    Prop<&TCellProperties::BorderColor, &TCellProperties::SetBorderColor>("BorderColor", pkInteger, Def(0)),
    Prop<&TCellProperties::BorderWidth, &TCellProperties::SetBorderWidth>("BorderWidth", pkInteger, Def(0)),
    Prop<&TCellProperties::BrushColor, &TCellProperties::SetBrushColor>("BrushColor", pkInteger,
                                                                        Def(int32_t(clNone))),
    Prop<&TCellProperties::BrushColorTo, &TCellProperties::SetBrushColorTo>("BrushColorTo", pkInteger,
                                                                            Def(int32_t(clNone))),
    EnumProp(Prop<&TCellProperties::BrushStyle, &TCellProperties::SetBrushStyle>("BrushStyle", pkEnum,
                                                                                 Def(bsSolid)),
             BrushStyleNames),
    {"CellObject", pkInteger, GetCellObject, SetCellObject, true, 0},
    Prop<&TCellProperties::FontColor, &TCellProperties::SetFontColor>("FontColor", pkInteger,
                                                                      Def(int32_t(clNone))),
    Prop<&TCellProperties::FontName, &TCellProperties::SetFontName>("FontName", pkString, Def(0)),
    Prop<&TCellProperties::FontSize, &TCellProperties::SetFontSize>("FontSize", pkInteger, Def(0)),
    EnumProp(Prop<&TCellProperties::FontStyle, &TCellProperties::SetFontStyle>("FontStyle", pkSet, Def(0)),
             FontStyleNames),
    EnumProp(Prop<&TCellProperties::Editor, &TCellProperties::SetEditor>("Editor", pkEnum, Def(edNormal)),
             EditorNames),
    EnumProp(Prop<&TCellProperties::GradientDirection, &TCellProperties::SetGradientDirection>(
                 "GradientDirection", pkEnum, Def(GradientVertical)),
             GradientNames),
    Prop<&TCellProperties::ReadOnly, &TCellProperties::SetReadOnly>("ReadOnly", pkBoolean, Def(0)),
    EnumProp(Prop<&TCellProperties::VAlignment, &TCellProperties::SetVAlignment>("VAlignment", pkEnum,
                                                                                 Def(vtaTop)),
             VAlignmentNames),
    Prop<&TCellProperties::WordWrap, &TCellProperties::SetWordWrap>("WordWrap", pkBoolean),
    Prop<&TCellProperties::NodeLevel, &TCellProperties::SetNodeLevel>("NodeLevel", pkInteger, Def(0)),
    {"Control", pkString, GetControl, SetControl, true, 0},
};
const TPropTable CellPropsTable = Table("TCellProperties", CellPropsProps);

const TPropInfo CellGraphicProps[] = {
    EnumProp(Prop<&TCellGraphic::CellType, &TCellGraphic::SetCellType>("CellType", pkEnum), CellTypeNames),
    EnumProp(Prop<&TCellGraphic::CellVAlign, &TCellGraphic::SetCellVAlign>("CellVAlign", pkEnum),
             CellVAlignNames),
    EnumProp(Prop<&TCellGraphic::CellHAlign, &TCellGraphic::SetCellHAlign>("CellHAlign", pkEnum),
             CellHAlignNames),
    Prop<&TCellGraphic::CellIndex, &TCellGraphic::SetCellIndex>("CellIndex", pkInteger),
    Prop<&TCellGraphic::CellTransparent, &TCellGraphic::SetCellTransparent>("CellTransparent", pkBoolean),
    Prop<&TCellGraphic::CellCreated, &TCellGraphic::SetCellCreated>("CellCreated", pkBoolean),
    Prop<&TCellGraphic::CellBoolean, &TCellGraphic::SetCellBoolean>("CellBoolean", pkBoolean),
    EnumProp(Prop<&TCellGraphic::CellCheckBoxState, &TCellGraphic::SetCellCheckBoxState>("CellCheckBoxState",
                                                                                         pkEnum),
             CheckBoxStateNames),
    Prop<&TCellGraphic::CellAngle, &TCellGraphic::SetCellAngle>("CellAngle", pkInteger),
    Prop<&TCellGraphic::CellValue, &TCellGraphic::SetCellValue>("CellValue", pkDouble),
    Prop<&TCellGraphic::CellErrFrom, &TCellGraphic::SetCellErrFrom>("CellErrFrom", pkInteger),
    Prop<&TCellGraphic::CellErrLen, &TCellGraphic::SetCellErrLen>("CellErrLen", pkInteger),
    Prop<&TCellGraphic::CellText, &TCellGraphic::SetCellText>("CellText", pkString, Def(0)),
};
const TPropTable CellGraphicTable = Table("TCellGraphic", CellGraphicProps);

const TPropInfo FilePictureProps[] = {
    {"Filename", pkString,
     [](const void* o, TPropValue& v) { v.Str = static_cast<const TFilePicture*>(o)->Filename(); },
     [](void* o, const TPropValue& v) {
         // A file that is gone or unreadable here keeps its name (drawn as nothing, like a file that
         // goes away later).
         try {
             static_cast<TFilePicture*>(o)->SetFilename(v.Str);
         } catch (const EInOutError&) {
         } catch (const EInvalidGraphic&) {
         }
     },
     true, 0},
};
const TPropTable FilePictureTable = Table("TFilePicture", FilePictureProps);

} // namespace

// ---- Record classes -------------------------------------------------------------------------------------

const TPropTable& TGridPropIO::Published() const
{
    static const TPropInfo props[] = {
        Field<&TGridPropIO::ColCount>("ColCount", pkInteger),
        Field<&TGridPropIO::RowCount>("RowCount", pkInteger),
        Field<&TGridPropIO::ColWidths>("ColWidths", pkString, Def(0)),
        Field<&TGridPropIO::RowHeights>("RowHeights", pkString, Def(0)),
        Field<&TGridPropIO::FullGrid>("FullGrid", pkBoolean),
        Field<&TGridPropIO::ID>("ID", pkInteger),
    };
    static const TPropTable table = Table("TGridPropIO", props);
    return table;
}

const TPropTable& TGridCellIO::Published() const
{
    static const TPropInfo props[] = {
        Field<&TGridCellIO::Col>("Col", pkInteger),
        Field<&TGridCellIO::Row>("Row", pkInteger),
        Field<&TGridCellIO::Cell>("Cell", pkString, Def(0)),
        Field<&TGridCellIO::HasProp>("HasProp", pkBoolean),
    };
    static const TPropTable table = Table("TGridCellIO", props);
    return table;
}

TGridCellPropIO::TGridCellPropIO(TBaseGrid* AGrid)
    : TStreamComponent(AGrid), FCellProperties(std::make_unique<TCellProperties>(AGrid, 0, 0))
{
}

const TPropTable& TGridCellPropIO::Published() const
{
    static const TPropInfo props[] = {
        {"CellProperties", pkObject, nullptr, nullptr, false, 0, nullptr, 0, &CellPropsTable,
         [](const void* o) -> void* { return static_cast<const TGridCellPropIO*>(o)->CellProperties(); }},
        Field<&TGridCellPropIO::HasGraphic>("HasGraphic", pkBoolean),
    };
    static const TPropTable table = Table("TGridCellPropIO", props);
    return table;
}

TGridGraphicIO::TGridGraphicIO(TComponent* AOwner)
    : TStreamComponent(AOwner), FCellGraphic(std::make_unique<TCellGraphic>())
{
}

const TPropTable& TGridGraphicIO::Published() const
{
    static const TPropInfo props[] = {
        {"CellGraphic", pkObject, nullptr, nullptr, false, 0, nullptr, 0, &CellGraphicTable,
         [](const void* o) -> void* { return static_cast<const TGridGraphicIO*>(o)->CellGraphic(); }},
    };
    static const TPropTable table = Table("TGridGraphicIO", props);
    return table;
}

void TGridGraphicIO::CopyFrom(const TCellGraphic* Source)
{
    FCellGraphic->Assign(Source);
    FCellGraphic->SetCellCheckBoxState(Source->CellCheckBoxState());
}

void TGridGraphicIO::CopyTo(TCellGraphic* Dest) const
{
    Dest->Assign(FCellGraphic.get());
    Dest->SetCellCheckBoxState(FCellGraphic->CellCheckBoxState());
}

TGridBMPIO::TGridBMPIO(TComponent* AOwner) : TStreamComponent(AOwner), FBitmap(std::make_unique<TBitmap>()) {}

const TPropTable& TGridBMPIO::Published() const
{
    static const TPropInfo props[] = {
        {"Bitmap", pkBinary,
         [](const void* o, TPropValue& v) {
             const TBitmap* b = static_cast<const TGridBMPIO*>(o)->Bitmap();
             v.Bytes = b->Empty() ? QByteArray() : PngBytes(b->Image());
         },
         [](void* o, const TPropValue& v) {
             static_cast<TGridBMPIO*>(o)->Bitmap()->Assign(FromPng(v.Bytes));
         }},
    };
    static const TPropTable table = Table("TGridBMPIO", props);
    return table;
}

TGridIconIO::TGridIconIO(TComponent* AOwner) : TStreamComponent(AOwner), FIcon(std::make_unique<TIcon>()) {}

const TPropTable& TGridIconIO::Published() const
{
    static const TPropInfo props[] = {
        {"Icon", pkBinary,
         [](const void* o, TPropValue& v) {
             const TIcon* i = static_cast<const TGridIconIO*>(o)->Icon();
             v.Bytes = i->Empty() ? QByteArray() : PngBytes(i->Pixmap().toImage());
         },
         [](void* o, const TPropValue& v) {
             static_cast<TGridIconIO*>(o)->Icon()->Assign(QPixmap::fromImage(FromPng(v.Bytes)));
         }},
    };
    static const TPropTable table = Table("TGridIconIO", props);
    return table;
}

TGridPicIO::TGridPicIO(TComponent* AOwner) : TStreamComponent(AOwner), FPicture(std::make_unique<TPicture>())
{
}

// The format name (length byte + text), then the bytes the picture was loaded from; a picture that
// was drawn rather than loaded goes as PNG.
const TPropTable& TGridPicIO::Published() const
{
    static const TPropInfo props[] = {
        {"Picture", pkBinary,
         [](const void* o, TPropValue& v) {
             TPicture* p = static_cast<const TGridPicIO*>(o)->Picture();
             v.Bytes.clear();
             if (p->Empty())
                 return;
             const bool original = !PictureSourceData(p).isEmpty();
             const QByteArray format = original ? p->Format().toLatin1().left(255) : QByteArray("png");
             v.Bytes.append(char(format.size()));
             v.Bytes.append(format);
             v.Bytes.append(original ? PictureSourceData(p) : PngBytes(p->Bitmap()->Image()));
         },
         [](void* o, const TPropValue& v) {
             TPicture* p = static_cast<TGridPicIO*>(o)->Picture();
             if (v.Bytes.isEmpty()) {
                 p->Clear();
                 return;
             }
             const int n = uint8_t(v.Bytes[0]);
             if (v.Bytes.size() < 1 + n)
                 throw EReadError("Invalid property value");
             try {
                 p->LoadFromData(v.Bytes.mid(1 + n));
             } catch (const EInvalidGraphic&) {
                 throw EReadError("Invalid property value");
             }
         }},
    };
    static const TPropTable table = Table("TGridPicIO", props);
    return table;
}

TGridFilePicIO::TGridFilePicIO(TComponent* AOwner)
    : TStreamComponent(AOwner), FPicture(std::make_unique<TFilePicture>())
{
}

const TPropTable& TGridFilePicIO::Published() const
{
    static const TPropInfo props[] = {
        {"Picture", pkObject, nullptr, nullptr, false, 0, nullptr, 0, &FilePictureTable,
         [](const void* o) -> void* { return static_cast<const TGridFilePicIO*>(o)->Picture(); }},
    };
    static const TPropTable table = Table("TGridFilePicIO", props);
    return table;
}

TGridSLIO::TGridSLIO(TComponent* AOwner) : TStreamComponent(AOwner), FStrings(std::make_unique<TStringList>())
{
}

const TPropTable& TGridSLIO::Published() const
{
    static const TPropInfo props[] = {
        {"Strings", pkStrings,
         [](const void* o, TPropValue& v) {
             v.Lines = static_cast<const TGridSLIO*>(o)->Strings()->ToStringList();
         },
         [](void* o, const TPropValue& v) {
             TStringList* s = static_cast<TGridSLIO*>(o)->Strings();
             s->Clear();
             s->AddStrings(v.Lines);
         },
         true, 0},
    };
    static const TPropTable table = Table("TGridSLIO", props);
    return table;
}

void RegisterGridStreamClasses()
{
    static const bool done = [] {
        TGridPropIO p(nullptr);
        TGridCellIO c(nullptr);
        TGridGraphicIO g(nullptr);
        TGridBMPIO b(nullptr);
        TGridIconIO i(nullptr);
        TGridPicIO pic(nullptr);
        TGridFilePicIO fp(nullptr);
        TGridSLIO sl(nullptr);
        for (const TStreamComponent* s :
             std::initializer_list<const TStreamComponent*>{&p, &c, &g, &b, &i, &pic, &fp, &sl})
            RegisterStreamClass(s->Published());
        static const TPropTable propsTable = {"TGridCellPropIO", nullptr, 0};
        RegisterStreamClass(propsTable);
        return true;
    }();
    (void)done;
}
