// The built-in English texts, checked against the listings: the count of
// entries holding a text, the last entry of every block of 100, and the odd ones (blanks at either
// end, odd spellings, quotation marks inside, typographic quotes, placeholders).
#include "app/EnglishTexts.h"
#include "app/ULang.h"

#include <gtest/gtest.h>

namespace
{

struct Spot {
    int index;
    const char* text; // UTF-8
};

// The last listed entry of each block of 100 (54 blocks).
const Spot kLastOfBlock[] = {
    {80, R"t(Set The EtherCAT Group)t"},
    {110, R"t(Cancel the New Configuration)t"},
    {207, R"t(Cancel open of Configuration)t"},
    {321, R"t(Enable Auto Size of Table Columns by Double Click)t"},
    {499, R"t(Insert Third byte of SubNet Mask)t"},
    {599, R"t(Insert Fourth byte of SubNet Mask)t"},
    {699, R"t(SubNet Mask)t"},
    {799, R"t(Application ID)t"},
    {899, R"t(Insert Third byte of SubNet Mask (IP1))t"},
    {993, R"t(Error CANopen!! Sync Time must be between 1 and 4000000 ms)t"},
    {1062, R"t(Select the Group of EtherCAT Slave Variable)t"},
    {1105, R"t(File already exists. Do you want to overwrite?)t"},
    {1237, R"t(Error!!! Check the Ip Address)t"},
    {1399, R"t(Error OPC UA Server!! SubNet Mask 3 must be between 0 and 255)t"},
    {1499, R"t(Contact)t"},
    {1599, R"t(Error WiFi - IP Address 2 !! IP Address 2 must be between 0 and 255)t"},
    {1687, R"t(Enable/Disable the possibility to Disable the reset of device on PROFINET Fail)t"},
    {1793, R"t(Enable or Disable the Swap Word of Data)t"},
    {1899, R"t(!! [Modbus Read] Poll Time must be between 1 and 100000000)t"},
    {1903, R"t(Enable or Disable the Swap Word of Data)t"},
    {2094, R"t(Error!! The table is full. Requests not imported: )t"},
    {2121, R"t(Unselect All)t"},
    {2260, R"t(Are you sure to delete the Row number )t"},
    {2308, R"t(Select Engineering Unit)t"},
    {2458, R"t(Are you sure to delete the Row number )t"},
    {2563, R"t(Enable or Disable the possibility to send the CAN Frame by Command)t"},
    {2691, R"t(Are you sure to delete the Row number )t"},
    {2782, R"t(!! [SDO Read] TimeOut must be between 0 and 65535)t"},
    {2865, R"t(Are you sure to delete the Row number )t"},
    {2927, R"t(Are you sure to delete the Row number )t"},
    {3025, R"t( Byte = )t"},
    {3112, R"t(!! Default Value must be between 0 and 255)t"},
    {3267, R"t(!! Start Byte plus Num Byte must be minor of 64)t"},
    {3345, R"t(Enable/Disable the possibility to swap the Word)t"},
    {3421, R"t(Are you sure to delete the Row number )t"},
    {3547, R"t(Are you sure to delete the Row number )t"},
    {3643, R"t(Are you sure to delete the Row number )t"},
    {3798, R"t(Enable/Disabel the Possibility to Swap the Word for Modbus Register)t"},
    {3874, R"t(DALI Sensor)t"},
    {3943, R"t(Are you sure to delete the Row number )t"},
    {4042, R"t(Are you sure to delete the Row number )t"},
    {4199, R"t(Error in Server Number %d in Read Variable %d!! Position cannot be empty)t"},
    {4216, R"t(Error in Server Number %d in Read Variable %d!! Length is Wrong)t"},
    {4332, R"t(Error!! The Private Key cannot be empty)t"},
    {4431, R"t(Error Functions in DLL not Found!!)t"},
    {4530, R"t(Select the access of Var, Read Only or Read/Write for OPC UA Server Variable)t"},
    {4688, R"t(!! Same IP Address, Version and OID used)t"},
    {4786, R"t(!! [SNMP Write] Conversion must be selected)t"},
    {4808, R"t(File already exists! Do you want to overwrite the file?)t"},
    {4960, R"t(Import a slave EtherNet/IP from EDS File)t"},
    {5015, R"t(Error!! No Valid Connection found)t"},
    {5199, R"t(Insert the PLC Address)t"},
    {5225, R"t(Are you sure to delete the Row number )t"},
    {5329, R"t(Error!! [Master to Slave] Num Variables in total must be minor or equal to 256)t"},
};

const Spot kOddOnes[] = {
    {0, "Begin"},
    {9, "None Configuration Opened "},
    {10, "Use Step1 to open or create new configuration"},
    {11, "Opened Configuration of the Converter : "},
    {18, "Error! Project not Valid"},
    {67, "SNMP Manager"},
    {304, "Selected Language : "},
    {305, "Page "},
    {306, " / "},
    {316, "Do you want to change the Language from "},
    {317, " to "},
    {318, "?"},
    {1033, "Are you sure to delete the Row number %d"},
    {1051, "Error row "},
    {1052, "!! [Slave to Master] Length must be beetween 1 and 255"},
    {1055, "!! [Slave to Master] Init Value one or more characters is not admited. Use 0..9 and A..F"},
    {2057, R"t(Select the BACnet Type in the "Set Communication" section)t"},
    {3826, "Description for the M-Bus meter (defined in the section \u201CM-Bus\u201D)"},
    {4644, R"t(!! OID string cannot contains number major of $FFFFFFFF between two ".")t"},
    {4779,
     R"t(!! [SNMP Write] Descrtiption is not correct (allowed characters are "a".."z", "A".."Z" and "0".."9"). First character must be a letter and must be lowercase)t"},
    {5326, "!! [Slave to Master] Num Variables must be beetween 1 and 256"},
};

class EnglishTexts : public ::testing::Test
{
  protected:
    void SetUp() override { Set_English_Texts(); }
    void TearDown() override { Clear_Lang_Table(); }
};

} // namespace

TEST_F(EnglishTexts, CountOfEntriesHoldingAText)
{
    int withText = 0, last = -1;
    for (int i = 0; i < Lang_Table_Size; ++i) {
        const QString t = Lang_Text(i);
        ASSERT_FALSE(t.isEmpty()) << i;
        ASSERT_FALSE(t.contains('\t') || t.contains('\n') || t.contains('\r')) << i;
        if (t != " ") {
            ++withText;
            last = i;
        }
    }
    EXPECT_EQ(withText, 3146);
    EXPECT_EQ(English_Texts().size(), 3146u);
    EXPECT_EQ(last, 5329);
    for (int unlisted : {19 + 62, 1904, 1999, 3875, 5330, 5399})
        EXPECT_EQ(Lang_Text(unlisted), " ") << unlisted;
}

TEST_F(EnglishTexts, LastEntryOfEveryBlock)
{
    EXPECT_EQ(std::size(kLastOfBlock), 54u);
    for (const Spot& s : kLastOfBlock)
        EXPECT_EQ(Lang_Text(s.index), QString::fromUtf8(s.text)) << s.index;
}

TEST_F(EnglishTexts, OddOnesAreKeptAsListed)
{
    for (const Spot& s : kOddOnes)
        EXPECT_EQ(Lang_Text(s.index), QString::fromUtf8(s.text)) << s.index;
}

TEST_F(EnglishTexts, LanguageQuestionKeepsItsBlanks)
{
    EXPECT_EQ(Lang_Text(316) + "English" + Lang_Text(317) + "Italiano" + Lang_Text(318),
              "Do you want to change the Language from English to Italiano?");
}
