// The IEC 61850 server variable editor on a real form: its table, the data check through OK under
// both decimal separators, loading and saving its file, the row buttons and its texts.
#include "editors/network/UIEC61850_Variables.h"

#include "app/MainRoadSupport.h"
#include "app/TableEditorFixture.h"
#include "platform/core/SysUtils.h"

namespace
{

using namespace tableeditortest;

const char* const Digital = "Digital (Bit)";

class IEC61850Server : public TableEditorFixture<TFIEC61850_Variables>
{
  protected:
    void TearDown() override
    {
        ResetFormatSettings();
        TableEditorFixture::TearDown();
    }
    TExtColumnGrid* grid() { return form->ACG; }
    // Enable, Name, Type, Length, Read Only, Position, Start Bit, Conversion, Molt. Factor, Swap,
    // Swap Word, Mnemonic: a row that passes.
    static QStringList Variable(const QString& name = "Temp")
    {
        return {"Y", name, "Int", "4", "N", "0", "", "None", "None", "N", "N", "Boiler"};
    }
    static void Use_Separator(char sep)
    {
        TFormatSettings fs = FormatSettings();
        fs.DecimalSeparator = QChar(sep);
        fs.ThousandSeparator = QChar(sep == ',' ? '.' : ',');
        SetFormatSettings(fs);
    }
};

TEST_F(IEC61850Server, TheTableHas50VariablesOf13Columns)
{
    EXPECT_EQ(form->Name(), "FIEC61850_Variables");
    EXPECT_EQ(form->ClientWidth(), 1155);
    EXPECT_EQ(form->ClientHeight(), 337);
    EXPECT_EQ(form->Caption(), "Set Variables Access for IEC61850");
    EXPECT_EQ(grid()->RowCount(), 51);
    ASSERT_EQ(grid()->ColCount(), 13);
    const int widths[] = {40, 50, 250, 80, 65, 65, 80, 60, 75, 75, 45, 80, 128};
    const TEditorType editors[] = {edNormal,       edDataCheckBox, edNormal,    edComboList, edNormal,
                                   edDataCheckBox, edNormal,       edComboList, edComboList, edComboEdit,
                                   edDataCheckBox, edDataCheckBox, edNormal};
    for (int c = 0; c < 13; ++c) {
        EXPECT_EQ(grid()->Columns()->Items(c)->Width(), widths[c]) << c;
        EXPECT_EQ(grid()->Columns()->Items(c)->Editor(), editors[c]) << c;
    }
    const auto items = [&](int c) {
        QStringList out;
        const TStringList* list = grid()->Columns()->Items(c)->ComboItems();
        for (int i = 0; i < list->Count(); ++i)
            out << list->Strings(i);
        return out;
    };
    EXPECT_EQ(items(3), QStringList({"Int", "Float", Digital}));
    EXPECT_EQ(items(7), QStringList({"0", "1", "2", "3", "4", "5", "6", "7"}));
    EXPECT_EQ(items(8), QStringList({"None", "Int to Float", "Float to Int"}));
    EXPECT_EQ(items(9), QStringList({"None"}));
    EXPECT_EQ(grid()->Cells(9, 0), "Molt. Factor");
    EXPECT_EQ(grid()->Cells(11, 0), "Swap Word");
    EXPECT_TRUE(grid()->OnComboChange);
}

TEST_F(IEC61850Server, OKChecksEachEnabledRowInOrderUnderEitherSeparator)
{
    const struct {
        int col; // real column changed in the passing row
        const char* text;
        const char* message; // nullptr: passes
    } cases[] = {
        {4, "4", nullptr},
        {4, "1", nullptr},
        {4, "0", "Error row 1!! Length must be between 1 and 4"},
        {4, "5", "Error row 1!! Length must be between 1 and 4"},
        {4, "", "Error row 1!! Length must be between 1 and 4"},
        {4, "4 ", "Error row 1!! Length must be between 1 and 4"},
        {6, "1437", nullptr},
        {6, "1438", "Error row 1!! Position must be between 0 and 1437"},
        {6, "-1", "Error row 1!! Position must be between 0 and 1437"},
        {6, "1x", "Error row 1!! Position must be between 0 and 1437"},
        {3, Digital, "Error row 1!! Start Bit must be Selected "},
        {8, " ", "Error row 1!! Conversion must be Selected "},
        {9, "None", nullptr},
        {9, " none ", nullptr},
        {9, "1,5", nullptr},
        {9, "1.5", nullptr},
        {9, "-2", nullptr},
        {9, "abc", "Error row 1!! Molt. Factor must be a valid Float"},
        {9, "", "Error row 1!! Molt. Factor must be a valid Float"},
    };
    for (char sep : {',', '.'}) {
        Use_Separator(sep);
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string("separator ") + sep + ", column " + std::to_string(c.col) + " \"" +
                         c.text + "\"");
            answers->Messages.clear();
            QFile::remove(File_IEC61850_Variables);
            const TModalResult result = Show([&] {
                QStringList row = Variable();
                row[c.col - 1] = c.text;
                Write_Row(grid(), 1, row);
                Click(form->Btn_OK);
            });
            EXPECT_EQ(form->NByte_IN, 1438);
            if (c.message) {
                EXPECT_EQ(result, mrCancel);
                EXPECT_EQ(Message_Texts(), QStringList({c.message}));
                EXPECT_FALSE(FileExists(File_IEC61850_Variables));
            } else {
                EXPECT_EQ(result, mrOk);
                EXPECT_TRUE(answers->Messages.empty());
                EXPECT_EQ(Xml_Tree(File_IEC61850_Variables).size(), 2);
            }
        }
    }
}

