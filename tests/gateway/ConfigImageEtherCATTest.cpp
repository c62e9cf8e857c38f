// EtherCAT slave section of bank 2: entries, names, groups, initial values, EEPROM bytes, limits.
#include "ConfigImageTest.h"

using namespace configimage_test;

namespace
{

TAttrs toSlave(const QString& type, const QString& name, const QString& enable = "Y")
{
    return {{"Enable", enable}, {"Type", type},    {"Length", ""}, {"Name", name},
            {"Position", "0"},  {"BitStart", "0"}, {"Group", ""}};
}

// Keeps the regional decimal separator of a test from leaking into the next one.
struct TDecimalSeparator {
    explicit TDecimalSeparator(QChar sep)
    {
        TFormatSettings fs;
        fs.DecimalSeparator = sep;
        fs.ThousandSeparator = sep == ',' ? '.' : ',';
        SetFormatSettings(fs);
    }
    ~TDecimalSeparator() { ResetFormatSettings(); }
};

} // namespace

TEST(ConfigImageEtherCAT, OneBoolVariable)
{
    TProject project;
    project.etherCAT({variable("Bool", "Run", "1")});
    const QByteArray b2 = project.compile().Bank2;

    EXPECT_EQ(countOf(b2, 0), 1);
    EXPECT_EQ(countOf(b2, 1), 0);
    const TEntryView e(b2, 0, 0);
    EXPECT_EQ(e.type, 1u);
    EXPECT_EQ(e.length, 1u);
    EXPECT_EQ(e.access, 1u);
    EXPECT_EQ(e.subindex, 0u);
    EXPECT_EQ(e.entryIndex, 0u);
    EXPECT_EQ(e.group, 0xFFFFFFFFu);
    EXPECT_EQ(e.nameLength, 3u);
    EXPECT_EQ(e.nameAdd, 0x8C0ADu);
    EXPECT_EQ(e.initAdd, 0x8C0B1u);
    EXPECT_EQ(b2.mid(kSection + 16552), hex("0000 0000 00 52756E00 01"));
    EXPECT_EQ(b2.size() - kSection, 16562);
}

TEST(ConfigImageEtherCAT, EntryFieldsFromTheRow)
{
    TProject project;
    TAttrs row = variable("Array", "Blob", "", "300");
    row[5].second = "0x1F4"; // Position
    row[6].second = "263";   // BitStart, cut to 8 bits
    TAttrs noType = {{"Enable", "Y"}, {"Name", "T"}, {"Length", "x"}};
    project.etherCAT({row, noType}, {toSlave("UInt16", "Cmd")});
    const QByteArray b2 = project.compile().Bank2;

    const TEntryView array(b2, 0, 0);
    EXPECT_EQ(array.type, 10u);
    EXPECT_EQ(array.length, 300u & 0xFF);
    EXPECT_EQ(array.position, 500u);
    EXPECT_EQ(array.bit, 7u);
    const TEntryView untyped(b2, 0, 1);
    EXPECT_EQ(untyped.type, 0u);
    EXPECT_EQ(untyped.length, 1u);
    const TEntryView cmd(b2, 1, 0);
    EXPECT_EQ(cmd.type, 6u);
    EXPECT_EQ(cmd.length, 2u);
    EXPECT_EQ(cmd.access, 0u);
    EXPECT_EQ(nameOf(b2, cmd), "Cmd");
}

TEST(ConfigImageEtherCAT, DisabledRowsAndEmptyNames)
{
    TProject project;
    TAttrs noEnable = variable("Int8", "E");
    noEnable.erase(noEnable.begin());
    TAttrs disabled = variable("Int8", "B");
    disabled[0].second = "N";
    TAttrs lowerY = variable("Int8", "C");
    lowerY[0].second = "y";
    project.etherCAT(
        {variable("Int8", "A"), disabled, lowerY, variable("Int8", ""), noEnable, variable("Int8", "D")});
    const QByteArray b2 = project.compile().Bank2;

    ASSERT_EQ(countOf(b2, 0), 3);
    EXPECT_EQ(nameOf(b2, TEntryView(b2, 0, 0)), "A");
    const TEntryView unnamed(b2, 0, 1);
    EXPECT_EQ(unnamed.nameLength, 0u);
    EXPECT_EQ(unnamed.nameAdd, 0x8C0ACu);
    const TEntryView d(b2, 0, 2);
    EXPECT_EQ(d.subindex, 2u);
    EXPECT_EQ(d.nameAdd, 0x8C0ADu + 2);
    EXPECT_EQ(nameOf(b2, d), "D");
}

