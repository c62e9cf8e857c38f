// What the main-road test drives and reads besides the shell harness: keys and clicks on the cells of
// the table editors (a typed cell, a pick in a cell's drop-down list, a check-box cell), keys into
// the form edits and combo boxes, and the files read back as a user's tools would read them.
#pragma once

#include "common/FormTestSupport.h"
#include "common/TestSupport.h"
#include "grid/core/ExtGrid.h"
#include "grid/edit/GridCombo.h"
#include "platform/controls/StdCtrls.h"
#include "platform/core/Xml.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCryptographicHash>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace mainroad
{

inline QPoint Centre(const TRect& r)
{
    return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

inline void Activate(TControl* form)
{
    QApplication::setActiveWindow(form->Widget()->window());
    formtest::Pump();
}

// Types into whatever has the focus, key by key, as the keyboard does.
inline void Type_To_Focus(const QString& text)
{
    for (QChar ch : text) {
        QWidget* w = QApplication::focusWidget();
        ASSERT_NE(w, nullptr) << "nothing has the focus for '" << ch.toLatin1() << "'";
        QTest::keyClick(w, ch.toLatin1());
    }
}

// Focuses the edit (which selects its text) and types over it.
inline void Type_Into(TEdit* edit, const QString& text)
{
    edit->SetFocus();
    formtest::Pump();
    ASSERT_TRUE(edit->Focused()) << edit->Name().toStdString();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    Type_To_Focus(text);
    EXPECT_EQ(edit->Text(), text) << edit->Name().toStdString();
}

// Picks item `index` with the arrow keys, as a user does on a focused combo box.
inline void Pick_Item(TComboBox* combo, int index)
{
    ASSERT_TRUE(combo->Enabled()) << combo->Name().toStdString();
    while (combo->ItemIndex() != index) {
        const int before = combo->ItemIndex();
        QTest::keyClick(combo->Widget(), combo->ItemIndex() < index ? Qt::Key_Down : Qt::Key_Up);
        ASSERT_NE(combo->ItemIndex(), before) << combo->Name().toStdString();
    }
}

inline void Click_Box(TCheckBox* box)
{
    const bool before = box->Checked();
    QTest::mouseClick(box->Widget(), Qt::LeftButton, {}, QPoint(6, box->Height() / 2));
    ASSERT_NE(box->Checked(), before) << box->Name().toStdString() << " did not take the click";
}

inline void Focus_Cell(TExtStringGrid* grid, int c, int r)
{
    grid->SetFocus();
    grid->FocusCell(c, r);
    formtest::Pump();
}

// Types `text` over display cell (c, r): F2 opens the editor, the typed text replaces the cell's,
// Enter ends the edit (which validates it).
inline void Type_Cell(TExtStringGrid* grid, int c, int r, const QString& text)
{
    Focus_Cell(grid, c, r);
    QTest::keyClick(grid->Widget(), Qt::Key_F2);
    formtest::Pump();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), text);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    formtest::Pump();
    EXPECT_EQ(grid->Cells(c, r), text) << "typed cell " << c << ", " << r;
}

// Opens the combo of display cell (c, r) with F2, drops its list with Alt+Down, walks the list with
// Home and Down to `item` and takes it with Enter, then ends the edit with Enter. (Typing into the
// list would search on from the letters typed less than a key interval before, in an earlier pick.)
// Fails where the real control does not do its part.
inline void Pick_Cell(TExtStringGrid* grid, int c, int r, const QString& item)
{
    Focus_Cell(grid, c, r);
    TGridCombo* combo = grid->Combobox();
    QTest::keyClick(grid->Widget(), Qt::Key_F2);
    formtest::Pump();
    ASSERT_TRUE(combo->Visible() && combo->Focused()) << "F2 opens the combo of " << c << ", " << r;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down, Qt::AltModifier);
    formtest::Pump();
    ASSERT_TRUE(combo->DroppedDown()) << "the list drops down";
    QAbstractItemView* list = combo->Combo()->view();
    const int index = combo->Items->IndexOf(item);
    ASSERT_GE(index, 0) << item.toStdString();
    QTest::keyClick(list, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(list, Qt::Key_Down);
    ASSERT_EQ(list->currentIndex().row(), index) << item.toStdString();
    QTest::keyClick(list, Qt::Key_Return);
    formtest::Pump();
    ASSERT_FALSE(combo->DroppedDown()) << "the pick closes the list";
    ASSERT_EQ(combo->Text(), item) << "the pick stays in the combo of " << c << ", " << r;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    formtest::Pump();
    EXPECT_EQ(grid->Cells(c, r), item) << "picked cell " << c << ", " << r;
}

inline void Click_Cell(TExtStringGrid* grid, int c, int r)
{
    Focus_Cell(grid, c, r);
    QTest::mouseClick(grid->Viewport(), Qt::LeftButton, {}, Centre(grid->CellRect(c, r)));
    formtest::Pump();
}

inline void Space_On_Cell(TExtStringGrid* grid, int c, int r)
{
    Focus_Cell(grid, c, r);
    QTest::keyClick(grid->Widget(), Qt::Key_Space);
    formtest::Pump();
}

// A project file as its readers take it: one line per element in document order, indented two
// blanks per level, with its attributes in their order and, for an element without children, its
// text: `row Group_Name="Status" Num_Variables="3"`, `Ethernet_IP1 = 192`.
inline QStringList Xml_Lines(const QString& path)
{
    TXmlDocument doc;
    try {
        doc.LoadFromFile(path);
    } catch (const Exception& e) {
        ADD_FAILURE() << e.Message.toStdString();
        return {};
    }
    QStringList lines;
    std::function<void(const TXmlElement&, int)> walk = [&](const TXmlElement& e, int depth) {
        QString line = QString(depth * 2, ' ') + e.NodeName();
        for (const QString& a : e.AttributeNames())
            line += QString(" %1=\"%2\"").arg(a, e.Attribute(a));
        if (!e.HasChildElements() && !e.Text().isEmpty())
            line += " = " + e.Text();
        lines << line;
        for (const TXmlElement& child : e.Children())
            walk(child, depth + 1);
    };
    walk(doc.Root(), 0);
    return lines;
}

// What follows the root element's end tag, blanks and line ends dropped.
inline QString After_Root(const QString& path, const QString& root)
{
    const QString text = QString::fromUtf8(testsupport::readBytes(path));
    const QString end = "</" + root + ">";
    const int at = text.lastIndexOf(end);
    return at < 0 ? QString("(no end tag)") : text.mid(at + end.size()).simplified();
}

inline std::string Sha256_Hex(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().toStdString();
}

// The fixture project's expected files.
inline QString Project_P(const QString& name)
{
    return testsupport::fixture("project_p/" + name);
}

constexpr int Bank1_Size = 2048;
constexpr int Bank2_Size = 49398;
constexpr const char* Bank1_Sha256 = "06acd255ffb5a21fed4e59c525136ed34bd4bc4b51d4981ab94fe8d32100f2f3";
constexpr const char* Bank2_Sha256 = "faeff672773638ca5cc2a28d65c2607ad0d1f3d830857c537b0ac0c32bad62a4";

} // namespace mainroad
