// The BACnet client's row rules, the checks of its two tables over plain rows, and the reading of
// EDE files from bytes.
#include "app/TableEditorFixture.h"
#include "editors/fieldbus/UBACnetAccess.h"
#include "editors/fieldbus/UBACnet_Rules.h"
#include "editors/fieldbus/UImportEDEFile.h"

namespace
{

using namespace bacnetrules;
using namespace bacnetaccess;
using tableeditortest::PrintTo;

constexpr TSide R = TSide::Read, W = TSide::Write;

TEST(BACnetClientRules, ObjectTypesAndProperties)
{
    const struct {
        const char* text;
        TSide side;
        int code;
    } objects[] = {
        {"Accumulator", R, 1},
        {"Accumulator", W, -1},
        {" analog value ", W, 12},
        {"binary input", R, 6},
        {"Binary Input", W, -1},
        {"200", R, 200},
        {"200", W, 200},
        {"127", R, -1},
        {"1024", W, -1},
        {"", R, -1},
        {"Life Safety Zone", W, 15},
    };
    for (const auto& c : objects)
        EXPECT_EQ(Check_Object_Type(c.text, c.side), c.code) << c.text << (c.side == R ? " read" : " write");

    const struct {
        const char* text;
        TSide side;
        int object;
        int code;
    } properties[] = {
        {"Units (117)", R, 11, -1},
        {"Units (117)", R, 4, 4},
        {"Scale (187)", R, 4, -1},
        {"Scale (187)", R, 1, 1},
        {"PreScale (185)", R, 1, 5},
        {"Polarity (84)", R, 13, 1},
        {"Polarity (84)", R, 12, -1},
        {"Number of States (74)", R, 3, 4},
        {"Object Type (79)", R, 9, 2},
        {" present value (85) ", W, 5, 100},
        {"Units (117)", W, 4, -1},
        {"600", R, 4, 200},
        {"600", W, 4, 200},
        {"511", W, 4, -1},
        {"4184303", R, 4, 200},
        {"4184304", R, 4, -1},
    };
    for (const auto& c : properties)
        EXPECT_EQ(Check_Property(c.text, c.side, c.object), c.code) << c.text << " object " << c.object;
}

TEST(BACnetClientRules, DataTypesAndByteCounts)
{
    EXPECT_GE(Check_Data_Type("Null", 5, Proprietary_Property), 0);
    EXPECT_GE(Check_Data_Type("", 200, Present_Value), 0);
    EXPECT_GE(Check_Data_Type(" real ", 5, Present_Value), 0);
    EXPECT_GE(Check_Data_Type("Enumerated", 13, Present_Value), 0);
    EXPECT_LT(Check_Data_Type("Unsigned Int", 5, Present_Value), 0);
    EXPECT_LT(Check_Data_Type("Enumerated", 14, Present_Value), 0);
    EXPECT_EQ(Aspected_Data_Type_Value(5, Present_Value), "Real");
    EXPECT_EQ(Aspected_Data_Type_Value(11, Present_Value), "Unsigned Int");
    EXPECT_EQ(Aspected_Data_Type_Value(14, Present_Value), "");
    EXPECT_EQ(Aspected_Data_Type_Value(5, Proprietary_Property), "");
    EXPECT_EQ(Check_Num_Byte_Max("Analog Output"), 255);
    EXPECT_EQ(Check_Num_Byte_Max("Bit String"), 120);
    EXPECT_EQ(Check_Num_Byte_Max(" double"), 8);
    EXPECT_EQ(Check_Num_Byte_Max("Null"), 0);

    const struct {
        int type;
        const char* object;
        const char* data;
        int bytes;
    } maps[] = {{0, "Analog Input", "Real", 4},
                {19, "Multi-State Value", "Unsigned Int", 4},
                {46, "Large Analog Value", "Double", 8},
                {99, "", "Null", 4}};
    for (const auto& m : maps) {
        EXPECT_EQ(Get_ObjType_EDE(m.type), m.object) << m.type;
        EXPECT_EQ(Get_DataType_EDE(m.type), m.data) << m.type;
        EXPECT_EQ(Get_NumByte_EDE(m.type), m.bytes) << m.type;
    }
}

TEST(BACnetClientRules, RawDestinationAddress)
{
    Set_English_Texts();
    TScopedInteraction answers;
    const struct {
        const char* text;
        int n;
        TSide side;
        const char* message; // nullptr: accepted
    } cases[] = {
        {" 1 , 2 ,3", 3, R, nullptr},
        {"1,2,", 2, W, nullptr},
        {" 1 , 2 ,3", 2, R, "Error in Read, row 4!! Destination Address has too many bytes"},
        {"1,300", 2, W, "Error in Write, row 4!! Bytes of Destination Address must be between 0 and 255"},
        {"1,,2", 3, R, "Error in Read, row 4!! Bytes of Destination Address must be between 0 and 255"},
        {"1,2", 3, W, "Error in Write, row 4!! Destination Address has too few bytes"},
        // Refused with a message, not silently.
        {"", 2, R, "Error in Read, row 4!! Destination Address has too few bytes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        answers->Messages.clear();
        EXPECT_EQ(Check_Dest_Add(c.text, c.n, c.side, 4), c.message != nullptr);
        if (c.message) {
            ASSERT_EQ(answers->Messages.size(), 1u);
            EXPECT_EQ(answers->Messages[0].Text, c.message);
            EXPECT_EQ(answers->Messages[0].Type, mtError);
        } else {
            EXPECT_TRUE(answers->Messages.empty());
        }
    }
    Clear_Lang_Table();
}

// A read row (every real column, index 0 the row number) with the given cells changed.
QStringList Read_Row(std::initializer_list<std::pair<int, const char*>> cells)
{
    QStringList r = {"1",        "Y",
                     "10.0.0.5", "Analog Input",
                     "7",        "Present Value (85)",
                     "4",        "N",
                     "",         "",
                     "",         "1000",
                     "0",        "0",
                     "0",        "",
                     "",         "m"};
    for (const auto& [c, t] : cells)
        r[c] = t;
    return r;
}

QStringList Write_Row(std::initializer_list<std::pair<int, const char*>> cells)
{
    QStringList r = {"1",
                     "Y",
                     "10.0.0.5",
                     "Analog Output",
                     "Real",
                     "7",
                     "Present Value (85)",
                     "0",
                     "4",
                     "N",
                     "",
                     "",
                     "",
                     "N",
                     "N",
                     "1000",
                     "0",
                     "0",
                     "0",
                     "",
                     "",
                     "m"};
    for (const auto& [c, t] : cells)
        r[c] = t;
    return r;
}

TEST(BACnetClientRules, TableChecksFindTheFirstFault)
{
    const struct {
        const char* what;
        bool write;
        QStringList row;
        int type;
        TFrameCheck fault;
    } cases[] = {
        {"plain read row", false, Read_Row({}), 0, std::nullopt},
        {"disabled row with invalid cells", false, Read_Row({{R_Enable, "N"}, {R_Object, "x"}}), 0,
         std::nullopt},
        {"lower-case enable is not enabled", true, Write_Row({{W_Enable, "y"}, {W_Instance, "-1"}}), 0,
         std::nullopt},
        {"bad IP", false, Read_Row({{R_Address, "10.0.0.256"}}), 0, TFrameFault{1, 2038}},
        {"IP with blanks", false, Read_Row({{R_Address, " 10.0.0.5 "}}), 0, std::nullopt},
        {"slave 255", false, Read_Row({{R_Address, "255"}}), 1, TFrameFault{1, 2039}},
        {"no address test for type 7", true, Write_Row({{W_Address, "x"}}), 7, std::nullopt},
        {"read-only object on the write side", true, Write_Row({{W_Object, "Accumulator"}}), 0,
         TFrameFault{1, 2049}},
        {"object 127", false, Read_Row({{R_Object, "127"}}), 0, TFrameFault{1, 2040}},
        {"object 1024", true, Write_Row({{W_Object, "1024"}}), 0, TFrameFault{1, 2049}},
        {"instance 2^32", false, Read_Row({{R_Instance, "4294967296"}}), 0, TFrameFault{1, 2041}},
        {"instance 2^32 - 1", false, Read_Row({{R_Instance, "4294967295"}}), 0, std::nullopt},
        {"instance -1", true, Write_Row({{W_Instance, "-1"}}), 0, TFrameFault{1, 2050}},
        {"property", false, Read_Row({{R_Property, "Scale (187)"}}), 0, TFrameFault{1, 2042}},
        {"read NByte", false, Read_Row({{R_NByte, "256"}}), 0, TFrameFault{1, 2043}},
        {"data type", true, Write_Row({{W_Data_Type, "Unsigned Int"}}), 0, TFrameFault{1, 2058, "Real"}},
        {"data type without expectation", true,
         Write_Row({{W_Object, "Life Safety Zone"}, {W_Data_Type, "Enumerated"}}), 0, TFrameFault{1, 2052}},
        {"priority", true, Write_Row({{W_Priority, "17"}}), 0, TFrameFault{1, 2053}},
        {"NByte over the data type", true, Write_Row({{W_NByte, "5"}}), 0, TFrameFault{1, 2054, "4"}},
        {"D Net", false, Read_Row({{R_En_Dest, "y "}, {R_D_Net, "0"}}), 0, TFrameFault{1, 2070}},
        {"D Len m3", false,
         Read_Row({{R_En_Dest, "Y"}, {R_D_Net, "5"}, {R_D_Len, "m3"}, {R_D_Add, " 1 , 2 ,3"}}), 0,
         std::nullopt},
        {"D Len M9", false, Read_Row({{R_En_Dest, "Y"}, {R_D_Net, "5"}, {R_D_Len, "M9"}}), 0,
         TFrameFault{1, 2086}},
        {"D Len M", true, Write_Row({{W_En_Dest, "Y"}, {W_D_Net, "5"}, {W_D_Len, "M"}}), 0,
         TFrameFault{1, 2087}},
        {"D Len empty", false, Read_Row({{R_En_Dest, "Y"}, {R_D_Net, "5"}}), 0, TFrameFault{1, 2086}},
        {"D Len 3", true, Write_Row({{W_En_Dest, "Y"}, {W_D_Net, "5"}, {W_D_Len, "3"}}), 0,
         TFrameFault{1, 2076}},
        {"D Len 1 with 256", false,
         Read_Row({{R_En_Dest, "Y"}, {R_D_Net, "5"}, {R_D_Len, "1"}, {R_D_Add, "256"}}), 0,
         TFrameFault{1, 2072}},
        {"D Len 2 with 0", true,
         Write_Row({{W_En_Dest, "Y"}, {W_D_Net, "5"}, {W_D_Len, "2"}, {W_D_Add, "0"}}), 0,
         TFrameFault{1, 2078}},
        {"D Len 6", false,
         Read_Row({{R_En_Dest, "Y"}, {R_D_Net, "5"}, {R_D_Len, "6"}, {R_D_Add, " 10.0.0.9:47808 "}}), 0,
         std::nullopt},
        {"D Len 6 without port", true,
         Write_Row({{W_En_Dest, "Y"}, {W_D_Net, "5"}, {W_D_Len, "6"}, {W_D_Add, "10.0.0.9"}}), 0,
         TFrameFault{1, 2079}},
        {"raw address on the write side", true,
         Write_Row({{W_En_Dest, "Y"}, {W_D_Net, "5"}, {W_D_Len, "M2"}, {W_D_Add, "300"}}), 0,
         TFrameFault{1, 2083}},
        {"D Add with 1,2, and M2", false,
         Read_Row({{R_En_Dest, "Y"}, {R_D_Net, "5"}, {R_D_Len, "M2"}, {R_D_Add, "1,2,"}}), 0, std::nullopt},
        {"read poll time empty", false, Read_Row({{R_Poll, ""}}), 0, TFrameFault{1, 2044}},
        {"write poll time empty, no timer", true, Write_Row({{W_Poll, ""}}), 0, std::nullopt},
        {"write poll time empty, timer", true, Write_Row({{W_Timer, "y"}, {W_Poll, ""}}), 0,
         TFrameFault{1, 2055}},
        {"read max err 65536", false, Read_Row({{R_Max_Err, "65536"}}), 0, TFrameFault{1, 2045}},
        {"write max err 65536", true, Write_Row({{W_Max_Err, "65536"}}), 0, TFrameFault{1, 2056}},
        {"write max err 65535", true, Write_Row({{W_Max_Err, "65535"}}), 0, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const TFrameRows rows = {c.row};
        const TFrameCheck got = c.write ? Check_Write_Rows(rows, c.type) : Check_Read_Rows(rows, c.type);
        EXPECT_EQ(got.has_value(), c.fault.has_value());
        if (got && c.fault) {
            EXPECT_EQ(got->Text, c.fault->Text);
            EXPECT_EQ(got->Limit, c.fault->Limit);
            EXPECT_EQ(got->Row, 1);
        }
    }
    // The first faulty row is the one reported.
    EXPECT_EQ(Check_Read_Rows({Read_Row({}), Read_Row({{R_NByte, "x"}}), Read_Row({{R_Object, ""}})}, 0),
              TFrameCheck(TFrameFault{2, 2043}));
}

// ---- EDE files -----------------------------------------------------------------------------------------

QByteArray Lines(const QStringList& lines, const char* eol = "\r\n")
{
    return lines.join(QString::fromLatin1(eol)).toUtf8() + eol;
}

const QString Header = "# mandatory;mandatory;mandatory;mandatory;mandatory;optional";

QStringList Names(const std::vector<TBACnet_Var>& objects)
{
    QStringList out;
    for (const TBACnet_Var& v : objects)
        out << v.object_name;
    return out;
}

TEST(BACnetClientEDE, HeaderLineDecidesWhereObjectsStart)
{
    using importede::Read_EDE_Objects;
    const QString a = "k;1;A;0;1;", b = "k;1;B;0;2;", c = "k;1;C;0;3;";
    const struct {
        const char* what;
        QStringList lines;
        QStringList names;
    } cases[] = {
        {"header at index 5", {"p", "v", "t", "a", "l", Header, "# keyname;...", a, b}, {"A", "B"}},
        {"header at index 6", {"p", "v", "t", "a", "l", "x", Header, "# titles", a, b}, {"A", "B"}},
        {"header at index 6 without blank",
         {"p", "v", "t", "a", "l", "x", "#mandatory;mandatory", "skipped", a},
         {"A"}},
        {"header at index 6 wins over an earlier one",
         {Header, "t", a, "a", "l", "x", Header, "# titles", b},
         {"B"}},
        {"the later of two headers", {"p", Header, "t", a, Header, "t", b, c}, {"B", "C"}},
        {"case-sensitive", {"p", "# Mandatory;x", "t", a}, {}},
        {"no header", {"p", "v", a, b}, {}},
        {"three lines", {Header, "t", a}, {"A"}},
        {"blank lines skipped", {Header, "t", "", "   ", a}, {"A"}},
    };
    for (const auto& cs : cases) {
        SCOPED_TRACE(cs.what);
        EXPECT_EQ(Names(Read_EDE_Objects(Lines(cs.lines))), cs.names);
    }
    EXPECT_EQ(Names(Read_EDE_Objects(Lines({"p", Header, "t", a, b}, "\n"))), QStringList({"A", "B"}));
    EXPECT_EQ(Names(Read_EDE_Objects(Lines({"p", Header, "t", a, b}, "\r"))), QStringList({"A", "B"}));
    EXPECT_TRUE(Read_EDE_Objects(QByteArray()).empty());
}

TEST(BACnetClientEDE, FieldsTypesAndFlags)
{
    const QByteArray file = Lines({
        Header,
        "# titles",
        " dev ; 9 ; Valve1 ; 4 ; 7 ; Main valve ; 0;1;2; y ;N;5;6;ref;98; vendor a;b ; ",
        "k;9;Dev;8;1;device;",
        "k;9;Loop;17;1;;",
        "k;9;Safe;21;2;;;;;N;",
        "k;9;Zone;22;3",
        "k;9;Bad;x;3;;",
        "k;9;Short;3",
    });
    const std::vector<TBACnet_Var> objects = importede::Read_EDE_Objects(file);
    ASSERT_EQ(Names(objects), QStringList({"Valve1", "Safe", "Zone"}));
    const TBACnet_Var& v = objects[0];
    EXPECT_EQ(v.keyname, "dev");
    EXPECT_EQ(v.device_obj_instance, 9);
    EXPECT_EQ(v.object_type, 4);
    EXPECT_EQ(v.object_instance, 7);
    EXPECT_EQ(v.description, "Main valve");
    EXPECT_EQ(v.present_value_default, "0");
    EXPECT_EQ(v.max_present_value, "2");
    EXPECT_TRUE(v.commandable);
    EXPECT_FALSE(v.support_COV);
    EXPECT_EQ(v.stete_text_reference, "ref");
    EXPECT_EQ(v.unit_code, "98");
    // The rest after the fifteenth ";" without its one trailing ";".
    EXPECT_EQ(v.vendor_specific_address, "vendor a;b");
    EXPECT_TRUE(v.import && v.read && v.write);
    EXPECT_FALSE(objects[1].commandable || objects[1].write);
    EXPECT_TRUE(objects[1].import && objects[1].read);
    // A field not followed by ";" is empty; the last one of a short line lands in the sixteenth.
    EXPECT_EQ(objects[2].object_type, 22);
    EXPECT_EQ(objects[2].object_instance, -1);
    EXPECT_EQ(objects[2].vendor_specific_address, "3");
}

TEST(BACnetClientEDE, ByteOrderMarkSelectsTheEncoding)
{
    const QByteArray line = "k;1;T\xC3\xBCr;0;1;;";
    const QByteArray utf8 = "\xEF\xBB\xBF" + Lines({Header, "t"}) + line + "\r\n";
    const QByteArray cp1252 = Lines({Header, "t"}) + "k;1;T\xFCr;0;1;;\r\n";
    QByteArray utf16 = "\xFF\xFE";
    const QString text = Header + "\r\nt\r\nk;1;Tür;0;1;;\r\n";
    for (QChar ch : text)
        utf16 += char(ch.unicode() & 0xFF), utf16 += char(ch.unicode() >> 8);
    for (const QByteArray& bytes : {utf8, cp1252, utf16}) {
        const std::vector<TBACnet_Var> objects = importede::Read_EDE_Objects(bytes);
        ASSERT_EQ(objects.size(), 1u);
        EXPECT_EQ(objects[0].object_name, QString("Tür"));
    }
}

} // namespace
