// The request check of both Modbus master editors on plain rows: the step order, the protocol's
// limits per type, the bytes a request takes in its data array, the table's end, the enabled flag,
// and the TCP address and port steps.
#include "gateway/USetAccess_Requests.h"

#include <gtest/gtest.h>

namespace
{

using namespace setaccess;

constexpr TRequestTexts Serial_Read = {-1, -1, 1769, 1770, 1771, 1772, 1773, 1774, 1775, 1776, 1777, 1778};
constexpr TRequestTexts Serial_Write = {-1, -1, 1779, 1780, 1781, 1782, 1783, 1784, 1785, 1786, 1787, -1};
constexpr TRequestTexts Tcp_Read = {1839, 1840, 1841, 1842, 1843, 1844, 1899, 1846, 1847, 1848, 1849, 1898};
constexpr TRequestTexts Tcp_Write = {1850, 1851, 1852, 1853, 1854, 1855, 1856, 1857, 1858, 1859, 1860, -1};

// A serial read row: Enable, Slave ID, Type, Address, NPoint, Poll Time, Max Error, Position, Start
// Bit, Swap, SwapWord, Topic, Mnemonic.
struct TRead {
    QString Enable = "Y", Slave = "1", Type = "Holding Register", Address = "0", NPoint = "1", Poll = "100",
            Max_Error = "0", Position = "0", Bit = "", Topic = "";
};
QStringList Row_Of(const TRead& r, bool Tcp = false, const QString& Ip = "192.168.1.125",
                   const QString& Port = "502")
{
    QStringList row = {"n", r.Enable};
    if (Tcp)
        row << Ip << Port;
    return row << r.Slave << r.Type << r.Address << r.NPoint << r.Poll << r.Max_Error << r.Position << r.Bit
               << "N"
               << "N" << r.Topic << "m";
}

// A serial write row: Enable, Slave ID, Type, Address, NPoint, Poll Time, On Change, On CMD, Max
// Error, Position, Start Bit, Swap, SwapWord, Mnemonic.
struct TWrite {
    QString Enable = "Y", Slave = "1", Type = "Holding Register", Address = "0", NPoint = "1", Poll = "0",
            Max_Error = "0", Position = "0", Bit = "";
};
QStringList Row_Of(const TWrite& w, bool Tcp = false, const QString& Ip = "10.0.0.1",
                   const QString& Port = "0")
{
    QStringList row = {"n", w.Enable};
    if (Tcp)
        row << Ip << Port;
    return row << w.Slave << w.Type << w.Address << w.NPoint << w.Poll << ""
               << "" << w.Max_Error << w.Position << w.Bit << ""
               << ""
               << "m";
}

TRequestCheck Check_Of(bool Write, bool Tcp)
{
    TRequestCheck c;
    c.Write = Write;
    c.Offset = Tcp ? Tcp_Offset : 0;
    c.Texts = Tcp ? (Write ? Tcp_Write : Tcp_Read) : (Write ? Serial_Write : Serial_Read);
    return c;
}

// "row text suffix" of the first fault, "" when the rows pass.
std::string Fault_Of(const TRequestCheck& Check, const std::vector<QStringList>& Rows)
{
    const std::optional<TRequestFault> f = Check_Requests(Check, Rows);
    if (!f)
        return "";
    return (QString("%1 %2 %3").arg(f->Row).arg(f->Text).arg(f->Suffix)).trimmed().toStdString();
}

TRead Read(std::initializer_list<std::pair<QString TRead::*, QString>> changes)
{
    TRead r;
    for (const auto& [field, value] : changes)
        r.*field = value;
    return r;
}
TWrite Write(std::initializer_list<std::pair<QString TWrite::*, QString>> changes)
{
    TWrite w;
    for (const auto& [field, value] : changes)
        w.*field = value;
    return w;
}

TEST(SetAccessCheck, ReadRequestsStayInsideTheProtocolAndTheInputArray)
{
    using R = TRead;
    struct Case {
        const char* what;
        TRead row;
        std::string fault; // "" passes
    };
    const Case cases[] = {
        {"registers end on byte 1499", Read({{&R::NPoint, "125"}, {&R::Position, "1250"}}), ""},
        {"registers end on byte 1500", Read({{&R::NPoint, "125"}, {&R::Position, "1251"}}), "1 1777"},
        {"2000 bits from bit 0",
         Read({{&R::Type, "Coil Status"}, {&R::NPoint, "2000"}, {&R::Bit, "0"}, {&R::Position, "1250"}}), ""},
        {"2000 bits from bit 1",
         Read({{&R::Type, "Coil Status"}, {&R::NPoint, "2000"}, {&R::Bit, "1"}, {&R::Position, "1250"}}),
         "1 1777"},
        {"126 registers", Read({{&R::Type, "Input Register"}, {&R::NPoint, "126"}}), "1 1772 125"},
        {"2000 input bits", Read({{&R::Type, "Input Status"}, {&R::NPoint, "2000"}, {&R::Bit, "0"}}), ""},
        {"2001 bits", Read({{&R::Type, "Input Status"}, {&R::NPoint, "2001"}, {&R::Bit, "0"}}),
         "1 1772 2000"},
        {"no points", Read({{&R::NPoint, "0"}}), "1 1772 125"},
        {"bits need a start bit", Read({{&R::Type, "Coil Status"}}), "1 1776"},
        {"registers need none", Read({{&R::Bit, ""}}), ""},
        // The list offers 0..7 only; a loaded 9 is taken as it is.
        {"start bit 9", Read({{&R::Type, "Coil Status"}, {&R::Bit, "9"}}), ""},
        // Read as 0, the ninth bit lands on byte 1500 (as -1 it would not).
        {"start bit that is no number counts 0",
         Read({{&R::Type, "Coil Status"}, {&R::Bit, "x"}, {&R::NPoint, "9"}, {&R::Position, "1499"}}),
         "1 1777"},
        {"start bit -1",
         Read({{&R::Type, "Coil Status"}, {&R::Bit, "-1"}, {&R::NPoint, "9"}, {&R::Position, "1499"}}), ""},
        {"a huge start bit does not wrap round",
         Read({{&R::Type, "Coil Status"}, {&R::Bit, "2147483647"}, {&R::NPoint, "2000"}}), "1 1777"},
        {"a loaded type in other case and blanks is a status type",
         Read({{&R::Type, "coil status "}, {&R::NPoint, "2000"}, {&R::Bit, "0"}}), ""},
        {"so it needs a start bit", Read({{&R::Type, "coil status "}}), "1 1776"},
        {"an unknown type is a register type", Read({{&R::Type, "Analog"}, {&R::NPoint, "126"}}),
         "1 1772 125"},
        {"no type", Read({{&R::Type, ""}}), "1 1770"},
        {"poll time 0", Read({{&R::Poll, "0"}}), "1 1773"},
        {"poll time 100000000", Read({{&R::Poll, "100000000"}, {&R::Max_Error, "100000000"}}), ""},
        {"poll time 100000001", Read({{&R::Poll, "100000001"}}), "1 1773"},
        {"max error -1", Read({{&R::Max_Error, "-1"}}), "1 1774"},
        {"slave 0", Read({{&R::Slave, "0"}}), "1 1769"},
        {"slave 248", Read({{&R::Slave, "248"}}), "1 1769"},
        {"slave 247", Read({{&R::Slave, "247"}}), ""},
        {"address 65536", Read({{&R::Address, "65536"}}), "1 1771"},
        {"address 0x10 is 16", Read({{&R::Address, "0x10"}}), ""},
        {"address with a trailing blank", Read({{&R::Address, "16 "}}), "1 1771"},
        {"address with letters", Read({{&R::Address, "16a"}}), "1 1771"},
        {"no position", Read({{&R::Position, ""}}), "1 1775 1499"},
        {"position 1500", Read({{&R::Position, "1500"}}), "1 1775 1499"},
        // The steps run in order: the first fault only.
        {"slave and type both wrong", Read({{&R::Slave, "0"}, {&R::Type, ""}}), "1 1769"},
        {"a disabled request is not checked", Read({{&R::Enable, "N"}, {&R::Slave, "999"}}), ""},
        {"enable is trimmed", Read({{&R::Enable, " Y "}, {&R::Slave, "999"}}), "1 1769"},
        {"an empty enable is disabled", Read({{&R::Enable, ""}, {&R::Slave, "999"}}), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Fault_Of(Check_Of(false, false), {Row_Of(c.row)}), c.fault);
    }
}

TEST(SetAccessCheck, WriteRequestsStayInsideTheProtocolAndTheOutputArray)
{
    using W = TWrite;
    struct Case {
        const char* what;
        TWrite row;
        std::string fault;
    };
    const Case cases[] = {
        {"124 registers", Write({{&W::NPoint, "124"}}), "1 1782 123"},
        {"123 registers", Write({{&W::NPoint, "123"}}), ""},
        {"1968 coils", Write({{&W::Type, "Coil Status"}, {&W::NPoint, "1968"}, {&W::Bit, "0"}}), ""},
        {"1969 coils", Write({{&W::Type, "Coil Status"}, {&W::NPoint, "1969"}, {&W::Bit, "0"}}),
         "1 1782 1968"},
        {"coils end on byte 1499",
         Write({{&W::Type, "Coil Status"}, {&W::NPoint, "1968"}, {&W::Bit, "7"}, {&W::Position, "1253"}}),
         ""},
        {"coils end on byte 1500",
         Write({{&W::Type, "Coil Status"}, {&W::NPoint, "1968"}, {&W::Bit, "7"}, {&W::Position, "1254"}}),
         "1 1787"},
        // Input types do not exist for writing: their text is a register type.
        {"input status writes registers", Write({{&W::Type, "Input Status"}, {&W::NPoint, "124"}}),
         "1 1782 123"},
        {"coils need a start bit", Write({{&W::Type, "Coil Status"}}), "1 1786"},
        {"poll time 0", Write({{&W::Poll, "0"}}), ""},
        {"poll time -1", Write({{&W::Poll, "-1"}}), "1 1783"},
        {"max error x", Write({{&W::Max_Error, "x"}}), "1 1784"},
        {"position 1500", Write({{&W::Position, "1500"}}), "1 1785 1499"},
        {"slave 248", Write({{&W::Slave, "248"}}), "1 1779"},
        {"no type", Write({{&W::Type, ""}}), "1 1780"},
        {"address -1", Write({{&W::Address, "-1"}}), "1 1781"},
        {"a disabled request is not checked", Write({{&W::Enable, "N"}, {&W::Slave, ""}, {&W::NPoint, "x"}}),
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Fault_Of(Check_Of(true, false), {Row_Of(c.row)}), c.fault);
    }
}

TEST(SetAccessCheck, TheRequestsEndAtTheFirstEmptyKey)
{
    const QStringList good = Row_Of(TRead());
    const QStringList bad = Row_Of(Read({{&TRead::NPoint, "0"}}));
    QStringList blank_key = bad;
    blank_key[2] = "  ";
    EXPECT_EQ(Fault_Of(Check_Of(false, false), {good, good, bad}), "3 1772 125");
    // Below a Slave ID of blanks nothing counts.
    EXPECT_EQ(Fault_Of(Check_Of(false, false), {good, blank_key, bad}), "");

    // Where the Position column is hidden, its steps are left out.
    TRequestCheck hidden = Check_Of(false, false);
    hidden.Position_Shown = false;
    EXPECT_EQ(Fault_Of(hidden, {Row_Of(Read({{&TRead::Position, "1500"}}))}), "");
    // A shown Topic column needs a topic per enabled read request.
    TRequestCheck topic = Check_Of(false, false);
    topic.Topic_Shown = true;
    EXPECT_EQ(Fault_Of(topic, {Row_Of(Read({{&TRead::Topic, " "}}))}), "1 1778");
    EXPECT_EQ(Fault_Of(topic, {Row_Of(Read({{&TRead::Topic, "t"}}))}), "");
}

TEST(SetAccessCheck, TcpRequestsCheckAddressAndPortFirst)
{
    struct Case {
        const char* what;
        bool write;
        QString ip, port, slave;
        std::string fault;
    };
    const Case cases[] = {
        {"a fine request", false, "192.168.1.125", "502", "1", ""},
        {"an address part above 255 before a bad port", false, "10.0.0.300", "x", "1", "1 1839"},
        {"port 65536", false, "10.0.0.1", "65536", "1", "1 1840"},
        {"port 0", false, "10.0.0.1", "0", "1", ""},
        {"an empty port", false, "10.0.0.1", "", "1", "1 1840"},
        {"an address without Slave ID is a request", false, "10.0.0.1", "502", "", "1 1841"},
        {"write address", true, "10.0.0", "502", "1", "1 1850"},
        {"write port", true, "10.0.0.1", "-1", "1", "1 1851"},
        {"write slave", true, "10.0.0.1", "1", "0", "1 1852"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QStringList row;
        if (c.write)
            row = Row_Of(Write({{&TWrite::Slave, c.slave}}), true, c.ip, c.port);
        else
            row = Row_Of(Read({{&TRead::Slave, c.slave}}), true, c.ip, c.port);
        EXPECT_EQ(Fault_Of(Check_Of(c.write, true), {row}), c.fault);
    }
    // The read poll time has its own text in TCP; the later columns moved two places.
    EXPECT_EQ(Fault_Of(Check_Of(false, true), {Row_Of(Read({{&TRead::Poll, "0"}}), true)}), "1 1899");
    EXPECT_EQ(Fault_Of(Check_Of(false, true),
                       {Row_Of(Read({{&TRead::Position, "1251"}, {&TRead::NPoint, "125"}}), true)}),
              "1 1849");
    // The table ends at the first empty address, whatever the Slave ID holds.
    const QStringList end = Row_Of(Read({{&TRead::Slave, "0"}}), true, " ", "x");
    EXPECT_EQ(Fault_Of(Check_Of(false, true),
                       {Row_Of(TRead(), true), end, Row_Of(Read({{&TRead::Slave, "0"}}), true)}),
              "");
    // A disabled write request is not checked.
    EXPECT_EQ(Fault_Of(Check_Of(true, true), {Row_Of(Write({{&TWrite::Enable, "N"}}), true, "1.2.3", "-5")}),
              "");
}

TEST(SetAccessCheck, CheckIPAddressAnswersTrueForAnInvalidAddress)
{
    struct Case {
        const char* text;
        bool invalid;
    };
    const Case cases[] = {
        {"192.168.1.125", false},
        {"0.0.0.0", false},
        {"255.255.255.255", false},
        {"", true},
        {"192.168.1", true},
        {"192.168.1.1.1", true},
        {"192.168.1.256", true},
        {"a.b.c.d", true},
        {"192.168..1", true},
        {"-1.0.0.0", true},
        {"1.2.3.", true},
        {".1.2.3", true},
        // Each part is an integer as the program reads them everywhere.
        {"0x10.1.1.1", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Check_IP_Address(c.text), c.invalid) << c.text;
}

} // namespace