TEST_F(IEC61850Server, FaultsBeyondTheFirstRowAndOnTheLastRowAreFound)
{
    // The first fault wins: Length before Position in one row, row 2 before row 50.
    Show([&] {
        Write_Row(grid(), 1, Variable("A"));
        QStringList bad = Variable("B");
        bad[3] = "9";
        bad[5] = "5000";
        for (int r = 2; r <= 50; ++r)
            Write_Row(grid(), r, Variable(QString("V%1").arg(r)));
        Write_Row(grid(), 2, bad);
        Click(form->Btn_OK);
        EXPECT_EQ(form->ModalResult(), mrNone);
        // The last row is checked too.
        Write_Row(grid(), 2, Variable("B"));
        grid()->SetCells(6, 50, "1438");
        Click(form->Btn_OK);
        EXPECT_EQ(form->ModalResult(), mrNone);
    });
    EXPECT_EQ(Message_Texts(), QStringList({"Error row 2!! Length must be between 1 and 4",
                                            "Error row 50!! Position must be between 0 and 1437"}));
}

TEST_F(IEC61850Server, RowsNotExactlyEnabledAreSavedAsTypedUpToTheFirstEmptyName)
{
    Show([&] {
        QStringList off = Variable("Off");
        off[0] = "N";
        off[3] = "9";
        QStringList lower = Variable("Lower");
        lower[0] = "y";
        lower[5] = "abc";
        QStringList blank = Variable("Blank");
        blank[0] = " Y ";
        Write_Row(grid(), 1, off);
        Write_Row(grid(), 2, lower);
        Write_Row(grid(), 3, blank);
        Write_Row(grid(), 4, Variable(" "));
        Write_Row(grid(), 5, Variable("Lost"));
        Click(form->Btn_OK);
    });
    EXPECT_TRUE(answers->Messages.empty());
    EXPECT_EQ(
        Xml_Tree(File_IEC61850_Variables),
        QStringList(
            {"IEC61850_Variables",
             "  row Enable=\"N\" Name=\"Off\" Type=\"Int\" Length=\"9\" ReadOnly=\"N\" Position=\"0\" "
             "StartBit=\"\" Conversion=\"None\" MultiplicationFactor=\"None\" Swap=\"N\" SwapWord=\"N\" "
             "Mnemonic=\"Boiler\"",
             "  row Enable=\"y\" Name=\"Lower\" Type=\"Int\" Length=\"4\" ReadOnly=\"N\" Position=\"abc\" "
             "StartBit=\"\" Conversion=\"None\" MultiplicationFactor=\"None\" Swap=\"N\" SwapWord=\"N\" "
             "Mnemonic=\"Boiler\"",
             "  row Enable=\" Y \" Name=\"Blank\" Type=\"Int\" Length=\"4\" ReadOnly=\"N\" Position=\"0\" "
             "StartBit=\"\" Conversion=\"None\" MultiplicationFactor=\"None\" Swap=\"N\" SwapWord=\"N\" "
             "Mnemonic=\"Boiler\""}));
    EXPECT_EQ(mainroad::After_Root(File_IEC61850_Variables, "IEC61850_Variables"),
              "<!--SW_VERSION = 1.000-->");
}

