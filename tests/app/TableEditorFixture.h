// The fixture of every table editor's tests (app/UTableEditor.h): English texts, an open project in
// a temporary folder with the File_ paths set, the recording interaction service and one editor of
// class F. Helpers show the editor and drive it from inside its modal loop, write and read rows,
// read a saved file as an ordered tree, and check the texts after a marker-language Set_Lang.
// Tests of any folder include it as "app/TableEditorFixture.h".
#pragma once

#include "app/UGlobals.h"
#include "app/ULang.h"
#include "app/UTableEditor.h"
#include "common/FormTestSupport.h"
#include "common/TestSupport.h"
#include "grid/core/ExtCGrid.h"
#include "platform/controls/ComCtrls.h"
#include "platform/core/Xml.h"

#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace tableeditortest
{

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

// A saved file as lines, one per element in document order, indented two blanks per level, each
// with its attributes in their order: `row Group_Name="Drive" Num_Variables="4"`.
inline QStringList Xml_Tree(const QString& path)
{
    TXmlDocument doc;
    doc.LoadFromFile(path);
    QStringList lines;
    std::function<void(const TXmlElement&, int)> walk = [&](const TXmlElement& e, int depth) {
        QString line = QString(depth * 2, ' ') + e.NodeName();
        for (const QString& a : e.AttributeNames())
            line += QString(" %1=\"%2\"").arg(a, e.Attribute(a));
        lines << line;
        for (const TXmlElement& child : e.Children())
            walk(child, depth + 1);
    };
    walk(doc.Root(), 0);
    return lines;
}

// Every text n of the table becomes "#n".
inline void Set_Marker_Texts()
{
    for (int n = 0; n < Lang_Table_Capacity; ++n)
        Set_Lang_Text(n, "#" + QString::number(n));
}

inline QString Marker(int n)
{
    return "#" + QString::number(n);
}

// After Set_Marker_Texts and Set_Lang: each text of the frame shows the index the editor's description gives.
inline void Expect_Marker_Texts(TTableEditor& form)
{
    const TEditorSpec& spec = form.Spec();
    EXPECT_EQ(form.Caption(), Marker(spec.Caption));
    EXPECT_EQ(form.L_SW_Desc->Caption(), Marker(spec.Desc));
    TFadeButton* buttons[] = {form.Btn_OK,     form.Btn_Cancel,  form.Btn_DelRow,
                              form.Btn_InsRow, form.Btn_CopyRow, form.Btn_PasteRow};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(buttons[i]->Name().toStdString());
        if (spec.Buttons[i].Caption >= 0) {
            EXPECT_EQ(buttons[i]->Caption(), Marker(spec.Buttons[i].Caption));
        } else {
            EXPECT_EQ(buttons[i]->Caption(), QString::fromUtf8(spec.Buttons[i].Fixed));
        }
        EXPECT_EQ(buttons[i]->Hint(), Marker(spec.Buttons[i].Hint));
        EXPECT_EQ(buttons[i]->ShowHint(), spec.Buttons[i].Show_Hint);
    }
    for (int t = 0; t < form.Table_Count(); ++t) {
        const TTableEditor::TTableView& view = form.Table(t);
        SCOPED_TRACE(view.Spec->Grid_Name);
        if (view.Tab) {
            EXPECT_EQ(view.Tab->Caption(), Marker(view.Spec->Tab_Caption));
        }
        QStringList hints;
        bool any_hint = false;
        for (int c = 0; c < int(view.Spec->Columns.size()); ++c) {
            const TEditorColumn& col = view.Spec->Columns[size_t(c)];
            if (col.Header >= 0) {
                EXPECT_EQ(view.Grid->Columns()->Items(c)->Header(), Marker(col.Header)) << "column " << c;
                EXPECT_EQ(view.Grid->Cells(c, 0), Marker(col.Header)) << "column " << c;
            }
            if (c > 0) {
                hints << (col.Hint >= 0 ? Marker(col.Hint) : QString());
                any_hint = any_hint || col.Hint >= 0;
            }
        }
        EXPECT_EQ(view.Hints, any_hint ? hints : QStringList());
    }
}

template <class F> class TableEditorFixture : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        Reset_Globals();
        Set_English_Texts();
        Set_Identity_Texts();
        Active_Project_Name = "P";
        Active_Project_Dir = project.path();
        Set_Files();
        form = std::make_unique<F>(nullptr);
    }
    void TearDown() override
    {
        form.reset();
        Reset_Globals();
        Clear_Lang_Table();
    }

    // Shows the editor (which loads its file) and runs `script` inside it; an editor the script left
    // open is cancelled. Returns the modal result.
    TModalResult Show(const std::function<void()>& script)
    {
        return formtest::RunModal(*form, [&] {
            script();
            if (form->ModalResult() == mrNone)
                form->SetModalResult(mrCancel);
        });
    }
    // Shows the editor as the main window's button does, where the toolkit's dispatch guard reports
    // what escapes. True when the editor opened.
    bool Show_Guarded()
    {
        bool opened = false;
        QTimer::singleShot(0, [&] {
            opened = form->Modal();
            if (opened)
                form->SetModalResult(mrCancel);
        });
        GuardedDispatch([&] { form->ShowModal(); });
        formtest::Pump();
        return opened;
    }

    static void Click(TControl* control)
    {
        QTest::mouseClick(control->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
    }
    // The tab of table t made active as a click on it does.
    void Select_Tab(int t)
    {
        form->PageControl1->SetActivePage(form->Table(t).Tab);
        formtest::Pump();
    }

    // Real columns 1, 2, ... of row r get `texts` (hidden columns included).
    static void Write_Row(TExtStringGrid* grid, int r, const QStringList& texts)
    {
        for (int i = 0; i < texts.size(); ++i)
            grid->SetCells(i + 1, r, texts[i]);
    }
    // The texts of real columns 1 .. T - 1 of row r.
    static QStringList Row_Texts(TExtStringGrid* grid, int r)
    {
        QStringList out;
        for (int c = 1; c < grid->ColCount() + grid->NumHiddenColumns(); ++c)
            out << grid->Cells(c, r);
        return out;
    }
    QStringList Message_Texts()
    {
        QStringList out;
        for (const TMessageRequest& m : answers->Messages)
            out << m.Text;
        return out;
    }
    static void Write_File(const QString& path, const QByteArray& xml) { testsupport::writeBytes(path, xml); }

    testsupport::TempDir project;
    TScopedInteraction answers;
    std::unique_ptr<F> form;
};

} // namespace tableeditortest
