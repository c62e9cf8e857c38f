// The component stream: record bytes, defaults left out, nested names, reading back and errors.
#include "platform/core/ComponentStream.h"

#include <gtest/gtest.h>

namespace
{

const char* const ShapeNames[] = {"shCircle", "shSquare", "shStar"};
const char* const StyleNames[] = {"fsBold", "fsItalic"};

struct TInner {
    int Size = 0;
};

const TPropInfo InnerProps[] = {
    {"Size", pkInteger, [](const void* o, TPropValue& v) { v.Int = static_cast<const TInner*>(o)->Size; },
     [](void* o, const TPropValue& v) { static_cast<TInner*>(o)->Size = int(v.Int); }, true, 0},
};
const TPropTable InnerTable = {"TInner", InnerProps, 1};

// One property of every kind, with and without defaults.
class TSample : public TStreamComponent
{
  public:
    using TStreamComponent::TStreamComponent;
    int Count = 0;     // no default: always written
    int Span = -1;     // default -1
    bool Flag = false; // no default
    QString Text;      // empty left out
    int Shape = 0;     // enumeration, default shCircle
    int Styles = 0;    // set, default empty
    QByteArray Data;   // empty left out
    QStringList Lines; // empty left out
    double Value = 0;  // no default
    TInner Inner;

    const TPropTable& Published() const override
    {
        static const TPropInfo props[] = {
            {"Count", pkInteger, [](const void* o, TPropValue& v) { v.Int = S(o)->Count; },
             [](void* o, const TPropValue& v) { M(o)->Count = int(v.Int); }},
            {"Span", pkInteger, [](const void* o, TPropValue& v) { v.Int = S(o)->Span; },
             [](void* o, const TPropValue& v) { M(o)->Span = int(v.Int); }, true, -1},
            {"Flag", pkBoolean, [](const void* o, TPropValue& v) { v.Int = S(o)->Flag; },
             [](void* o, const TPropValue& v) { M(o)->Flag = v.Int != 0; }},
            {"Text", pkString, [](const void* o, TPropValue& v) { v.Str = S(o)->Text; },
             [](void* o, const TPropValue& v) { M(o)->Text = v.Str; }, true, 0},
            {"Shape", pkEnum, [](const void* o, TPropValue& v) { v.Int = S(o)->Shape; },
             [](void* o, const TPropValue& v) { M(o)->Shape = int(v.Int); }, true, 0, ShapeNames, 3},
            {"Styles", pkSet, [](const void* o, TPropValue& v) { v.Int = S(o)->Styles; },
             [](void* o, const TPropValue& v) { M(o)->Styles = int(v.Int); }, true, 0, StyleNames, 2},
            {"Data", pkBinary, [](const void* o, TPropValue& v) { v.Bytes = S(o)->Data; },
             [](void* o, const TPropValue& v) { M(o)->Data = v.Bytes; }, true, 0},
            {"Lines", pkStrings, [](const void* o, TPropValue& v) { v.Lines = S(o)->Lines; },
             [](void* o, const TPropValue& v) { M(o)->Lines = v.Lines; }, true, 0},
            {"Value", pkDouble, [](const void* o, TPropValue& v) { v.Float = S(o)->Value; },
             [](void* o, const TPropValue& v) { M(o)->Value = v.Float; }},
            {"Inner", pkObject, nullptr, nullptr, false, 0, nullptr, 0, &InnerTable,
             [](const void* o) -> void* { return &const_cast<TSample*>(S(o))->Inner; }},
        };
        static const TPropTable table = {"TSample", props, int(std::size(props))};
        return table;
    }

  private:
    static const TSample* S(const void* o) { return static_cast<const TSample*>(o); }
    static TSample* M(void* o) { return static_cast<TSample*>(o); }
};

QByteArray Short(const char* s)
{
    return QByteArray(1, char(std::strlen(s))) + s;
}

} // namespace

