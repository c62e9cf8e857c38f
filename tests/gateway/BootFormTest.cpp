// The update dialog as the user meets it: the panels of each road, the remembered values, the
// address edits, the texts of the table and the pieces of the serial road.
#include "BootTest.h"

#include "app/ULang.h"
#include "grid/core/ExtCGrid.h"
#include "platform/system/SerialPorts.h"

namespace
{

using boottest::Boot;

TEST_F(Boot, EthernetShowHasTheAddressAndOptionsWithTheDefaults)
{
    Last_IP_Address = Default_IP_Address;
    Shown(1, [&] {
        EXPECT_EQ(Address(), QStringList({"192", "168", "2", "205"}));
        EXPECT_EQ(form_->CB_Update_Options->Text(), "Firmware + Configuration");
        EXPECT_TRUE(form_->CB_Update_Option_Read_Back->Checked());
        EXPECT_EQ(form_->Caption(), "Update Device by Ethernet (UDP)");
        EXPECT_EQ(form_->L_SW_Desc->Caption(), "Update Device Using the Ethernet Port");
        EXPECT_EQ(form_->L_SW_Code->Caption(), "RIVA101");
        EXPECT_EQ(form_->ClientWidth(), 449);
        EXPECT_EQ(form_->ClientHeight(), 230);
        EXPECT_TRUE(form_->P_IP_Address->Visible());
        EXPECT_TRUE(form_->P_Options->Visible());
        EXPECT_FALSE(form_->P_Eth_Search->Visible());
        EXPECT_FALSE(form_->P_Serial->Visible());
        // Stacked under the title, the buttons at the bottom.
        EXPECT_EQ(form_->P_IP_Address->Top(), 69);
        EXPECT_EQ(form_->P_Options->Top(), 69 + 49);
        EXPECT_EQ(form_->P_Button->Top(), 69 + 49 + 72);
        EXPECT_EQ(form_->ActiveControl(), form_->E_IP1);
        EXPECT_LT(form_->P_IP_Address->TabOrder(), form_->P_Options->TabOrder());
        EXPECT_LT(form_->P_Options->TabOrder(), form_->P_Button->TabOrder());
    });
}

TEST_F(Boot, TheRememberedAddressFillsTheEditsOnlyWhenItSplits)
{
    struct Case {
        const char* last;
        QStringList shown;
    };
    const QStringList before = {"1", "2", "3", "4"};
    const Case cases[] = {
        {" 10 . 0 . 0 . 7 ", {"10", "0", "0", "7"}},
        {"10.0.0.300", before},
        {"10.0.0", before},
        {"", before},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.last);
        Set_Address(before);
        Last_IP_Address = c.last;
        Shown(1, [&] { EXPECT_EQ(Address(), c.shown); });
    }
}

TEST_F(Boot, EachShowRestoresTheRememberedOptionAndReadBack)
{
    Last_Update_Option = 2;
    Last_Read_Back = false;
    Shown(1, [&] {
        EXPECT_EQ(form_->CB_Update_Options->Text(), "Configuration");
        EXPECT_FALSE(form_->CB_Update_Option_Read_Back->Checked());
        // A language switch refills the list and selects the first option until the next show.
        form_->Set_Lang();
        EXPECT_EQ(form_->CB_Update_Options->ItemIndex(), 0);
    });
    Shown(1, [&] { EXPECT_EQ(form_->CB_Update_Options->ItemIndex(), 2); });
}

TEST_F(Boot, SerialShowHasThePortListAndOptions)
{
    testsupport::TempDir dev;
    SetSerialDevicePrefix(dev.file("ttyS"));
    testsupport::writeBytes(dev.file("ttyS1"), "");
    testsupport::writeBytes(dev.file("ttyS4"), "");
    Shown(0, [&] {
        EXPECT_EQ(form_->Caption(), "Update Device by Serial");
        EXPECT_EQ(form_->L_SW_Desc->Caption(), "Update Device Using the Serial Port");
        EXPECT_EQ(form_->ClientWidth(), 449);
        EXPECT_EQ(form_->ClientHeight(), 232);
        EXPECT_TRUE(form_->P_Serial->Visible());
        EXPECT_TRUE(form_->P_Options->Visible());
        EXPECT_FALSE(form_->P_IP_Address->Visible());
        EXPECT_FALSE(form_->P_Eth_Search->Visible());
        EXPECT_EQ(form_->P_Serial->Top(), 69);
        EXPECT_EQ(form_->P_Options->Top(), 69 + 51);
        EXPECT_EQ(form_->CB_COM_Port->Items->Count(), 2);
        EXPECT_EQ(form_->CB_COM_Port->Text(), "COM2");
        EXPECT_EQ(form_->CB_COM_Port->Items->Strings(1), "COM5");
        EXPECT_EQ(form_->ActiveControl(), form_->CB_COM_Port);
        EXPECT_LT(form_->P_Serial->TabOrder(), form_->P_Options->TabOrder());
        EXPECT_LT(form_->P_Button->TabOrder(), form_->P_IP_Address->TabOrder());

        // The list button probes again.
        testsupport::writeBytes(dev.file("ttyS0"), "");
        Click(form_->Btn_COM_List);
        EXPECT_EQ(form_->CB_COM_Port->Items->Count(), 3);
        EXPECT_EQ(form_->CB_COM_Port->Text(), "COM1");
    });
    SetSerialDevicePrefix("");
}

