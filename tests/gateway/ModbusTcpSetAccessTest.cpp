// The Modbus TCP master request editor on a real form: its wider tables, the address and port steps
// of its check, the file it writes, its texts and the handlers only its write table has.
#include "gateway/UModbus_TCP_Master_Set_Access.h"

#include "RequestEditorFixture.h"
#include "grid/core/ExtCGrid.h"

#include <QFile>
#include <QRegularExpression>

namespace
{

using namespace tableeditortest;

// Real columns 1 .. 15 of a read row and 1 .. 16 of a write row.
const QStringList Tcp_Read = {
    "Y", "192.168.1.125", "502", "1", "Holding Register", "0", "10", "100", "0", "0", "", "N", "N",
    "",  "Meter"};
const QStringList Tcp_Write = {"Y", "10.0.0.7", "502", "1", "Coil Status", "0", "8", "0",
                               "Y", "N",        "0",   "0", "0",           "N", "N", "Lamp"};

class ModbusTcpSetAccess : public RequestEditorFixture<TFModbus_TCP_Master_Set_Access>
{
  protected:
    const QString& File() const override { return File_ModbusTCPM_SetAccess; }
};

TEST_F(ModbusTcpSetAccess, TheTablesCarryAddressAndPortInFrontOfTheSlaveId)
{
    EXPECT_EQ(form->ClientWidth(), 1150);
    EXPECT_EQ(form->ClientHeight(), 337);
    EXPECT_EQ(form->Caption(), "Set Modbus TCP Master Access");
    const char* read_headers[] = {
        "N",      "Enable",    "Slave IP Address", "Port",     "Slave ID",  "Type", "Address",
        "NPoint", "Poll Time", "Max Error",        "Position", "Start Bit", "Swap", "Swap Word",
        "Topic",  "Mnemonic"};
    const int read_widths[] = {40, 50, 101, 45, 55, 100, 55, 45, 60, 64, 60, 60, 40, 80, 120, 140};
    const char* write_headers[] = {"N",         "Enable",    "Slave IP Address", "Port",      "Slave ID",
                                   "Type",      "Address",   "NPoint",           "Poll Time", "On Change",
                                   "On CMD",    "Max Error", "Position",         "Start Bit", "Swap",
                                   "Swap Word", "Mnemonic"};
    const int write_widths[] = {40, 50, 101, 45, 55, 100, 55, 45, 60, 66, 56, 62, 55, 55, 40, 80, 150};
    ASSERT_EQ(Read()->Columns()->Count(), 16);
    ASSERT_EQ(Write()->Columns()->Count(), 17);
    for (int c = 0; c < 16; ++c) {
        EXPECT_EQ(Read()->Columns()->Items(c)->Header(), read_headers[c]) << c;
        EXPECT_EQ(Read()->Columns()->Items(c)->Width(), read_widths[c]) << c;
    }
    for (int c = 0; c < 17; ++c) {
        EXPECT_EQ(Write()->Columns()->Items(c)->Header(), write_headers[c]) << c;
        EXPECT_EQ(Write()->Columns()->Items(c)->Width(), write_widths[c]) << c;
    }
    // The new columns have the Slave ID's colour; the moved ones keep theirs.
    for (TExtColumnGrid* g : {Read(), Write()}) {
        for (int c : {2, 3, 4})
            EXPECT_EQ(g->Columns()->Items(c)->Color(), TColor(0xFEFAE0)) << c;
        EXPECT_EQ(g->Columns()->Items(5)->Editor(), edComboList);
        EXPECT_EQ(g->Columns()->Items(1)->Editor(), edDataCheckBox);
        EXPECT_EQ(g->RowCount(), 513);
    }
    EXPECT_EQ(Read()->Columns()->Items(10)->Color(), TColor(0xF4D6FC));
    EXPECT_EQ(Write()->Columns()->Items(9)->Editor(), edDataCheckBox);
    EXPECT_EQ(Write()->Columns()->Items(13)->ComboItems()->Count(), 8);
    // Enter and header hints on the write table only; click and double click on both.
    EXPECT_TRUE(Read()->OnClickCell && Read()->OnDblClickCell);
    EXPECT_FALSE(Read()->OnKeyPress);
    EXPECT_FALSE(Read()->OnGridHint);
    EXPECT_TRUE(Write()->OnClickCell && Write()->OnDblClickCell && Write()->OnKeyPress &&
                Write()->OnGridHint);
    EXPECT_FALSE(Read()->OnComboChange);

    Show([&] {
        EXPECT_TRUE(Read()->IsHiddenColumn(14));
        EXPECT_FALSE(Read()->IsHiddenColumn(10));
        EXPECT_FALSE(Read()->IsHiddenColumn(11));
        EXPECT_EQ(Read()->ColCount(), 15);
        EXPECT_EQ(Read()->Columns()->Items(10)->ComboItems()->Count(), 1500);
        EXPECT_EQ(Write()->Columns()->Items(12)->ComboItems()->Count(), 1500);
        EXPECT_EQ(Row_Texts(Write(), 512),
                  QStringList({"Y", "", "", "", "", "", "", "", "", "", "", "", "", "", "", ""}));
        // The write header hint takes the display column.
        QString hint = "grid's";
        Write()->OnGridHint(Write(), 0, 2, hint);
        EXPECT_EQ(hint, "Insert the IP Address of Modbus TCP Slave");
        hint = "grid's";
        Write()->OnGridHint(Write(), 4, 2, hint);
        EXPECT_EQ(hint, "grid's");
    });
}

TEST_F(ModbusTcpSetAccess, OKChecksAddressAndPortBeforeTheSerialSteps)
{
    struct Case {
        const char* what;
        std::vector<QStringList> reads, writes;
        QString fault;
    };
    const Case cases[] = {
        {"address before port",
         {With(With(Tcp_Read, 2, "10.0.0.300"), 3, "x")},
         {},
         "Error row 1!! [Modbus Read] Slave IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
        {"port 65536",
         {With(Tcp_Read, 3, "65536")},
         {},
         "Error row 1!! [Modbus Read] Port must be between 0 and 65535"},
        {"port 0", {With(Tcp_Read, 3, "0")}, {}, ""},
        {"an address without Slave ID",
         {Tcp_Read, With(Tcp_Read, 4, "")},
         {},
         "Error row 2!! [Modbus Read] Slave ID must be between 1 and 247"},
        {"read poll time 0",
         {With(Tcp_Read, 8, "0")},
         {},
         "Error row 1!! [Modbus Read] Poll Time must be between 1 and 100000000"},
        {"write position",
         {Tcp_Read},
         {With(Tcp_Write, 12, "1500")},
         "Error row 1!! [Modbus Write] Position must be between 0 and 1499"},
        {"write start bit",
         {},
         {With(Tcp_Write, 13, "")},
         "Error row 1!! [Modbus Write] Bit must be between 0 and 7"},
        {"a disabled write request", {}, {With(With(Tcp_Write, 1, "N"), 3, "99999")}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        answers->Messages.clear();
        QFile::remove(File_ModbusTCPM_SetAccess);
        const TModalResult result = Ok_With(c.reads, c.writes);
        if (c.fault.isEmpty()) {
            EXPECT_EQ(result, mrOk);
            EXPECT_TRUE(answers->Messages.empty());
        } else {
            EXPECT_EQ(result, mrCancel);
            EXPECT_EQ(Message_Texts(), QStringList({c.fault}));
            EXPECT_FALSE(FileExists(File_ModbusTCPM_SetAccess));
        }
    }
}

TEST_F(ModbusTcpSetAccess, TheFileHoldsEveryRequestWithAddressPortAndTopicIndex)
{
    Write_File(
        File_ModbusTCPM_SetAccess,
        "<PROFINET_Master_to_Modbus_TCP_Master><Modbus_Read>"
        "<row IP_Address=\"192.168.1.125\" Port=\"502\" Slave_ID=\"1\" Type=\"Input Register\" Address=\"4\" "
        "NPoint=\"2\" PollTime=\"100\" MaxError=\"0\" Position=\"0\" Bit=\"\" Index_Topic=\"3\" "
        "Mnemonic=\"a\"/>"
        "</Modbus_Read><Modbus_Write/></PROFINET_Master_to_Modbus_TCP_Master><!--SW_VERSION = 1.001-->");
    const TModalResult result = Show([&] {
        // Defaults for the missing flags; no topic at index 3 of an empty list.
        EXPECT_EQ(Row_Texts(Read(), 1), QStringList({"Y", "192.168.1.125", "502", "1", "Input Register", "4",
                                                     "2", "100", "0", "0", "", "N", "N", "", "a"}));
        Write_Row(Read(), 2, With(With(Tcp_Read, 1, "N"), 4, "0"));
        Write_Row(Write(), 1, With(Tcp_Write, 1, "N"));
        Click(form->Btn_OK);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(
        Saved(),
        QStringList({
            "PROFINET_Master_to_Modbus_TCP_Master",
            "  Modbus_Read",
            "    row Enable=\"Y\" IP_Address=\"192.168.1.125\" Port=\"502\" Slave_ID=\"1\" Type=\"Input "
            "Register\" "
            "Address=\"4\" NPoint=\"2\" PollTime=\"100\" MaxError=\"0\" Position=\"0\" Bit=\"\" Swap=\"N\" "
            "SwapWord=\"N\" Index_Topic=\"-1\" Mnemonic=\"a\"",
            "    row Enable=\"N\" IP_Address=\"192.168.1.125\" Port=\"502\" Slave_ID=\"0\" Type=\"Holding "
            "Register\" "
            "Address=\"0\" NPoint=\"10\" PollTime=\"100\" MaxError=\"0\" Position=\"0\" Bit=\"\" Swap=\"N\" "
            "SwapWord=\"N\" Index_Topic=\"-1\" Mnemonic=\"Meter\"",
            "  Modbus_Write",
            "    row Enable=\"N\" IP_Address=\"10.0.0.7\" Port=\"502\" Slave_ID=\"1\" Type=\"Coil Status\" "
            "Address=\"0\" NPoint=\"8\" PollTime=\"0\" OnChange=\"Y\" OnCMD=\"N\" MaxError=\"0\" "
            "Position=\"0\" "
            "Bit=\"0\" Swap=\"N\" SwapWord=\"N\" Mnemonic=\"Lamp\"",
        }));
    const QByteArray bytes = testsupport::readBytes(File_ModbusTCPM_SetAccess);
    EXPECT_TRUE(bytes.startsWith("<PROFINET_Master_to_Modbus_TCP_Master>")) << bytes.constData();
    EXPECT_TRUE(bytes.contains("<!--SW_VERSION = 1.001-->"));
}

TEST_F(ModbusTcpSetAccess, AddressAndPortAreRequiredOnLoading)
{
    for (const char* missing : {"IP_Address", "Port"}) {
        SCOPED_TRACE(missing);
        QString row =
            "<row IP_Address=\"1.2.3.4\" Port=\"502\" Slave_ID=\"1\" Type=\"t\" Address=\"0\" NPoint=\"1\" "
            "PollTime=\"1\" OnChange=\"N\" MaxError=\"0\" Position=\"0\" Bit=\"\" Mnemonic=\"\"/>";
        row.remove(QRegularExpression(QString(" %1=\"[^\"]*\"").arg(missing)));
        const QByteArray xml = ("<PROFINET_Master_to_Modbus_TCP_Master><Modbus_Read/><Modbus_Write>" + row +
                                "</Modbus_Write></PROFINET_Master_to_Modbus_TCP_Master>")
                                   .toUtf8();
        Write_File(File_ModbusTCPM_SetAccess, xml);
        answers->Messages.clear();
        EXPECT_FALSE(Show_Guarded());
        ASSERT_EQ(answers->Messages.size(), 1u);
        EXPECT_TRUE(answers->Messages[0].Text.contains("ModbusTCPM_SetAccess.xml"));
        EXPECT_TRUE(answers->Messages[0].Text.contains(missing)) << answers->Messages[0].Text.toStdString();
        EXPECT_EQ(testsupport::readBytes(File_ModbusTCPM_SetAccess), xml);
    }
}

TEST_F(ModbusTcpSetAccess, DeleteAsksItsOwnQuestion)
{
    Set_Lang_Text(1861, "TCP delete row ");
    Show([&] {
        answers->MessageAnswers = {mrNo};
        Read()->FocusCell(2, 5);
        Click(form->Btn_DelRow);
    });
    EXPECT_EQ(Message_Texts(), QStringList({"TCP delete row 5"}));
}

TEST_F(ModbusTcpSetAccess, MarkerTextsAndTheReadHintsAShowLeaves)
{
    Set_Marker_Texts();
    form->Set_Lang();
    Expect_Marker_Texts(*form);
    EXPECT_EQ(form->Btn_CopyRow->Caption(), "Copy Row");
    EXPECT_EQ(form->Btn_PasteRow->Caption(), "Paste Row");
    EXPECT_EQ(form->Btn_PasteRow->Hint(), "#1868");
    QStringList read, shown, write;
    for (int n = 1869; n <= 1880; ++n)
        read << Marker(n);
    shown = read;
    read << Marker(1902) << Marker(1881) << Marker(1882);
    shown << Marker(1902) << Marker(1882);
    for (int n = 1883; n <= 1896; ++n)
        write << Marker(n);
    write << Marker(1903) << Marker(1897);
    EXPECT_EQ(form->Hint_Modbus_Set_Access_Read(), read);
    EXPECT_EQ(form->Hint_Modbus_Set_Access_Write(), write);
    Show([&] {
        EXPECT_EQ(form->Hint_Modbus_Set_Access_Read(), shown);
        EXPECT_EQ(form->Hint_Modbus_Set_Access_Write(), write);
        Write_Row(Read(), 1, With(Tcp_Read, 2, "1.2.3"));
        Click(form->Btn_OK);
    });
    EXPECT_EQ(Message_Texts(), QStringList({"#18381#1839"}));
}

} // namespace