TEST(ConfigImageEtherCAT, NamesAreStoredAsUtf8)
{
    TProject project;
    const QString name = QString::fromUtf8("Temp\u00E9rature");
    project.etherCAT({variable("Int16", name), variable("Int16", "X")});
    const QByteArray b2 = project.compile().Bank2;

    const TEntryView first(b2, 0, 0);
    EXPECT_EQ(first.nameLength, 12u);
    EXPECT_EQ(nameOf(b2, first), name);
    EXPECT_EQ(TEntryView(b2, 0, 1).nameAdd, first.nameAdd + 13);
}

struct TInitCase {
    const char* type;
    const char* length;
    const char* text;
    QChar separator;
    const char* bytes;
};

TEST(ConfigImageEtherCAT, InitialValuesAreEncodedByType)
{
    const TInitCase cases[] = {
        {"Int16", "", "-2", '.', "FEFF"},
        {"Int8", "", "300", '.', "2C"},
        {"UInt8", "", "-1", '.', "FF"},
        {"UInt32", "", "0x10", '.', "10000000"},
        {"Int32", "", "-2147483649", '.', "FFFFFF7F"},
        {"UInt16", "", "$1234", '.', "3412"},
        {"UInt16", "", "12x", '.', "0000"},
        {"Float32", "", "1.5", '.', "0000C03F"},
        {"Float32", "", "1,5", ',', "0000C03F"},
        {"Float32", "", "1,5", '.', "00000000"},
        {"Float32", "", "1e60", '.', "0000807F"},
        {"String", "4", "AB", '.', "41420000"},
        {"String", "2", "ABCD", '.', "4142"},
        {"String", "2", "\u00E9\u0141", '.', "E941"},
        {"Array", "3", "0A1B", '.', "0A1B00"},
        {"Array", "3", "0AZZ1", '.', "0A0000"},
        {"Bool", "", "TRUE", '.', "00"},
        {"Bool", "", "3", '.', "01"},
        {"Bool", "", "2", '.', "00"},
    };
    for (const TInitCase& c : cases) {
        SCOPED_TRACE(QString("%1 %2 \"%3\"").arg(c.type, c.length, QString::fromUtf8(c.text)).toStdString());
        TDecimalSeparator sep(c.separator);
        TProject project;
        project.etherCAT({variable(c.type, "V", QString::fromUtf8(c.text), c.length)});
        const QByteArray b2 = project.compile().Bank2;
        const TEntryView e(b2, 0, 0);
        ASSERT_NE(e.initAdd, 0u);
        EXPECT_EQ(initOf(b2, e).toHex(' '), hex(c.bytes).toHex(' '));
    }
}

TEST(ConfigImageEtherCAT, InitAddressesFollowTheNamesAndEachOther)
{
    TProject project;
    // An unknown type takes its Length in zero bytes, so the values behind it keep their places.
    project.etherCAT({variable("Int32", "A", "1"), variable("Int16", "NoValue"),
                      variable("Gizmo", "G", "5", "3"), variable("Int16", "B", "7")},
                     {{{"Enable", "Y"}, {"Type", "UInt8"}, {"Name", "Out"}, {"InitValue", "9"}}});
    const QByteArray b2 = project.compile().Bank2;

    const uint32_t namesEnd = kBase + 16557 + 2 + 8 + 2 + 2 + 4;
    EXPECT_EQ(TEntryView(b2, 0, 0).initAdd, namesEnd);
    EXPECT_EQ(TEntryView(b2, 0, 1).initAdd, 0u);
    const TEntryView gizmo(b2, 0, 2);
    EXPECT_EQ(gizmo.type, 0u);
    EXPECT_EQ(gizmo.initAdd, namesEnd + 4);
    EXPECT_EQ(initOf(b2, gizmo), hex("000000"));
    const TEntryView b(b2, 0, 3);
    EXPECT_EQ(b.initAdd, namesEnd + 7);
    EXPECT_EQ(initOf(b2, b), hex("0700"));
    // Master-to-slave values are not sent to the device: no address, no bytes.
    EXPECT_EQ(TEntryView(b2, 1, 0).initAdd, 0u);
    EXPECT_EQ(b2.size(), bank2Offset(namesEnd + 9));
}

