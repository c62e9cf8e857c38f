// The EDS connection chooser: the path decoder, the header fields, reading the connection entries of
// real files on the shown form, and the self-closing form when nothing decodes.
#include "app/TableEditorFixture.h"
#include "editors/network/UEtherNEtIP_EDS.h"
#include "platform/controls/ExtCtrls.h"

#include <QStringConverter>

namespace
{

using namespace tableeditortest;

std::vector<uint8_t> Bytes(const char* hex)
{
    std::vector<uint8_t> out;
    for (const QString& token : QString::fromLatin1(hex).split(' ', Qt::SkipEmptyParts))
        out.push_back(uint8_t(token.toUInt(nullptr, 16)));
    return out;
}

TEST(EtherNetIPPath, DecodesInstancesAndConnectionPointsOrFails)
{
    const struct {
        const char* path;
        std::optional<TConnPath> expected; // instance O>T, point O>T, instance T>O, point T>O
    } cases[] = {
        {"20 04 24 01 2C 96 2C 64", TConnPath{1, 150, 1, 100}},
        {"20 04 24 01 2C 96 24 02 2C 64", TConnPath{1, 150, 2, 100}},
        {"20 04 25 00 05 00 2C 96 2C 64", TConnPath{5, 150, 5, 100}},
        {"20 04 26 00 07 01 00 00 2C 96 2C 64", TConnPath{7, 150, 7, 100}},
        {"20 04 2C 96 2C 64", TConnPath{1, 150, 1, 100}},
        // A value byte equal to a segment type counts as one (here the attribute value 2C).
        {"20 04 24 05 30 2C 2C 96 2C 64", TConnPath{5, 0x2C, 5, 100}},
        {"20 04 24 01 2C", std::nullopt},
        {"21 04 24 01 2C 96 2C 64", std::nullopt},
        {"20 04 24 01 2C 96", std::nullopt},
        {"20 04 24 01 2C 96 24 02", std::nullopt},
        {"20 04 24 01 2C 96 24 02 2C", std::nullopt},
        {"20 04 26 00 07 00 00", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(Decode_Conn_Path(Bytes(c.path)), c.expected);
    }
}

class EtherNetIPEds : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        Reset_Globals();
        Set_English_Texts();
        form = std::make_unique<TFEtherNEtIP_EDS>(nullptr);
    }
    void TearDown() override
    {
        form.reset();
        Reset_Globals();
        Clear_Lang_Table();
    }