TEST_F(IEC61850Server, ShowClearsRowsAndLoadsEveryAttributeOrItsDefault)
{
    Write_File(
        File_IEC61850_Variables,
        "<IEC61850_Variables><row Name=\"Bare\"/>"
        "<row Enable=\"N\" Name=\"Full\" Type=\"Float\" Length=\"4\" ReadOnly=\"Y\" Position=\"12\" "
        "StartBit=\"3\" Conversion=\"Int to Float\" MultiplicationFactor=\"0,1\" Swap=\"Y\" SwapWord=\"Y\" "
        "Mnemonic=\"M\"/></IEC61850_Variables><!--SW_VERSION = 1.000-->");
    Show([&] {
        EXPECT_EQ(Row_Texts(grid(), 1),
                  QStringList({"Y", "Bare", "", "", "N", "", "", "", "", "N", "N", ""}));
        EXPECT_EQ(Row_Texts(grid(), 2), QStringList({"N", "Full", "Float", "4", "Y", "12", "3",
                                                     "Int to Float", "0,1", "Y", "Y", "M"}));
        EXPECT_EQ(Row_Texts(grid(), 3), QStringList({"Y", "", "", "", "", "", "", "", "", "", "", ""}));
        EXPECT_EQ(grid()->Cells(0, 50), "50");
        // Edits of this showing are gone at the next.
        grid()->SetCells(2, 1, "Edited");
        grid()->SetCells(2, 4, "Added");
    });
    Show([&] {
        EXPECT_EQ(grid()->Cells(2, 1), "Bare");
        EXPECT_EQ(grid()->Cells(2, 4), "");
    });
}

TEST_F(IEC61850Server, AFileOf60RowsShowsAndSavesTheTables50)
{
    QByteArray xml = "<IEC61850_Variables>";
    for (int i = 1; i <= 60; ++i)
        xml += QString("<row Enable=\"N\" Name=\"V%1\"/>").arg(i).toUtf8();
    xml += "</IEC61850_Variables>";
    Write_File(File_IEC61850_Variables, xml);
    Show([&] {
        EXPECT_EQ(grid()->Cells(2, 50), "V50");
        Click(form->Btn_OK);
    });
    const QStringList tree = Xml_Tree(File_IEC61850_Variables);
    ASSERT_EQ(tree.size(), 51);
    EXPECT_TRUE(tree.last().contains("Name=\"V50\"")) << tree.last().toStdString();
}

TEST_F(IEC61850Server, AVariableTypedAndPickedByTheUserIsSaved)
{
    Use_Separator('.');
    Show([&] {
        mainroad::Activate(form.get());
        mainroad::Type_Cell(grid(), 2, 1, "Pressure");
        mainroad::Pick_Cell(grid(), 3, 1, Digital);
        mainroad::Type_Cell(grid(), 4, 1, "1");
        mainroad::Type_Cell(grid(), 6, 1, "1437");
        mainroad::Pick_Cell(grid(), 8, 1, "Float to Int");
        mainroad::Type_Cell(grid(), 9, 1, "2,5");
        // A digital variable needs its bit.
        Click(form->Btn_OK);
        EXPECT_EQ(form->ModalResult(), mrNone);
        mainroad::Pick_Cell(grid(), 7, 1, "5");
        // Picking changes no other cell.
        EXPECT_EQ(grid()->Cells(4, 1), "1");
        Click(form->Btn_OK);
    });
    EXPECT_EQ(Message_Texts(), QStringList({"Error row 1!! Start Bit must be Selected "}));
    EXPECT_EQ(Xml_Tree(File_IEC61850_Variables).value(1),
              "  row Enable=\"Y\" Name=\"Pressure\" Type=\"Digital (Bit)\" Length=\"1\" ReadOnly=\"\" "
              "Position=\"1437\" StartBit=\"5\" Conversion=\"Float to Int\" MultiplicationFactor=\"2,5\" "
              "Swap=\"\" SwapWord=\"\" Mnemonic=\"\"");
}

TEST_F(IEC61850Server, RowButtons)
{
    Show([&] {
        for (int r = 1; r <= 5; ++r)
            Write_Row(grid(), r, Variable(QString("V%1").arg(r)));
        grid()->FocusCell(2, 4);
        answers->MessageAnswers = {mrYes};
        Click(form->Btn_DelRow);
        EXPECT_EQ(grid()->Cells(2, 4), "V5");
        grid()->SetCells(1, 2, "N");
        grid()->FocusCell(2, 2);
        Click(form->Btn_InsRow);
        EXPECT_EQ(Row_Texts(grid(), 2), QStringList({"Y", "", "", "", "", "", "", "", "", "", "", ""}));
        EXPECT_EQ(grid()->Cells(1, 3), "N");
        grid()->FocusCell(2, 1);
        Click(form->Btn_CopyRow);
        grid()->FocusCell(2, 2);
        Click(form->Btn_PasteRow);
        EXPECT_EQ(Row_Texts(grid(), 2), Row_Texts(grid(), 1));
    });
    EXPECT_EQ(Message_Texts(), QStringList({"Are you sure to delete the Row number 4"}));
}

TEST_F(IEC61850Server, MarkerTexts)
{
    Set_Marker_Texts();
    form->Set_Lang();
    Expect_Marker_Texts(*form);
    EXPECT_EQ(grid()->Cells(7, 0), "#3332");
    EXPECT_EQ(form->Table(0).Hints.at(10), "#3345");
    QString hint;
    grid()->OnGridHint(grid(), 0, 9, hint);
    EXPECT_EQ(hint, "#3337");
}

} // namespace
