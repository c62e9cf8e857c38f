#include "platform/controls/RichEdit.h"
#include "platform/controls/Forms.h"
#include "platform/controls/RichEditStream.h"

#include <QTextBlock>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace
{

QString PlainOf(const QByteArray& rtf)
{
    QTextDocument doc;
    ReadRTF(rtf, &doc);
    return doc.toPlainText();
}

// The format of the character at Pos (0-based).
QTextCharFormat CharAt(QTextDocument* doc, int Pos)
{
    QTextCursor c(doc);
    c.setPosition(Pos + 1);
    return c.charFormat();
}

void LoadRtf(TRichEdit& edit, const QByteArray& rtf)
{
    TMemoryStream s;
    s.WriteBuffer(rtf.constData(), rtf.size());
    s.SetPosition(0);
    edit.LoadFromStream(&s);
}

QByteArray SaveRtf(TRichEdit& edit)
{
    TMemoryStream s;
    edit.SaveToStream(&s);
    return s.Bytes();
}

struct TReadCase {
    const char* Rtf;
    const char* Plain; // UTF-8
};

TEST(RichEditStream, ReadsTheSubsetAndSkipsWhatItDoesNotKnow)
{
    const TReadCase cases[] = {
        {R"({\rtf1\ansi\deff0{\fonttbl{\f0\fswiss Arial;}}\f0\fs20 Hello\par World\par})", "Hello\nWorld"},
        {R"({\rtf1 a\'e9\'80b})", "a\xC3\xA9\xE2\x82\xAC"
                                  "b"},
        {R"({\rtf1 \u937?\uc2\u8364xy z})", "\xCE\xA9\xE2\x82\xAC z"},
        {R"({\rtf1 \u-4064?})", "\xEF\x80\xA0"},
        {R"({\rtf1 x\\y\{z\}})", "x\\y{z}"},
        {R"({\rtf1 a\tab b\line c})", "a\tb\nc"},
        {R"({\rtf1 {\*\generator Something;}{\info{\author me}}{\stylesheet{\s0 Normal;}}\foo42 \bar text})",
         "text"},
        {R"({\rtf1 a\par\par b\par\par})", "a\n\nb\n"},
        // Malformed: unbalanced braces, truncated escapes, a lone backslash at the end.
        {R"({\rtf1 a}}}b{)", "ab"},
        {R"({\rtf1 x\'4)", "x"},
        {R"({\rtf1 x\u)", "x"},
        {R"({\rtf1 x\)", "x"},
        {"plain text", "plain text"},
        {"", ""},
    };
    for (const TReadCase& c : cases)
        EXPECT_EQ(PlainOf(c.Rtf), QString::fromUtf8(c.Plain)) << c.Rtf;
}

TEST(RichEditStream, DeepNestingReadsWithoutRecursion)
{
    QByteArray open(100000, '{');
    QByteArray rtf = "{\\rtf1 " + open + "deep" + QByteArray(100000, '}') + " end}";
    EXPECT_EQ(PlainOf(rtf), QStringLiteral("deep end"));
    // Never closed at all.
    EXPECT_EQ(PlainOf("{\\rtf1 " + open + "\\b open"), QStringLiteral("open"));
}

TEST(RichEditStream, CharacterAttributesAndOffsets)
{
    QTextDocument doc;
    ReadRTF(R"({\rtf1{\fonttbl{\f0 Arial;}{\f1 Courier New;}}{\colortbl ;\red255\green0\blue0;})"
            R"(\f1\fs30\b\i\ul\strike\cf1 A\plain B\up4 C\dn4 D\nosupersub\super E\sub F\pard\qc G})",
            &doc);
    ASSERT_EQ(doc.toPlainText(), QStringLiteral("ABCDEFG"));
    const QTextCharFormat a = CharAt(&doc, 0);
    EXPECT_EQ(a.fontFamilies().toStringList(), QStringList{QStringLiteral("Courier New")});
    EXPECT_DOUBLE_EQ(a.fontPointSize(), 15.0);
    EXPECT_EQ(a.fontWeight(), QFont::Bold);
    EXPECT_TRUE(a.fontItalic());
    EXPECT_TRUE(a.fontUnderline());
    EXPECT_TRUE(a.fontStrikeOut());
    EXPECT_EQ(a.foreground().color(), QColor(255, 0, 0));
    const QTextCharFormat b = CharAt(&doc, 1);
    EXPECT_NE(b.fontWeight(), QFont::Bold);
    EXPECT_FALSE(b.hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_EQ(b.fontFamilies().toStringList(), QStringList{QStringLiteral("Arial")}); // \deff0
    EXPECT_EQ(CharAt(&doc, 2).intProperty(RichOffsetProperty), 40);
    EXPECT_EQ(CharAt(&doc, 2).verticalAlignment(), QTextCharFormat::AlignSuperScript);
    EXPECT_EQ(CharAt(&doc, 3).intProperty(RichOffsetProperty), -40);
    EXPECT_EQ(CharAt(&doc, 4).verticalAlignment(), QTextCharFormat::AlignSuperScript);
    EXPECT_EQ(CharAt(&doc, 4).intProperty(RichOffsetProperty), 0);
    EXPECT_EQ(CharAt(&doc, 5).verticalAlignment(), QTextCharFormat::AlignSubScript);
    EXPECT_EQ(doc.begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
}

TEST(RichEditStream, WriterIsSevenBitAndReadsBack)
{
    QTextDocument doc;
    doc.setPlainText(QString::fromUtf8("caf\xC3\xA9 \xE2\x82\xAC \xCE\xA9 {x}\\y\tz"));
    QTextCursor c(&doc);
    c.insertBlock();
    c.insertText(QStringLiteral("second"));
    const QByteArray rtf = WriteRTF(&doc);
    for (const char ch : rtf)
        ASSERT_LT(uint8_t(ch), 0x80) << rtf.constData();
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl"));
    EXPECT_TRUE(rtf.contains("caf\\'e9 \\'80 \\u937? \\{x\\}\\\\y\\tab z")) << rtf.constData();
    EXPECT_EQ(PlainOf(rtf), doc.toPlainText());
}

TEST(RichEdit, SelectionAttributesSurviveSaveAndLoad)
{
    TRichEdit edit(nullptr);
    edit.SetText(QStringLiteral("x2 plain\r\nnext"));
    EXPECT_EQ(edit.Lines->Count(), 2);
    EXPECT_EQ(edit.Text(), QStringLiteral("x2 plain\r\nnext"));
    edit.SetSelStart(1);
    edit.SetSelLength(1);
    edit.SelAttributes->SetOffset(40);
    edit.SelAttributes->SetStyle(fsBold | fsItalic);
    edit.SelAttributes->SetColor(TColor(0x0000FF));
    edit.SelAttributes->SetSize(14);
    edit.SelAttributes->SetName(QStringLiteral("Courier New"));
    EXPECT_EQ(edit.SelAttributes->Offset(), 40);

    TRichEdit copy(nullptr);
    LoadRtf(copy, SaveRtf(edit));
    EXPECT_EQ(copy.Text(), edit.Text());
    copy.SetSelStart(1);
    copy.SetSelLength(1);
    EXPECT_EQ(copy.SelAttributes->Offset(), 40);
    EXPECT_EQ(copy.SelAttributes->Style(), fsBold | fsItalic);
    EXPECT_EQ(copy.SelAttributes->Color(), TColor(0x0000FF));
    EXPECT_EQ(copy.SelAttributes->Size(), 14);
    EXPECT_EQ(copy.SelAttributes->Name(), QStringLiteral("Courier New"));
    copy.SetSelStart(0);
    copy.SetSelLength(1);
    EXPECT_EQ(copy.SelAttributes->Offset(), 0);
    EXPECT_EQ(copy.SelAttributes->Style(), TFontStyles(0));
}

TEST(RichEdit, PlainTextLoadsAndSavesWindows1252)
{
    TRichEdit edit(nullptr);
    edit.PlainText = true;
    LoadRtf(edit, QByteArray("{\\rtf1 not parsed}\r\ncaf\xE9"));
    EXPECT_EQ(edit.Lines->Strings(0), QStringLiteral("{\\rtf1 not parsed}"));
    EXPECT_EQ(edit.Lines->Strings(1), QString::fromUtf8("caf\xC3\xA9"));
    EXPECT_EQ(SaveRtf(edit), QByteArray("{\\rtf1 not parsed}\r\ncaf\xE9"));
}

// Records the resize requests.
class TRequestProbe : public TRichEdit
{
  public:
    using TRichEdit::TRichEdit;
    std::vector<TRect> Requests;

  protected:
    void RequestResize(const TRect& Rect) override { Requests.push_back(Rect); }
};

TEST(RichEdit, EveryChangeRequestsTheSizeOfTheContent)
{
    TForm form(nullptr);
    TRequestProbe edit(&form);
    edit.SetParent(&form);
    edit.SetBounds(0, 0, 120, 20);
    int changes = 0;
    edit.OnChange = [&](TObject*) { ++changes; };
    LoadRtf(edit, "{\\rtf1 one}");
    EXPECT_EQ(changes, 1);
    ASSERT_FALSE(edit.Requests.empty());
    const int oneLine = edit.Requests.back().Height();
    EXPECT_GT(oneLine, 0);
    LoadRtf(edit, "{\\rtf1 one\\par two\\par three}");
    ASSERT_GE(edit.Requests.size(), 2u);
    EXPECT_GT(edit.Requests.back().Height(), 2 * oneLine);
}

} // namespace