TEST_F(Boot, AnotherTypeHidesTheMiddlePanelsAndKeepsTheCaption)
{
    Shown(1, [] {});
    Shown(7, [&] {
        EXPECT_EQ(form_->Caption(), "Update Device by Ethernet (UDP)");
        for (TPanel* p : {form_->P_IP_Address, form_->P_Serial, form_->P_Eth_Search, form_->P_Options})
            EXPECT_FALSE(p->Visible()) << p->Name().toStdString();
        EXPECT_EQ(form_->CB_Update_Options->ItemIndex(), 0);
    });
}

TEST_F(Boot, TypingAnAddressKeyByKeyFillsTheFourEdits)
{
    Last_IP_Address = Default_IP_Address;
    Shown(1, [&] {
        QApplication::setActiveWindow(form_->Widget());
        for (QChar ch : QString("192.168.2.10")) {
            QWidget* focused = QApplication::focusWidget();
            ASSERT_NE(focused, nullptr);
            QTest::keyClick(focused, ch.toLatin1());
        }
        EXPECT_EQ(Address(), QStringList({"192", "168", "2", "10"}));
        EXPECT_EQ(form_->FocusedControl(), form_->E_IP4);
        // A dot in the last edit is dropped and the focus stays.
        QTest::keyClick(QApplication::focusWidget(), '.');
        EXPECT_EQ(form_->E_IP4->Text(), "10");
        EXPECT_EQ(form_->FocusedControl(), form_->E_IP4);
    });
}

TEST_F(Boot, TheSearchPanelHasItsControls)
{
    // No caller shows it; it keeps its design state.
    EXPECT_TRUE(form_->CB_Find_All_BVX->Checked());
    EXPECT_EQ(form_->P_Eth_Search->Height(), 184);
    EXPECT_EQ(form_->Btn_Search->Caption(), "Search");
    EXPECT_FALSE(form_->Btn_Search->OnClick);
    // The device list between the label and the check box; nothing fills it.
    TExtColumnGrid* list = form_->ACG_List_Devices;
    EXPECT_EQ(list->Parent(), form_->P_Eth_Search);
    EXPECT_EQ(list->BoundsRect(), TRect(16, 30, 433, 156));
    ASSERT_EQ(list->Columns()->Count(), 2);
    EXPECT_EQ(list->Cells(0, 0), "IP Address");
    EXPECT_EQ(list->Cells(1, 0), "MAC Address");
    EXPECT_EQ(list->Cells(0, 1), "");
}

void SetMarkers(const QString& mark)
{
    for (int n = 0; n < Lang_Table_Capacity; ++n)
        Set_Lang_Text(n, mark + QString::number(n));
}

