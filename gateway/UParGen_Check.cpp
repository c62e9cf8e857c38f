// The communication-parameters form: the data check run by OK.
#include "gateway/UParGen.h"

#include "app/ULang.h"
#include "platform/controls/StdCtrls.h"

#include <initializer_list>

namespace
{

// Text indexes of the failures; the octet messages follow each other (DNS 1..4, IP 1..4, ...).
namespace msg
{
constexpr int Primary_DNS = 1563, Secondary_DNS = 1567, Revision = 412, Slave_Name = 411, Node_Address = 989;
constexpr int Stop_Bits = 472, TimeOut = 473, Cyclic = 474, IP = 720, Subnet = 724, Gateway = 728;
} // namespace msg

// A text that does not convert counts as -1, outside every range.
int64_t Value_Of(const TEdit* edit, bool wide = false)
{
    if (wide) {
        int64_t v = -1;
        return TryStrToInt64(edit->Text(), v) ? v : -1;
    }
    int32_t v = -1;
    return TryStrToInt(edit->Text(), v) ? v : -1;
}

bool In_Range(const TEdit* edit, int64_t low, int64_t high, bool wide = false)
{
    const int64_t v = Value_Of(edit, wide);
    return v >= low && v <= high;
}

// The first octet outside 0..255, or -1.
int Bad_Octet(std::initializer_list<const TEdit*> octets)
{
    int i = 0;
    for (const TEdit* e : octets) {
        if (!In_Range(e, 0, 255))
            return i;
        ++i;
    }
    return -1;
}

bool Fail(int text)
{
    MessageDlg(Lang_Text(text), mtError, mbOK);
    return false;
}

} // namespace

bool TFParGen::Controllo_Dati()
{
    if (CB_EthConn_Enable_DNS->Checked()) {
        const int pri = Bad_Octet(
            {E_EthConn_Pri_DNS_IP1, E_EthConn_Pri_DNS_IP2, E_EthConn_Pri_DNS_IP3, E_EthConn_Pri_DNS_IP4});
        if (pri >= 0)
            return Fail(msg::Primary_DNS + pri);
        const int sec = Bad_Octet(
            {E_EthConn_Sec_DNS_IP1, E_EthConn_Sec_DNS_IP2, E_EthConn_Sec_DNS_IP3, E_EthConn_Sec_DNS_IP4});
        if (sec >= 0)
            return Fail(msg::Secondary_DNS + sec);
    }
    if (!In_Range(E_EtherCAT_Slave_Revision_Number, 0, 0xFFFFFFFFLL, true))
        return Fail(msg::Revision);
    if (Trim(E_EtherCAT_Slave_Name->Text()).isEmpty())
        return Fail(msg::Slave_Name);
    if (!In_Range(E_EtherCAT_Slave_Node_Address, 1, 192))
        return Fail(msg::Node_Address);
    // Two stop bits only with no parity; a box without selection (-1) passes.
    if (CB_ModbusMaster_StopBits->ItemIndex() > 0 && CB_ModbusMaster_Parity->ItemIndex() > 0)
        return Fail(msg::Stop_Bits);
    if (!In_Range(E_ModbusMaster_TimeOut, 0, 100000))
        return Fail(msg::TimeOut);
    if (!In_Range(E_ModbusMaster_CyclicDelay, 0, 10000))
        return Fail(msg::Cyclic);
    const int ip = Bad_Octet({E_Ethernet_IP1, E_Ethernet_IP2, E_Ethernet_IP3, E_Ethernet_IP4});
    if (ip >= 0)
        return Fail(msg::IP + ip);
    const int sm = Bad_Octet({E_Ethernet_SM1, E_Ethernet_SM2, E_Ethernet_SM3, E_Ethernet_SM4});
    if (sm >= 0)
        return Fail(msg::Subnet + sm);
    if (CB_Ethernet_En_GAT->Checked()) {
        const int gat = Bad_Octet({E_Ethernet_GAT1, E_Ethernet_GAT2, E_Ethernet_GAT3, E_Ethernet_GAT4});
        if (gat >= 0)
            return Fail(msg::Gateway + gat);
    }
    return true;
}