TEST(ConfigImageEtherCAT, GroupsCountEnabledVariablesInOrder)
{
    TProject project;
    project.groups({{{"Group_Name", "A"}, {"Num_Variables", "2"}, {"Mnemonic", ""}},
                    {{"Group_Name", "B"}, {"Num_Variables", "3"}, {"Mnemonic", ""}}},
                   {{{"Group_Name", "Out"}, {"Num_Variables", "1"}, {"Mnemonic", ""}}});
    TAttrs disabled = variable("Int8", "off");
    disabled[0].second = "N";
    project.etherCAT({variable("Int8", "v0"), variable("Int8", "v1"), disabled, variable("Int8", "v2"),
                      variable("Int8", "v3"), variable("Int8", "v4"), variable("Int8", "v5")},
                     {toSlave("Int8", "o0"), toSlave("Int8", "o1")});
    const QByteArray b2 = project.compile().Bank2;

    const uint32_t expected[] = {0, 0, 1, 1, 1, 0xFFFFFFFF};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(TEntryView(b2, 0, i).group, expected[i]) << "variable " << i;
    EXPECT_EQ(TEntryView(b2, 1, 0).group, 0u);
    EXPECT_EQ(TEntryView(b2, 1, 1).group, 0xFFFFFFFFu);
    ASSERT_EQ(groupCountOf(b2, 0), 2);
    ASSERT_EQ(groupCountOf(b2, 1), 1);
    EXPECT_EQ(textAt(b2, groupAddOf(b2, 0, 0)), "A");
    EXPECT_EQ(textAt(b2, groupAddOf(b2, 0, 1)), "B");
    EXPECT_EQ(textAt(b2, groupAddOf(b2, 1, 0)), "Out");
    EXPECT_EQ(groupAddOf(b2, 0, 2), 0u);
}

TEST(ConfigImageEtherCAT, GroupRowsWithoutNameTakeNoIndex)
{
    TProject project;
    project.groups({{{"Group_Name", ""}, {"Num_Variables", "5"}, {"Mnemonic", ""}},
                    {{"Group_Name", "A"}, {"Num_Variables", "2"}, {"Mnemonic", ""}},
                    {{"Group_Name", "B"}, {"Mnemonic", ""}}, // no count: the total stays
                    {{"Group_Name", "C"}, {"Num_Variables", "x"}, {"Mnemonic", ""}},
                    {{"Group_Name", "D"}, {"Num_Variables", "1"}, {"Mnemonic", ""}}});
    project.etherCAT(
        {variable("Int8", "a"), variable("Int8", "b"), variable("Int8", "c"), variable("Int8", "d")});
    const QByteArray b2 = project.compile().Bank2;

    EXPECT_EQ(TEntryView(b2, 0, 0).group, 0u);
    EXPECT_EQ(TEntryView(b2, 0, 1).group, 0u);
    EXPECT_EQ(TEntryView(b2, 0, 2).group, 3u);
    EXPECT_EQ(TEntryView(b2, 0, 3).group, 0xFFFFFFFFu);
    EXPECT_EQ(groupCountOf(b2, 0), 4);
    EXPECT_EQ(textAt(b2, groupAddOf(b2, 0, 3)), "D");
}

TEST(ConfigImageEtherCAT, GroupFileWithoutVariableFile)
{
    TProject project;
    project.groups({{{"Group_Name", "Drive"}, {"Num_Variables", "4"}, {"Mnemonic", "axis"}}});
    const QByteArray b2 = project.compile().Bank2;

    EXPECT_EQ(countOf(b2, 0), 0);
    ASSERT_EQ(groupCountOf(b2, 0), 1);
    EXPECT_EQ(groupAddOf(b2, 0, 0), kBase + 16557);
    EXPECT_EQ(b2.size(), kEmptyProjectBank2 + 6);
}

struct TEepromCase {
    const char* text; // nullptr: element missing
    const char* bytes;
};

TEST(ConfigImageEtherCAT, EepromConfigurationText)
{
    const TEepromCase cases[] = {
        {"800F0", "800F00 0000000000000000000000"},
        {"80ZZ0F", "800F 000000000000000000000000"},
        {"", "0000000000000000000000000000"},
        {nullptr, "800F00CC8813FF00000000800000"},
        {"ff1", "FF01 000000000000000000000000"},
        // More digits than bytes: the first 14 are kept and the node address behind them stays.
        {"0102030405060708090A0B0C0D0E0F10111213", "0102030405060708090A0B0C0D0E 0500"},
    };
    for (const TEepromCase& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "(missing)");
        TProject project;
        TAttrs elements = {{"EtherCAT_Slave_Node_Address", "5"}};
        if (c.text)
            elements.push_back({"EtherCAT_Slave_Eeprom_Config", c.text});
        project.parGen(elements);
        const QByteArray expected = hex(c.bytes);
        EXPECT_EQ(project.compile().Bank2.mid(kSection, expected.size()).toHex(' '), expected.toHex(' '));
    }
}