    // Shows the chooser on `file` and returns every grid row (all nine columns) as the user saw it,
    // then leaves with OK; `result` gets the modal result.
    QList<QStringList> Listed(const QString& file, TModalResult& result)
    {
        form->EDS_FileName = file;
        QList<QStringList> rows;
        result = formtest::RunModal(*form, [&] {
            for (int r = 1; r < form->ACG->RowCount(); ++r) {
                QStringList row;
                for (int c = 0; c < form->ACG->ColCount(); ++c)
                    row << form->ACG->Cells(c, r);
                rows << row;
            }
            QTest::mouseClick(form->Btn_OK->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
        });
        return rows;
    }

    TScopedInteraction answers;
    std::unique_ptr<TFEtherNEtIP_EDS> form;
};

TEST_F(EtherNetIPEds, TheFormIsAChooserOfNineReadOnlyColumns)
{
    EXPECT_EQ(form->Name(), "FEtherNEtIP_EDS");
    EXPECT_EQ(form->ClientWidth(), 1150);
    EXPECT_EQ(form->ClientHeight(), 337);
    EXPECT_EQ(form->Caption(), "EtherNet/IP EDS Decode - Select the Connection to use");
    EXPECT_EQ(form->Btn_OK->ModalResult(), mrOk);
    EXPECT_EQ(form->Btn_Cancel->ModalResult(), mrCancel);
    EXPECT_FALSE(form->Btn_OK->OnClick);
    EXPECT_EQ(form->Btn_Cancel->Left(), 134);
    ASSERT_EQ(form->ACG->ColCount(), 9);
    EXPECT_EQ(form->ACG->FixedCols(), 0);
    EXPECT_EQ(form->ACG->FixedRows(), 1);
    EXPECT_TRUE(form->ACG->Options().Contains(goRowSelect));
    const int widths[] = {100, 200, 100, 110, 120, 110, 120, 125, 125};
    for (int c = 0; c < 9; ++c)
        EXPECT_EQ(form->ACG->Columns()->Items(c)->Width(), widths[c]) << c;
    EXPECT_FALSE(form->TClose->Enabled());
    EXPECT_EQ(form->TClose->Interval(), 10u);

    // Typing over a listed connection changes nothing; Cancel leaves.
    form->EDS_FileName = testsupport::fixture("eds/connections.eds");
    const TModalResult result = formtest::RunModal(*form, [&] {
        form->ACG->SetFocus();
        form->ACG->FocusCell(1, 1);
        QTest::keyClick(form->ACG->Widget(), Qt::Key_F2);
        QTest::keyClicks(form->ACG->Widget(), "xy");
        QTest::keyClick(form->ACG->Widget(), Qt::Key_Return);
        EXPECT_EQ(form->ACG->Cells(1, 1), "\"Exclusive Owner\"");
        EXPECT_EQ(form->ACG->Row(), 1);
        QTest::mouseClick(form->Btn_Cancel->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
    });
    EXPECT_EQ(result, mrCancel);
    EXPECT_TRUE(answers->Messages.empty());
}

TEST_F(EtherNetIPEds, HeaderFieldsShowDefaultForFourAndZero)
{
    const struct {
        const char* params;
        QStringList shown; // O > T, T > O
    } cases[] = {
        {"0x44640405", {"Default", "Default"}}, {"0x44643305", {"3", "3"}}, {"0x44640005", {"0", "Default"}},
        {"0x44647405", {"Default", "7"}},       {"junk", {"7", "7"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.params);
        form->List_Conn.clear();
        const QString entry =
            QString(
                "0x04010002,%1,,4,0x0000,,8,0x0000,,,,, \"Name\" , \"Help\" ,\"20 04 24 01 2C 96 2C 64\";")
                .arg(c.params);
        EXPECT_EQ(form->DecodeConnStr(entry), "");
        form->ShowDatainGrid();
        ASSERT_EQ(form->List_Conn.size(), 1u);
        EXPECT_EQ(form->List_Conn[0]->ConnIndex, 1);
        EXPECT_EQ(form->List_Conn[0]->NumClass, 0);
        EXPECT_EQ(QStringList({form->ACG->Cells(1, 1), form->ACG->Cells(2, 1), form->ACG->Cells(7, 1),
                               form->ACG->Cells(8, 1)}),
                  QStringList({"\"Name\"", "\"Help\""}) + c.shown);
    }
}

TEST_F(EtherNetIPEds, PathTextRunsToTheFirstSemicolonOrAnEarlierCommaAndKeepsEveryByte)
{
    const QString head = "0x04010002,0x44640405,,4,0x0000,,8,0x0000,,,,,\"N\",\"H\",";
    // A path longer than any fixed buffer: its points lie beyond byte 1001.
    QString long_path = "20 04 24 01";
    for (int i = 0; i < 1100; ++i)
        long_path += " 00";
    long_path += " 2C 96 2C 64";
    const struct {
        QString entry;
        bool listed;
    } cases[] = {
        {head + "\"20 04 24 01 2C 96 2C 64\", 0x10;", true},
        {head + "\"20 04 24 01 2C 96\", \"2C 64\";", false},
        {head + "\"20 04 24 01 2C 96 2C 64\"", false},
        {head + "\"" + long_path + "\";", true},
        {"0x04010002,0x44640405,\"20 04 24 01 2C 96 2C 64\";", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry.left(90).toStdString());
        form->List_Conn.clear();
        form->DecodeConnStr(c.entry);
        EXPECT_EQ(form->List_Conn.size(), c.listed ? 1u : 0u);
    }
}

TEST_F(EtherNetIPEds, ListsExactlyTheDecodableConnectionsOfTheSection)
{
    TModalResult result = mrNone;
    const QList<QStringList> rows = Listed(testsupport::fixture("eds/connections.eds"), result);
    EXPECT_EQ(result, mrOk);
    const QStringList owner = {"\"Exclusive Owner\"", "\"\"", "1", "150", "1", "100", "Default", "Default"};
    // The multi-line entry equals its one-line twin; the prefixed token and the short entry are left
    // out; the entry open at the "[Port]" bracket is listed; column 0 numbers the rows.
    EXPECT_EQ(rows,
              (QList<QStringList>{
                  QStringList{"Connection1"} + owner,
                  QStringList{"Connection2"} + owner,
                  {"Connection3", "\"Two Instances\"", QString::fromUtf8("\"Second instance Ü\""), "1", "150",
                   "2", "100", "3", "3"},
                  {"Connection4", "\"Wide Instance\"", "\"\"", "5", "150", "5", "100", "Default", "Default"},
                  {"Connection5", "\"No Instance\"", "\"Class and points\"", "1", "150", "1", "100",
                   "Default", "Default"},
              }));
    EXPECT_EQ(form->List_Conn.size(), 5u);
    EXPECT_EQ(form->ACG->Row(), 1);
    EXPECT_TRUE(answers->Messages.empty());

    // Shown again, the list is read afresh, not appended to.
    Listed(testsupport::fixture("eds/connections.eds"), result);
    EXPECT_EQ(form->List_Conn.size(), 5u);
    EXPECT_EQ(form->List_Conn[4]->ConnIndex, 5);
}

TEST_F(EtherNetIPEds, AContinuationLineNamingAConnectionStaysInItsEntry)
{
    TModalResult result = mrNone;
    const QList<QStringList> rows = Listed(testsupport::fixture("eds/input_only.eds"), result);
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(rows, (QList<QStringList>{{"Connection1", "\"Input Only Connection\"", "\"Receives data only\"",
                                         "3", "254", "3", "101", "3", "Default"}}));
}

TEST_F(EtherNetIPEds, AUtf16FileReadsLikeItsWindows1252Twin)
{
    const QByteArray ansi = testsupport::readBytes(testsupport::fixture("eds/connections.eds"));
    QStringEncoder to_utf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    testsupport::TempDir dir;
    testsupport::writeBytes(dir.file("twin.eds"), to_utf16(QString::fromLatin1(ansi)));
    TModalResult result = mrNone;
    const QList<QStringList> from_ansi = Listed(testsupport::fixture("eds/connections.eds"), result);
    const QList<QStringList> from_utf16 = Listed(dir.file("twin.eds"), result);
    ASSERT_EQ(from_ansi.size(), 5);
    EXPECT_EQ(from_utf16, from_ansi);
}

TEST_F(EtherNetIPEds, NothingFoundClosesWithCancelAfterOneMessage)
{
    testsupport::TempDir dir;
    QByteArray junk;
    for (int i = 0; i < 4096; ++i)
        junk += char((i * 7919) % 256);
    testsupport::writeBytes(dir.file("junk.eds"), junk);
    testsupport::writeBytes(
        dir.file("undecodable.eds"),
        "[Connection Manager]\r\nConnection1 = 0x1,0x2,,,,,,,,,,,\"A\",\"B\",\"20 04 24 01\";\r\n");
    const QString files[] = {testsupport::fixture("eds/no_section.eds"), dir.file("missing.eds"),
                             dir.file("junk.eds"), dir.file("undecodable.eds")};
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        answers->Messages.clear();
        form->EDS_FileName = file;
        // The form closes itself: the script does nothing.
        EXPECT_EQ(formtest::RunModal(*form, [] {}), mrCancel);
        ASSERT_EQ(answers->Messages.size(), 1u);
        EXPECT_EQ(answers->Messages[0].Text, "Error!! No Valid Connection found");
        EXPECT_EQ(answers->Messages[0].Type, mtError);
        EXPECT_EQ(answers->Messages[0].Buttons, TMsgDlgButtons(mbOK));
        EXPECT_FALSE(form->TClose->Enabled());
        EXPECT_EQ(form->ACG->RowCount(), 2);
        EXPECT_EQ(form->ACG->Cells(0, 1), "");
    }
}

TEST_F(EtherNetIPEds, MarkerTexts)
{
    Set_Marker_Texts();
    form->Set_Lang();
    EXPECT_EQ(form->Caption(), Marker(5000));
    EXPECT_EQ(form->L_SW_Desc->Caption(), Marker(5001));
    EXPECT_EQ(form->Btn_OK->Caption(), Marker(5002));
    EXPECT_EQ(form->Btn_Cancel->Caption(), Marker(5003));
    EXPECT_EQ(form->Btn_OK->Hint(), Marker(5004));
    EXPECT_EQ(form->Btn_Cancel->Hint(), Marker(5005));
    for (int c = 0; c < 9; ++c) {
        EXPECT_EQ(form->ACG->Columns()->Items(c)->Header(), Marker(5006 + c)) << c;
        EXPECT_EQ(form->ACG->Cells(c, 0), Marker(5006 + c)) << c;
    }
}

} // namespace
