// The toolkit clipboard over the test process's Qt clipboard: formats set between Open and Close go
// together, the MIME forms other programs see, and reading them back.
#include "platform/controls/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <cstring>
#include <gtest/gtest.h>

namespace
{

const QString NamedMime(const QString& name)
{
    return QStringLiteral("application/x-qt-windows-mime;value=\"") + name + '"';
}

HGLOBAL Block(const QByteArray& bytes)
{
    HGLOBAL b = GlobalAlloc(GMEM_MOVEABLE, size_t(bytes.size()));
    std::memcpy(GlobalLock(b), bytes.constData(), size_t(bytes.size()));
    GlobalUnlock(b);
    return b;
}

QByteArray Take(HGLOBAL b)
{
    QByteArray bytes(static_cast<const char*>(GlobalLock(b)), qsizetype(GlobalSize(b)));
    GlobalUnlock(b);
    GlobalFree(b);
    return bytes;
}

const QMimeData* System()
{
    return QGuiApplication::clipboard()->mimeData();
}

} // namespace

TEST(Clipboard, FormatsSetInsideOpenArriveTogetherAtTheOutermostClose)
{
    QGuiApplication::clipboard()->setText("before");
    const UINT cells = RegisterClipboardFormat("TExtStringGrid Cells");
    EXPECT_EQ(RegisterClipboardFormat("textstringgrid cells"), cells);

    Clipboard()->Open();
    Clipboard()->Open();
    Clipboard()->Clear();
    Clipboard()->SetAsText("a\tb");
    Clipboard()->SetAsHandle(cells, Block(QByteArray("\x01\x00\x02", 3)));
    Clipboard()->Close();
    EXPECT_EQ(Clipboard()->AsText(), "before"); // still inside the outer Open
    Clipboard()->Close();

    EXPECT_EQ(Clipboard()->AsText(), "a\tb");
    EXPECT_EQ(System()->text(), "a\tb");
    ASSERT_TRUE(Clipboard()->HasFormat(cells));
    EXPECT_EQ(System()->data(NamedMime("TExtStringGrid Cells")), QByteArray("\x01\x00\x02", 3));
    EXPECT_EQ(Take(Clipboard()->GetAsHandle(cells)), QByteArray("\x01\x00\x02", 3));
    EXPECT_EQ(Take(Clipboard()->GetAsHandle(CF_UNICODETEXT)), QByteArray("a\0\t\0b\0\0\0", 8));

    Clipboard()->Clear();
    EXPECT_FALSE(Clipboard()->HasFormat(cells));
    EXPECT_EQ(Clipboard()->GetAsHandle(cells), nullptr);
    EXPECT_TRUE(Clipboard()->AsText().isEmpty());
}

TEST(Clipboard, RichTextAndHtmlAlsoGoOutInTheFormsOtherProgramsRead)
{
    // The grid's RTF block: zero-terminated 16-bit characters.
    const QByteArray rtf16("{\0\\\0r\0t\0f\0"
                           "1\0 \0x\0}\0\0\0",
                           20);
    Clipboard()->SetAsHandle(CF_RICHTEXTFORMAT(), Block(rtf16));
    EXPECT_EQ(System()->data("text/rtf"), QByteArray("{\\rtf1 x}"));
    EXPECT_EQ(Take(Clipboard()->GetAsHandle(CF_RICHTEXTFORMAT())), rtf16);

    // Another program's RTF is 8-bit: the read widens it to the grid's form.
    auto* foreign = new QMimeData;
    foreign->setData("text/rtf", QByteArray("{\\rtf1 x}"));
    QGuiApplication::clipboard()->setMimeData(foreign);
    EXPECT_TRUE(Clipboard()->HasFormat(CF_RICHTEXTFORMAT()));
    EXPECT_EQ(Take(Clipboard()->GetAsHandle(CF_RICHTEXTFORMAT())), rtf16);

    QString envelope = "<table><tr><td>1</td></tr></table>";
    const QByteArray head = "Version:1.0\r\nStartHTML:00000033\r\n";
    const QByteArray html = head + "<html>" + envelope.toLatin1() + "</html>";
    Clipboard()->SetAsHandle(CF_HTMLFORMAT(), Block(html));
    EXPECT_EQ(System()->data(NamedMime("HTML Format")), html);
    EXPECT_EQ(System()->data("text/html"), html.mid(head.size())); // from StartHTML on
}