TEST_F(Boot, TextsComeFromTheTable)
{
    SetMarkers("#");
    struct Case {
        int type;
        const char* caption;
        const char* desc;
    };
    const Case cases[] = {{0, "#1200", "#1201"}, {1, "#1202", "#1203"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        form_->Form_Type = c.type;
        form_->CB_Update_Options->SetItemIndex(2);
        form_->Set_Lang();
        EXPECT_EQ(form_->Caption(), c.caption);
        EXPECT_EQ(form_->L_SW_Desc->Caption(), c.desc);
        ASSERT_EQ(form_->CB_Update_Options->Items->Count(), 3);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(form_->CB_Update_Options->Items->Strings(i), "#" + QString::number(1215 + i));
        EXPECT_EQ(form_->CB_Update_Options->ItemIndex(), 0);
    }
    const std::pair<TControl*, int> captions[] = {
        {form_->L_IP_Address, 1206},
        {form_->L_COM_Port, 1207},
        {form_->L_List_Device, 1209},
        {form_->Btn_Search, 1210},
        {form_->CB_Find_All_BVX, 1213},
        {form_->L_Update_Option, 1214},
        {form_->CB_Update_Option_Read_Back, 1218},
        {form_->Btn_Cancel, 1219},
        {form_->Btn_Update, 1220},
    };
    for (const auto& [control, n] : captions)
        EXPECT_EQ(control->Caption(), "#" + QString::number(n)) << control->Name().toStdString();
    const std::pair<TControl*, int> hints[] = {
        {form_->E_IP1, 1221},
        {form_->E_IP2, 1222},
        {form_->E_IP3, 1223},
        {form_->E_IP4, 1224},
        {form_->CB_COM_Port, 1225},
        {form_->Btn_COM_List, 1227},
        {form_->Btn_Search, 1229},
        {form_->ACG_List_Devices, 1230},
        {form_->CB_Find_All_BVX, 1231},
        {form_->CB_Update_Options, 1232},
        {form_->CB_Update_Option_Read_Back, 1233},
        {form_->Btn_Cancel, 1234},
        {form_->Btn_Update, 1235},
    };
    for (const auto& [control, n] : hints)
        EXPECT_EQ(control->Hint(), "#" + QString::number(n)) << control->Name().toStdString();
    EXPECT_EQ(form_->ACG_List_Devices->Columns()->Items(0)->Header(), "#1211");
    EXPECT_EQ(form_->ACG_List_Devices->Columns()->Items(1)->Header(), "#1212");

    // Any other type leaves caption and description as they were.
    SetMarkers("@");
    form_->Form_Type = 3;
    form_->Set_Lang();
    EXPECT_EQ(form_->Caption(), "#1202");
    EXPECT_EQ(form_->L_SW_Desc->Caption(), "#1203");
    EXPECT_EQ(form_->L_IP_Address->Caption(), "@1206");
}

TEST_F(Boot, TheMainWindowsSlotShowsTheDialogWithTheType)
{
    ASSERT_TRUE(File_Command_Slots().Show_Boot);
    bool shown = false;
    QTimer::singleShot(0, [&] {
        shown = form_->Widget()->isVisible();
        EXPECT_EQ(form_->Caption(), "Update Device by Ethernet (UDP)");
        form_->SetModalResult(mrCancel);
    });
    File_Command_Slots().Show_Boot(1);
    EXPECT_TRUE(shown);
    EXPECT_EQ(form_->Form_Type, 1);
    form_.reset();
    EXPECT_FALSE(File_Command_Slots().Show_Boot);
}

TEST(BootSerial, UpdateOptionsGiveFourTokensEachWithABlank)
{
    struct Case {
        int option;
        bool read_back;
        const char* tokens;
    };
    const Case cases[] = {
        {0, true, "FW FR PW PR "},
        {0, false, "FW NO PW NO "},
        {1, true, "FW FR NO NO "},
        {1, false, "FW NO NO NO "},
        {2, true, "NO NO PW PR "},
        {2, false, "NO NO PW NO "},
        {3, true, ""},
        {-1, false, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TFBoot::Update_Options("x ", c.option, c.read_back), QString("x ") + c.tokens)
            << c.option << " " << c.read_back;
}

TEST_F(Boot, SerialUpdateRunsTheSerialUpdaterWithItsCommandLine)
{
    Master_Dir = app_.file("MASTER");
    form_->Form_Type = 0;
    form_->CB_COM_Port->Items->Add("COM3");
    form_->CB_COM_Port->SetItemIndex(1);
    form_->CB_Update_Options->SetItemIndex(0);
    form_->CB_Update_Option_Read_Back->SetChecked(true);
    const QString line = form_->Serial_Command_Line();
    EXPECT_TRUE(line.startsWith("\\\\.\\COM3 FW FR PW PR ")) << line.toStdString();
    EXPECT_TRUE(line.endsWith("\"" + Master_Dir + "/simGW204.sim\" \"" + Active_Project_Dir + "/bin/\""))
        << line.toStdString();

    // The line reaches the updater as four arguments and two paths, without a shell; no ping, no job.
    const QString out = app_.file("args.txt");
    testsupport::writeScript(app_.file("Ser_GW204_Update.exe"),
                             ("printf '%s|' \"$@\" > '" + out + "'\n").toUtf8());
    bool pinged = false;
    form_->Ping_Hooks.Echo = [&](TIcmpClient&) { pinged = true; };
    form_->CB_Update_Options->SetItemIndex(2);
    form_->CB_Update_Option_Read_Back->SetChecked(false);
    Last_Update_Option = 0;
    Last_Read_Back = true;
    form_->Btn_UpdateClick(form_->Btn_Update);
    EXPECT_EQ(QString::fromUtf8(testsupport::readBytes(out)),
              "\\\\.\\COM3|NO|NO|PW|NO|" + Master_Dir + "/simGW204.sim|" + Active_Project_Dir + "/bin/|");
    EXPECT_FALSE(pinged);
    EXPECT_FALSE(FileExists(Job_File()));
    EXPECT_EQ(Last_Update_Option, 2);
    EXPECT_FALSE(Last_Read_Back);
    EXPECT_TRUE(ui_->Messages.empty());
}

TEST_F(Boot, GetTypeDevAnswersZeroWithOrWithoutTheProjectFile)
{
    EXPECT_EQ(form_->Get_Type_Dev(), 0);
    testsupport::writeBytes(Active_Project_Dir + "/ParGen.xml", "<ParGen><GW_Type>3</GW_Type></ParGen>");
    EXPECT_EQ(form_->Get_Type_Dev(), 0);
    EXPECT_EQ(form_->XML1.Root().NodeName(), "ParGen");
    testsupport::writeBytes(Active_Project_Dir + "/ParGen.xml", "<ParGen>");
    EXPECT_EQ(form_->Get_Type_Dev(), 0);
}

} // namespace