TEST(ComponentStream, DefaultsAreLeftOutAndTheRestIsWrittenByteByByte)
{
    TSample s(nullptr);
    s.Count = 300;
    const QByteArray expected = QByteArray("TPF0") + Short("TSample") + '\0' +        //
                                Short("Count") + '\x03' + QByteArray("\x2C\x01", 2) + // Int16 300
                                Short("Flag") + '\x08' +                              // False
                                Short("Value") + '\x15' + QByteArray(8, '\0') +       // Double 0
                                QByteArray(2, '\0');
    EXPECT_EQ(TComponentWriter::RecordBytes(s), expected);
}

TEST(ComponentStream, EveryKindRoundTripsAndNestedNamesAreDotted)
{
    TSample s(nullptr);
    s.Count = -70000;
    s.Span = 3;
    s.Flag = true;
    s.Text = QString::fromUtf8("Grüße");
    s.Shape = 2;
    s.Styles = 3;
    s.Data = QByteArray("\x00\xFF\x10", 3);
    s.Lines = {"3", "5"};
    s.Value = 2.5;
    s.Inner.Size = 12;
    const QByteArray bytes = TComponentWriter::RecordBytes(s);
    EXPECT_TRUE(bytes.contains(Short("Inner.Size") + '\x02' + '\x0C'));
    EXPECT_TRUE(bytes.contains(Short("Shape") + '\x07' + Short("shStar")));
    EXPECT_TRUE(bytes.contains(Short("Styles") + '\x0B' + Short("fsBold") + Short("fsItalic") + '\0'));
    EXPECT_TRUE(bytes.contains(Short("Count") + '\x04' + QByteArray("\x90\xEE\xFE\xFF", 4)));

    RegisterStreamClass(s.Published());
    TMemoryStream ms;
    ms.WriteBuffer(bytes.constData(), bytes.size());
    ms.WriteBuffer("xy", 2);
    ms.SetPosition(0);
    TSample t(nullptr);
    {
        TComponentReader r(&ms);
        r.ReadComponent(t);
        EXPECT_EQ(r.Remaining(), 2);
    }
    EXPECT_EQ(ms.Position(), bytes.size()); // the stream follows the records read
    EXPECT_EQ(t.Count, -70000);
    EXPECT_EQ(t.Span, 3);
    EXPECT_TRUE(t.Flag);
    EXPECT_EQ(t.Text, s.Text);
    EXPECT_EQ(t.Shape, 2);
    EXPECT_EQ(t.Styles, 3);
    EXPECT_EQ(t.Data, s.Data);
    EXPECT_EQ(t.Lines, s.Lines);
    EXPECT_EQ(t.Value, 2.5);
    EXPECT_EQ(t.Inner.Size, 12);
}

TEST(ComponentStream, AbsentPropertiesKeepTheTargetsValues)
{
    TSample s(nullptr);
    TSample t(nullptr);
    t.Span = 7;
    t.Text = "kept";
    TMemoryStream ms;
    TComponentWriter(&ms).WriteComponent(s);
    ms.SetPosition(0);
    TComponentReader(&ms).ReadComponent(t);
    EXPECT_EQ(t.Span, 7);
    EXPECT_EQ(t.Text, "kept");
}

TEST(ComponentStream, BadStreamsRaiseReadErrors)
{
    TSample s(nullptr);
    RegisterStreamClass(s.Published());
    const QByteArray good = TComponentWriter::RecordBytes(s);
    QByteArray unknownProp = good;
    unknownProp.replace(Short("Count"), Short("Cxunt"));
    const struct {
        QByteArray Bytes;
        QString Message;
    } cases[] = {
        {"XXXX", "Invalid stream format"},
        {good.left(good.size() - 3), "Invalid stream format"},
        {QByteArray("TPF0") + Short("TNoSuch") + '\0' + QByteArray(2, '\0'), "Class TNoSuch not found"},
        {unknownProp, "Property Cxunt does not exist"},
    };
    for (const auto& c : cases) {
        TMemoryStream ms;
        ms.WriteBuffer(c.Bytes.constData(), c.Bytes.size());
        ms.SetPosition(0);
        TSample t(nullptr);
        try {
            TComponentReader(&ms).ReadComponent(t);
            ADD_FAILURE() << "no error for " << c.Message.toStdString();
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message, c.Message);
        }
    }
}