TEST(ConfigImageEtherCAT, RowsAndGroupsBeyondTheTablesAreLeftOut)
{
    TProject project;
    std::vector<TAttrs> rows;
    for (int i = 0; i < 300; ++i)
        rows.push_back(variable("UInt8", QString("V%1").arg(i), "1"));
    std::vector<TAttrs> groups;
    for (int i = 0; i < 20; ++i)
        groups.push_back({{"Group_Name", QString("G%1").arg(i)}, {"Num_Variables", "1"}, {"Mnemonic", ""}});
    project.groups(groups, groups);
    project.etherCAT(rows, rows);
    const QByteArray b2 = project.compile().Bank2;

    EXPECT_EQ(countOf(b2, 0), 256);
    EXPECT_EQ(countOf(b2, 1), 256);
    EXPECT_EQ(nameOf(b2, TEntryView(b2, 0, 255)), "V255");
    EXPECT_EQ(TEntryView(b2, 0, 15).group, 15u);
    EXPECT_EQ(TEntryView(b2, 0, 16).group, 0xFFFFFFFFu);
    EXPECT_EQ(groupCountOf(b2, 0), 16);
    EXPECT_EQ(groupCountOf(b2, 1), 16);
    EXPECT_EQ(textAt(b2, groupAddOf(b2, 1, 15)), "G15");
    EXPECT_FALSE(b2.contains(QByteArray("V256\0", 5)));
    EXPECT_FALSE(b2.contains(QByteArray("G16\0", 4)));
}

TEST(ConfigImageEtherCAT, SectionStopsFillingAtTheEndOfTheBank)
{
    TProject project;
    std::vector<TAttrs> rows;
    for (int i = 0; i < 256; ++i)
        rows.push_back(variable("String", QString("%1").arg(i, 400, 10, QChar('n')), "text", "255"));
    project.etherCAT(rows);
    project.groups({{{"Group_Name", QString(300, 'g')}, {"Num_Variables", "1"}, {"Mnemonic", ""}}});
    const QByteArray b2 = project.compile().Bank2;

    EXPECT_EQ(countOf(b2, 0), 256);
    EXPECT_LE(b2.size(), ConfigImage::kBankSize);
    EXPECT_GT(b2.size(), ConfigImage::kBankSize - 401);
    EXPECT_EQ(TEntryView(b2, 0, 0).nameLength, 400u);
    EXPECT_EQ(TEntryView(b2, 0, 255).nameLength, 0u);
    EXPECT_EQ(groupCountOf(b2, 0), 1);
}

struct TBadFileCase {
    const char* file;
    const char* content;
    const char* message;
};

TEST(ConfigImageEtherCAT, BadFilesRaiseNamingFileAndSection)
{
    const TBadFileCase cases[] = {
        {"EtherCAT_Slave.xml", "<EtherCAT_Slave><Other/></EtherCAT_Slave>", "EtherCAT_Slave_Variables"},
        {"EtherCAT_Slave.xml",
         "<EtherCAT_Slave><EtherCAT_Slave_Variables><EtherCAT_Slave_To_Master/></EtherCAT_Slave_Variables>"
         "</EtherCAT_Slave>",
         "EtherCAT_Master_To_Slave"},
        {"EtherCAT_Slave.xml", "<EtherCAT_Slave><EtherCAT_Slave_Variables><EtherCAT_Slave_To_Master>",
         "EtherCAT_Slave.xml"},
        {"EtherCAT_Slave_Group.xml", "<G><Slave_to_Master/></G>", "Master_to_Slave"},
        {"EtherCAT_Slave_Group.xml", "", "EtherCAT_Slave_Group.xml"},
    };
    for (const TBadFileCase& c : cases) {
        SCOPED_TRACE(c.content);
        TProject project;
        project.write(c.file, c.content);
        try {
            Compile_Config_Banks(project.paths());
            ADD_FAILURE() << "compiled";
        } catch (const EXmlError& e) {
            EXPECT_TRUE(e.Message.contains(project.file(c.file))) << e.Message.toStdString();
            EXPECT_TRUE(e.Message.contains(c.message)) << e.Message.toStdString();
        }
    }
}
