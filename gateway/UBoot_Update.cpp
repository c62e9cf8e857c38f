// The update dialog's commands: the ping, the Ethernet and the serial update.
#include "gateway/UBoot.h"

#include "app/UFileCommands.h"
#include "app/UGlobals.h"
#include "app/ULang.h"

namespace
{

constexpr uint32_t Ping_Wait_Ms = 400;   // longest wait for one attempt's reply
constexpr uint32_t Ping_Limit_Ms = 5000; // no attempt starts later than this after the first
constexpr uint32_t Ping_Pause_Ms = 10;
constexpr int Ping_Answers_Needed = 2;

constexpr int Text_Device_Not_Found = 1236, Text_Check_Address = 1237;

// Clears a flag when the scope ends, whichever way.
class TFlagScope
{
  public:
    explicit TFlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~TFlagScope() { flag_ = false; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

  private:
    bool& flag_;
};

QString Quoted(const QString& text)
{
    return "\"" + text + "\"";
}

} // namespace

void TFBoot::PingReply(const TEchoResult& ReplyStatus)
{
    ping_res = ReplyStatus.BytesReceived > 0 ? 1 : 2;
}

bool TFBoot::Send_Ping()
{
    ping_res = 0;
    // Differences on the 32-bit tick stay right across its wrap-around.
    const uint32_t start = Ping_Hooks.Tick();
    Ping.Host = IP_Address_Text();
    int answered = 0;
    try {
        do {
            const uint32_t attempt = Ping_Hooks.Tick();
            Ping_Hooks.Echo(Ping);
            while (ping_res == 0 && uint32_t(Ping_Hooks.Tick() - attempt) <= Ping_Wait_Ms) {
                Ping_Hooks.Pause(Ping_Pause_Ms);
                Application->ProcessMessages();
            }
            if (ping_res == 1 && ++answered >= Ping_Answers_Needed)
                break;
        } while (uint32_t(Ping_Hooks.Tick() - start) <= Ping_Limit_Ms);
    } catch (const EIcmpError&) {
        return false;
    }
    return ping_res == 1;
}

void TFBoot::Btn_UpdateClick(TObject*)
{
    // The ping's message rounds deliver clicks too: a second update over the same job file would
    // start while the first one is still on its way.
    if (FUpdating)
        return;
    const TFlagScope updating(FUpdating);
    if (Form_Type == 1)
        Ethernet_Update();
    else if (Form_Type == 0)
        Serial_Update();
}

void TFBoot::Ethernet_Update()
{
    if (Send_Ping()) {
        Last_IP_Address = IP_Address_Text();
        Last_Update_Option = CB_Update_Options->ItemIndex();
        Last_Read_Back = CB_Update_Option_Read_Back->Checked();
        // A job file that cannot be written raises here: the updater must not run on an old one.
        Compile_XML_Parameter_New_Boot();
        Start_Program(App_Dir + "/Ethernet_Update.exe", QString(), 0);
    } else if (ping_res == 2) {
        MessageDlg(Lang_Text(Text_Device_Not_Found), mtWarning, mbOK);
    } else {
        MessageDlg(Lang_Text(Text_Check_Address), mtError, mbOK);
    }
}

QString TFBoot::Update_Options(const QString& s_opt, int Option, bool Read_Back)
{
    const QString read = Read_Back ? "FR " : "NO ";
    const QString back = Read_Back ? "PR " : "NO ";
    switch (Option) {
    case 0:
        return s_opt + "FW " + read + "PW " + back;
    case 1:
        return s_opt + "FW " + read + "NO " + "NO ";
    case 2:
        return s_opt + "NO " + "NO " + "PW " + back;
    default:
        return s_opt;
    }
}

QString TFBoot::Update_Options(const QString& s_opt) const
{
    return Update_Options(s_opt, CB_Update_Options->ItemIndex(), CB_Update_Option_Read_Back->Checked());
}

QString TFBoot::Serial_Command_Line() const
{
    return Update_Options("\\\\.\\" + CB_COM_Port->Text() + " ") + Quoted(Master_Dir + "/simGW204.sim") +
           " " + Quoted(Active_Project_Dir + "/bin/");
}

void TFBoot::Serial_Update()
{
    Last_Update_Option = CB_Update_Options->ItemIndex();
    Last_Read_Back = CB_Update_Option_Read_Back->Checked();
    Start_Program(App_Dir + "/Ser_GW204_Update.exe", Serial_Command_Line(), 0);
}
