// The MQTT topic editor on a real form: its two tables with their hidden columns, the row checks
// through OK, loading and saving "MQTT_Set_Topic.xml", and the template editor opened by a double
// click with the current cell on a Template cell.
#include "app/TableEditorFixture.h"
#include "editors/network/UMQTT_Set_Topic.h"
#include "editors/network/UTopicTemplate.h"
#include "platform/controls/Splitter.h"
#include "platform/controls/StdCtrls.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <algorithm>

namespace
{

using namespace tableeditortest;
using namespace mqtttopic;

QPoint Centre(const TRect& r)
{
    return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

// A publish row that passes every check, real columns 1 .. 17.
QStringList Good_Pub()
{
    return {"plant/temp", "N", "0", "Int", "2", "0", "", "", "$VALUE$", "N", "", "N", "", "", "", "", "m"};
}

// A subscribe row that passes every check, real columns 1 .. 14.
QStringList Good_Sub()
{
    return {"plant/set", "", "1", "Float", "4", "10", "", "", "", "", "$VALUE$", "", "", "s"};
}

class MQTTEditor : public TableEditorFixture<TFMQTT_Set_Topic>
{
  protected:
    void SetUp() override
    {
        TableEditorFixture::SetUp();
        topic = std::make_unique<TFTopicTemplate>(nullptr);
        FTopicTemplate = topic.get();
    }
    void TearDown() override
    {
        topic.reset();
        TableEditorFixture::TearDown();
    }
    TExtColumnGrid* Pub() { return form->ACG_Pub; }
    TExtColumnGrid* Sub() { return form->ACG_Sub; }

    // The current cell of `grid` made (real column c, row r), then a double click on display cell
    // (dc, dr); `in_editor` runs once the template editor is up (it is then cancelled unless it
    // closed it). True when the editor opened.
    bool Dbl_Click(TExtColumnGrid* grid, int c, int r, int dc, int dr, const std::function<void()>& in_editor)
    {
        QApplication::setActiveWindow(form->Widget());
        grid->FocusCell(grid->RealToDisplCol(c), r);
        formtest::Pump();
        bool opened = false;
        QTimer::singleShot(0, [&] {
            opened = topic->Modal();
            if (opened)
                in_editor();
            if (topic->Modal() && topic->ModalResult() == mrNone)
                topic->SetModalResult(mrCancel);
        });
        QTest::mouseDClick(grid->Viewport(), Qt::LeftButton, {}, Centre(grid->CellRect(dc, dr)));
        formtest::Pump();
        return opened;
    }

    std::unique_ptr<TFTopicTemplate> topic;
};

TEST_F(MQTTEditor, TablesShowTheirColumnsAndHideTheOthersAtEachShow)
{
    EXPECT_EQ(form->Name(), "FMQTT_Set_Topic");
    EXPECT_EQ(form->ClientWidth(), 1100);
    EXPECT_EQ(form->ClientHeight(), 337);
    EXPECT_EQ(form->Caption(), "Set MQTT Topics");
    EXPECT_EQ(form->TS_MQTT_Publish->Caption(), "MQTT Publish");
    EXPECT_EQ(form->TS_MQTT_Subscribe->Caption(), "MQTT Subscribe");
    const struct {
        TExtColumnGrid* grid;
        std::vector<int> shown;
        int total;
        int template_col;
    } tables[] = {
        {Pub(), {0, 1, 2, 3, 4, 5, 6, 9, 10, 12, 13, 17}, 18, Pub_Template},
        {Sub(), {0, 1, 3, 4, 5, 6, 11, 14}, 15, Sub_Template},
    };
    auto expect_layout = [&] {
        for (const auto& t : tables) {
            SCOPED_TRACE(t.grid->Name().toStdString());
            EXPECT_EQ(t.grid->RowCount(), 1025);
            EXPECT_EQ(t.grid->ColCount(), int(t.shown.size()));
            EXPECT_EQ(t.grid->ColCount() + t.grid->NumHiddenColumns(), t.total);
            for (int c = 0; c < t.total; ++c) {
                const bool shown = std::find(t.shown.begin(), t.shown.end(), c) != t.shown.end();
                EXPECT_EQ(t.grid->IsHiddenColumn(c), !shown) << c;
            }
            // Hints by real column through the hidden ones.
            QString hint;
            t.grid->OnGridHint(t.grid, 0, t.grid->RealToDisplCol(t.template_col), hint);
            EXPECT_EQ(hint, "Insert the Template");
            EXPECT_EQ(t.grid->Columns()->Items(t.template_col)->Editor(), edComboEdit);
            EXPECT_EQ(t.grid->Columns()->Items(t.template_col)->ComboItems()->Strings(0), "$VALUE$");
        }
    };
    expect_layout();
    // Something left the table shorter and a column shown: the next show restores both.
    Pub()->SetRowCount(10);
    Sub()->UnHideColumn(Sub_Port);
    form->PageControl1->SetActivePage(form->TS_MQTT_Subscribe);
    Show([&] {
        expect_layout();
        EXPECT_EQ(form->PageControl1->ActivePage(), form->TS_MQTT_Publish);
        EXPECT_EQ(form->Working_Mode, 1);
        EXPECT_EQ(form->Byte_IN, 1500);
        EXPECT_EQ(form->Byte_OUT, 1500);
        EXPECT_EQ(Pub()->Cells(0, 1024), "1024");
    });
    // Showing again hides nothing more.
    Show([&] { expect_layout(); });
    const TStrings* channels = Pub()->Columns()->Items(Pub_Channel)->ComboItems();
    ASSERT_EQ(channels->Count(), 65);
    EXPECT_EQ(channels->Strings(63), "63");
    EXPECT_EQ(channels->Strings(64), "All");
    EXPECT_FALSE(Pub()->OnClickCell);
}

TEST_F(MQTTEditor, MarkerTexts)
{
    Set_Marker_Texts();
    form->Set_Lang();
    Expect_Marker_Texts(*form);
    topic->Set_Lang();
    EXPECT_EQ(topic->Caption(), "#3800");
    EXPECT_EQ(topic->L_SW_Desc->Caption(), "#3802");
    EXPECT_EQ(topic->L_List_Keywords->Caption(), "#3804");
    EXPECT_EQ(topic->ESG_Keywords->Cells(0, 0), "#3805");
    EXPECT_EQ(topic->ESG_Keywords->Cells(1, 0), "#3806");
    EXPECT_EQ(topic->Btn_OK->Caption(), "#3807");
    EXPECT_EQ(topic->Btn_Cancel->Caption(), "#3808");
}

TEST_F(MQTTEditor, RowChecksThroughOK)
{
    const struct {
        bool sub;
        int col;
        const char* text;
        const char* message; // nullptr: saved
        int col2 = 0;        // a second cell, when the case needs one
        const char* text2 = "";
    } cases[] = {
        {false, Pub_Dimension, "3",
         "Error row 1!! [MQTT Publish] Dimension must be equal to 1 or 2 or 4 or 8"},
        {false, Pub_Data_Type, "Float", "Error row 1!! [MQTT Publish] Dimension must be equal to 4 or 8"},
        {false, Pub_Data_Type, "String", "Error row 1!! [MQTT Publish] Dimension must be major of 0",
         Pub_Dimension, "0"},
        {false, Pub_Data_Type, "string", nullptr, Pub_Dimension, "16"},
        {false, Pub_Data_Type, " int ", nullptr, Pub_Dimension, "8"},
        {false, Pub_Data_Type, "", "Error row 1!! [MQTT Publish] Data Type must be selected"},
        {true, Sub_Data_Type, "Int",
         "Error row 1!! [MQTT Subscribe] Dimension must be equal to 1 or 2 or 4 or 8", Sub_Dimension, "3"},
        {true, Sub_Dimension, "2", "Error row 1!! [MQTT Subscribe] Dimension must be equal to 4 or 8"},
        {false, Pub_Template, "$VALUE",
         "Error row 1!! [MQTT Publish] Template not Correct, Check the Keywords"},
        {true, Sub_Template, "$VALUE",
         "Error row 1!! [MQTT Subscribe] Template not Correct, Check the Keywords"},
        {false, Pub_Template, "", nullptr},
        {false, Pub_Template, "$A$ and $B$", nullptr},
        // Topics are not checked.
        {false, Pub_Topic, "price/$", nullptr},
        {false, Pub_OnTimer, "Y", "Error row 1!! [MQTT Publish] Time(ms) must be between 1 and 1000000000",
         Pub_Time, "0"},
        {false, Pub_OnTimer, "Y", "Error row 1!! [MQTT Publish] Time(ms) must be between 1 and 1000000000"},
        {false, Pub_OnTimer, " y", "Error row 1!! [MQTT Publish] Time(ms) must be between 1 and 1000000000",
         Pub_Time, "1000000001"},
        {false, Pub_OnTimer, "Y", nullptr, Pub_Time, "1000000000"},
        {false, Pub_OnTimer, "N", nullptr, Pub_Time, "x"},
        {false, Pub_Position, "1499", nullptr},
        {false, Pub_Position, "1500", "Error row 1!! [MQTT Publish] Position must be beetween 0 and 1499"},
        {true, Sub_Position, "1500", "Error row 1!! [MQTT Subscribe] Position must be beetween 0 and 1499"},
        {true, Sub_Position, "-1", "Error row 1!! [MQTT Subscribe] Position must be beetween 0 and 1499"},
        // Checks of hidden columns do not run.
        {false, Pub_IP_Address, "xx", nullptr, Pub_Input_Template, "$"},
        {true, Sub_IP_Address, "xx", nullptr, Sub_Port, "70000"},
        {true, Sub_Input_Template, "$", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.sub ? "subscribe " : "publish ") + std::to_string(c.col) + " " + c.text);
        answers->Messages.clear();
        const TModalResult result = Show([&] {
            QStringList row = c.sub ? Good_Sub() : Good_Pub();
            row[c.col - 1] = c.text;
            if (c.col2)
                row[c.col2 - 1] = c.text2;
            Write_Row(c.sub ? Sub() : Pub(), 1, row);
            // The other table holds a good row too, so every case runs both tables.
            Write_Row(c.sub ? Pub() : Sub(), 1, c.sub ? Good_Pub() : Good_Sub());
            Click(form->Btn_OK);
        });
        EXPECT_EQ(Message_Texts(), c.message ? QStringList({c.message}) : QStringList());
        EXPECT_EQ(result, c.message ? mrCancel : mrOk);
    }
}

TEST_F(MQTTEditor, ErrorInTopicTemplateCountsEveryDollar)
{
    const std::pair<const char*, bool> cases[] = {{"", false},   {"$", true},         {"$VALUE$", false},
                                                  {"$$$", true}, {"a$b$c$d$", false}, {"$VALUE$ $X", true}};
    for (const auto& [text, odd] : cases)
        EXPECT_EQ(TFMQTT_Set_Topic::Error_In_Topic_Template(text), odd) << text;
}

TEST_F(MQTTEditor, FileKeepsItsAttributesAndDropsTheUnsavedColumns)
{
    // An older file: OnCMD and Channel on a publish row, no OnChange and OnTimer.
    Write_File(
        File_MQTT_Set_Topic,
        "<MQTT_Set_Topic><MQTT_Publish>"
        "<row Topic=\"a/b\" Retained=\"Y\" QoS=\"1\" DataType=\"Int\" Dimension=\"2\" Position=\"4\" "
        "IPAddress=\"xx\" InputTemplate=\"$in\" Template=\"$VALUE$\" OnCMD=\"Y\" Channel=\"5\" Time=\"\" "
        "Mnemonic=\"first\"/></MQTT_Publish><MQTT_Subscribe>"
        "<row Topic=\"c/d\" Retained=\"N\" QoS=\"2\" Mnemonic=\"second\" Swap=\"Y\"/>"
        "</MQTT_Subscribe></MQTT_Set_Topic><!--SW_VERSION = 1.001-->");
    const TModalResult result = Show([&] {
        EXPECT_EQ(Row_Texts(Pub(), 1), QStringList({"a/b", "Y", "1", "Int", "2", "4", "xx", "$in", "$VALUE$",
                                                    "N", "", "N", "", "", "N", "N", "first"}));
        EXPECT_EQ(Row_Texts(Sub(), 1),
                  QStringList({"c/d", "N", "2", "", "", "", "", "", "", "", "", "N", "N", "second"}));
        // Rows the file does not hold stay empty.
        EXPECT_EQ(Pub()->Cells(Pub_Swap, 2), "");
        Sub()->SetCells(Sub_Data_Type, 1, "String");
        Sub()->SetCells(Sub_Dimension, 1, "10");
        Sub()->SetCells(Sub_Position, 1, "0");
        Click(form->Btn_OK);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_TRUE(answers->Messages.empty());
    EXPECT_EQ(
        Xml_Tree(File_MQTT_Set_Topic),
        QStringList({"MQTT_Set_Topic", "  MQTT_Publish",
                     "    row Topic=\"a/b\" Retained=\"Y\" QoS=\"1\" DataType=\"Int\" Dimension=\"2\" "
                     "Position=\"4\" IPAddress=\"xx\" InputTemplate=\"$in\" Template=\"$VALUE$\" "
                     "OnChange=\"N\" OnTimer=\"N\" Time=\"\" Mnemonic=\"first\"",
                     "  MQTT_Subscribe",
                     "    row Topic=\"c/d\" Retained=\"N\" QoS=\"2\" DataType=\"String\" Dimension=\"10\" "
                     "Position=\"0\" IPAddress=\"\" Port=\"\" EthType=\"\" InputTemplate=\"\" Template=\"\" "
                     "Mnemonic=\"second\""}));
    const QByteArray bytes = testsupport::readBytes(File_MQTT_Set_Topic);
    EXPECT_TRUE(bytes.startsWith("<MQTT_Set_Topic>")) << bytes.toStdString();
    EXPECT_TRUE(bytes.simplified().endsWith("</MQTT_Set_Topic> <!--SW_VERSION = 1.001-->"))
        << bytes.toStdString();
}

TEST_F(MQTTEditor, MoreRowsThanTheTableAndMissingRequiredAttributes)
{
    QString xml = "<MQTT_Set_Topic><MQTT_Publish>";
    for (int i = 1; i <= 1025; ++i)
        xml += QString("<row Topic=\"t%1\" Retained=\"N\" QoS=\"0\" DataType=\"Int\" Dimension=\"1\" "
                       "Position=\"%2\" Mnemonic=\"\"/>")
                   .arg(i)
                   .arg(i % 1500);
    xml += "</MQTT_Publish><MQTT_Subscribe/></MQTT_Set_Topic>";
    Write_File(File_MQTT_Set_Topic, xml.toUtf8());
    const TModalResult result = Show([&] {
        EXPECT_EQ(Pub()->Cells(Pub_Topic, 1024), "t1024");
        Click(form->Btn_OK);
    });
    EXPECT_EQ(result, mrOk);
    const QStringList tree = Xml_Tree(File_MQTT_Set_Topic);
    EXPECT_EQ(tree.size(), 3 + 1024);
    EXPECT_FALSE(tree.join('\n').contains("t1025"));

    const QByteArray faulty[] = {
        "<MQTT_Set_Topic><MQTT_Publish><row Topic=\"a\" Retained=\"N\" Mnemonic=\"\"/></MQTT_Publish>"
        "<MQTT_Subscribe/></MQTT_Set_Topic>",
        "<MQTT_Set_Topic><MQTT_Publish/></MQTT_Set_Topic>",
    };
    const char* named[] = {"QoS", "MQTT_Subscribe"};
    for (int i = 0; i < 2; ++i) {
        answers->Messages.clear();
        Write_File(File_MQTT_Set_Topic, faulty[i]);
        EXPECT_FALSE(Show_Guarded());
        ASSERT_EQ(answers->Messages.size(), 1u);
        EXPECT_TRUE(answers->Messages[0].Text.contains("MQTT_Set_Topic.xml"))
            << answers->Messages[0].Text.toStdString();
        EXPECT_TRUE(answers->Messages[0].Text.contains(named[i])) << answers->Messages[0].Text.toStdString();
        EXPECT_EQ(testsupport::readBytes(File_MQTT_Set_Topic), faulty[i]);
    }
}

TEST_F(MQTTEditor, RowButtonsActOnTheActiveTab)
{
    Show([&] {
        Write_Row(Pub(), 1, Good_Pub());
        Write_Row(Sub(), 1, Good_Sub());
        Pub()->SetRow(1);
        Click(form->Btn_InsRow);
        // Insert gives no Enable: the new publish row is empty, the subscribe table unchanged.
        EXPECT_EQ(Row_Texts(Pub(), 1), QStringList(17, QString()));
        EXPECT_EQ(Pub()->Cells(Pub_Topic, 2), "plant/temp");
        EXPECT_EQ(Sub()->Cells(Sub_Topic, 1), "plant/set");

        Select_Tab(Sub_Table);
        answers->MessageAnswers = {mrYes};
        Sub()->SetRow(1);
        Click(form->Btn_DelRow);
        EXPECT_EQ(Message_Texts(), QStringList({"Are you sure to delete the Row number 1"}));
        EXPECT_EQ(Sub()->Cells(Sub_Topic, 1), "");
        EXPECT_EQ(Pub()->Cells(Pub_Topic, 2), "plant/temp");
    });
}

TEST_F(MQTTEditor, DoubleClickWithTheCurrentCellOnATemplateOpensTheTemplateEditor)
{
    Show([&] {
        Write_Row(Pub(), 1, Good_Pub());
        Write_Row(Sub(), 1, Good_Sub());
        const int template_display = Pub()->RealToDisplCol(Pub_Template);

        // OK after typing a second line: the lines joined by CR LF go into the cell.
        EXPECT_TRUE(Dbl_Click(Pub(), Pub_Template, 1, template_display, 1, [&] {
            EXPECT_EQ(topic->Caption(), "Set Template");
            EXPECT_EQ(topic->L_SW_Desc->Caption(), "Set Template");
            EXPECT_EQ(topic->TopicTemplate, 1);
            EXPECT_EQ(topic->Pub_Sub, 0);
            EXPECT_EQ(topic->Working_Mode, 1);
            EXPECT_EQ(topic->RE_TopicTemplate->Text(), "$VALUE$");
            EXPECT_EQ(topic->ESG_Keywords->RowCount(), 2);
            EXPECT_EQ(topic->ESG_Keywords->ColCount(), 2);
            EXPECT_EQ(topic->ESG_Keywords->FixedCols(), 0);
            EXPECT_EQ(topic->ESG_Keywords->ColWidths(0), 200);
            EXPECT_EQ(topic->ESG_Keywords->ColWidths(1), 380);
            EXPECT_FALSE(topic->ESG_Keywords->GetCellProperties(0, 1)->ReadOnly());
            EXPECT_TRUE(topic->ESG_Keywords->GetCellProperties(1, 1)->ReadOnly());
            QWidget* edit = topic->RE_TopicTemplate->Editor();
            topic->RE_TopicTemplate->SetText("A");
            edit->setFocus();
            topic->RE_TopicTemplate->Editor()->moveCursor(QTextCursor::End);
            QTest::keyClick(edit, Qt::Key_Return);
            QTest::keyClicks(edit, "B");
            Click(topic->Btn_OK);
        }));
        EXPECT_EQ(Pub()->Cells(Pub_Template, 1), "A\r\nB");

        // Cancel keeps the cell.
        EXPECT_TRUE(Dbl_Click(Pub(), Pub_Template, 1, template_display, 1, [&] {
            EXPECT_EQ(topic->RE_TopicTemplate->Text(), "A\r\nB");
            topic->RE_TopicTemplate->SetText("changed");
            Click(topic->Btn_Cancel);
        }));
        EXPECT_EQ(Pub()->Cells(Pub_Template, 1), "A\r\nB");

        // The current cell decides, not the clicked one: a header double click leaves the current
        // cell where it was.
        EXPECT_FALSE(Dbl_Click(Pub(), Pub_Topic, 1, Pub()->RealToDisplCol(Pub_Topic), 1, [] {}));
        EXPECT_FALSE(Dbl_Click(Pub(), Pub_Topic, 2, template_display, 0, [] {}));
        EXPECT_TRUE(Dbl_Click(Pub(), Pub_Template, 2, Pub()->RealToDisplCol(Pub_Mnemonic), 0, [&] {
            EXPECT_EQ(topic->RE_TopicTemplate->Text(), "");
            Click(topic->Btn_Cancel);
        }));

        // The subscribe table's Template column.
        Select_Tab(Sub_Table);
        EXPECT_TRUE(Dbl_Click(Sub(), Sub_Template, 1, Sub()->RealToDisplCol(Sub_Template), 1, [&] {
            EXPECT_EQ(topic->Pub_Sub, 1);
            EXPECT_EQ(topic->RE_TopicTemplate->Text(), "$VALUE$");
            topic->RE_TopicTemplate->SetText("$X$");
            Click(topic->Btn_OK);
        }));
        EXPECT_EQ(Sub()->Cells(Sub_Template, 1), "$X$");
        Click(form->Btn_OK);
    });
    // Line breaks survive the file and the next show.
    EXPECT_TRUE(testsupport::readBytes(File_MQTT_Set_Topic).contains("Template=\"A&#13;&#10;B\""));
    Show([&] { EXPECT_EQ(Pub()->Cells(Pub_Template, 1), "A\r\nB"); });
}

TEST_F(MQTTEditor, TemplateEditorTitlesByWhatItEdits)
{
    topic->TopicTemplate = 0;
    formtest::RunModal(*topic, [&] {
        EXPECT_EQ(topic->Caption(), "Set Topic");
        EXPECT_EQ(topic->L_SW_Desc->Caption(), "Set Topic");
        EXPECT_EQ(topic->ClientWidth(), 635);
        EXPECT_EQ(topic->ClientHeight(), 396);
        // The splitter between text and keywords gives the keyword panel the room it is dragged.
        auto* bar = dynamic_cast<TSplitter*>(topic->FindComponent("Splitter1"));
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->Height(), 3);
        EXPECT_EQ(bar->ResizeControl(), topic->P_Keywords);
        EXPECT_EQ(bar->Top() + 3, topic->P_Keywords->Top());
        EXPECT_EQ(topic->RE_TopicTemplate->Top() + topic->RE_TopicTemplate->Height(), bar->Top());
        const int before = topic->P_Keywords->Height();
        QTest::mousePress(bar->Widget(), Qt::LeftButton, {}, QPoint(10, 1));
        QTest::mouseMove(bar->Widget(), QPoint(10, 1 - 20));
        QTest::mouseRelease(bar->Widget(), Qt::LeftButton, {}, QPoint(10, 1 - 20));
        formtest::Pump();
        EXPECT_EQ(topic->P_Keywords->Height(), before + 20);
        Click(topic->Btn_Cancel);
    });
    EXPECT_EQ(topic->ModalResult(), mrCancel);
}

} // namespace
