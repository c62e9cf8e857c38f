// The process-data rules on plain rows: Length rule, positions and start bits, groups and the check.
#include "gateway/UEtherCATSlave_Rows.h"

#include <gtest/gtest.h>

namespace
{

using namespace EtherCATSlave;

// A row as "Type[:Length]", disabled with a leading "-".
std::vector<TVarRow> Rows(std::initializer_list<const char*> specs)
{
    std::vector<TVarRow> rows(static_cast<size_t>(Data_Rows));
    size_t i = 0;
    for (QString spec : specs) {
        TVarRow& row = rows[i++];
        row.Enable = !spec.startsWith('-');
        if (!row.Enable)
            spec.remove(0, 1);
        const QStringList parts = spec.split(':');
        row.Type = parts[0];
        if (parts.size() > 1)
            row.Length = parts[1];
    }
    return rows;
}

// "Position/Start Bit" of the first n rows.
QStringList Positions(const std::vector<TVarRow>& rows, int n)
{
    QStringList out;
    for (int i = 0; i < n; ++i)
        out << rows[size_t(i)].Position + "/" + rows[size_t(i)].Bit_Start;
    return out;
}

QStringList Groups(const std::vector<TVarRow>& rows, int n)
{
    QStringList out;
    for (int i = 0; i < n; ++i)
        out << rows[size_t(i)].Group;
    return out;
}

// The fixture project's variables.
std::vector<TVarRow> P_Slave_To_Master()
{
    return Rows({"Bool:1", "Bool:1", "-Int32:4", "Int16:2", "String:4", "Float32:4"});
}
std::vector<TVarRow> P_Master_To_Slave()
{
    return Rows({"UInt16:2", "Bool:1", "Array:3"});
}

TEST(EtherCATSlaveRows, TheLengthRuleFixesTheSizedTypesAndOpensArrayAndString)
{
    struct Case {
        const char* type;
        const char* length; // nullptr: the rule does nothing
        bool read_only;
    };
    const Case cases[] = {
        {"Bool", "1", true},      {"Int8", "1", true},       {"UInt8", "1", true},     {"Int16", "2", true},
        {"UInt16", "2", true},    {"Int32", "4", true},      {"UInt32", "4", true},    {"Float32", "4", true},
        {"Array", "10", false},   {"String", "10", false},   {"Word", nullptr, false}, {"", nullptr, false},
        {"bool", nullptr, false}, {"Bool ", nullptr, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        const auto rule = Length_Rule(c.type);
        ASSERT_EQ(rule.has_value(), c.length != nullptr);
        if (rule) {
            EXPECT_EQ(rule->Length, c.length);
            EXPECT_EQ(rule->Read_Only, c.read_only);
        }
    }
    QStringList names;
    for (const char* n : Type_Names())
        names << n;
    EXPECT_EQ(names, QStringList({"Bool", "Int8", "Int16", "Int32", "UInt8", "UInt16", "UInt32", "Float32",
                                  "Array", "String"}));
}

TEST(EtherCATSlaveRows, PositionsPackBoolsAndStartOtherTypesOnTheNextByte)
{
    struct Case {
        const char* what;
        std::vector<TVarRow> rows;
        QStringList expected;
    };
    const Case cases[] = {
        {"Bool Bool Int16 Bool", Rows({"Bool", "Bool", "Int16", "Bool"}), {"0/0", "0/1", "1/0", "3/0"}},
        {"nine Bools then Int8",
         Rows({"Bool", "Bool", "Bool", "Bool", "Bool", "Bool", "Bool", "Bool", "Bool", "Int8"}),
         {"0/0", "0/1", "0/2", "0/3", "0/4", "0/5", "0/6", "0/7", "1/0", "2/0"}},
        // A full Bool byte adds no extra byte.
        {"eight Bools then Int16",
         Rows({"Bool", "Bool", "Bool", "Bool", "Bool", "Bool", "Bool", "Bool", "Int16", "Int8"}),
         {"0/0", "0/1", "0/2", "0/3", "0/4", "0/5", "0/6", "0/7", "1/0", "3/0"}},
        // A disabled row neither ends the run nor takes room.
        {"Bool, disabled Int32, Bool",
         Rows({"Bool", "-Int32", "Bool", "Int8"}),
         {"0/0", "0/0", "0/1", "1/0"}},
        {"String of 10", Rows({"String:10", "Int8"}), {"0/0", "11/0"}},
        {"Array of 10", Rows({"Array:10", "Int8"}), {"0/0", "10/0"}},
        {"unknown type takes its Length", Rows({"Word:3", "Int8"}), {"0/0", "3/0"}},
        {"unreadable Length is 0", Rows({"Array:x", "String:", "Int8"}), {"0/0", "0/0", "1/0"}},
        {"hexadecimal Length", Rows({"Array:$10", "Int8"}), {"0/0", "16/0"}},
        {"fixture P slave to master", P_Slave_To_Master(), {"0/0", "0/1", "0/0", "1/0", "3/0", "8/0"}},
        {"fixture P master to slave", P_Master_To_Slave(), {"0/0", "2/0", "3/0"}},
    };
    for (Case c : cases) {
        SCOPED_TRACE(c.what);
        Calc_Positions(c.rows);
        EXPECT_EQ(Positions(c.rows, int(c.expected.size())), c.expected);
    }
}

TEST(EtherCATSlaveRows, PositionsStopAtTheFirstEmptyTypeAndSurviveHugeLengths)
{
    std::vector<TVarRow> rows = Rows({"Int8", "  ", "Int8"});
    rows[2].Position = "77";
    rows[2].Bit_Start = "5";
    Calc_Positions(rows);
    EXPECT_EQ(Positions(rows, 3), QStringList({"0/0", "/", "77/5"}));
    EXPECT_EQ(Variable_Count(rows), 1);

    // Lengths the check refuses later still give positions, without an integer overflow.
    rows = Rows({"Array:2147483647", "Array:2147483647", "String:2147483647", "Int8"});
    Calc_Positions(rows);
    EXPECT_EQ(Positions(rows, 4), QStringList({"0/0", "2147483647/0", "4294967294/0", "6442450942/0"}));
}

TEST(EtherCATSlaveRows, GroupsTakeTheNextEnabledRowsOverAllRows)
{
    std::vector<TVarRow> rows = Rows({"Int8", "Int8", "-Int8", "Int8", "Int8"});
    for (TVarRow& r : rows)
        r.Group = "old";
    Calc_Groups(rows, std::vector<TGroup>{{"A", 2}, {"B", 1}});
    EXPECT_EQ(Groups(rows, 6), QStringList({"A", "A", "", "B", "", ""}));
    EXPECT_EQ(rows.back().Group, "");

    Calc_Groups(rows, {});
    for (const TVarRow& r : rows)
        EXPECT_EQ(r.Group, "");

    // Fixture P; a group without variables takes none, and rows below the variables take names
    // while a group still lacks members.
    rows = P_Slave_To_Master();
    Calc_Groups(rows, std::vector<TGroup>{{"Status", 3}, {"Empty", 0}, {"Data", 2}});
    EXPECT_EQ(Groups(rows, 7), QStringList({"Status", "Status", "", "Status", "Data", "Data", ""}));
    rows = P_Master_To_Slave();
    Calc_Groups(rows, std::vector<TGroup>{{"Cmd", 2}, {"Tail", 2}});
    EXPECT_EQ(Groups(rows, 6), QStringList({"Cmd", "Cmd", "Tail", "Tail", "", ""}));

    // More members than rows: the walk ends at row 256.
    rows = Rows({});
    Calc_Groups(rows, std::vector<TGroup>{{"All", 300}, {"None", 5}});
    EXPECT_EQ(rows.front().Group, "All");
    EXPECT_EQ(rows.back().Group, "All");
}

TEST(EtherCATSlaveRows, TheCheckFindsTheFirstFaultOfAnEnabledVariable)
{
    struct Case {
        const char* what;
        std::vector<TVarRow> rows;
        const char* init; // Init Value of the last listed row
        int row, text;    // text 0: passes
    };
    const Case cases[] = {
        {"Array, 3 bytes in 2", Rows({"Int8", "Array:2"}), "010203", 2, 1054},
        {"Array, odd digits", Rows({"Array:2"}), "ABC", 1, 1053},
        {"Array, not hex", Rows({"Array:2"}), "0G", 1, 1055},
        {"Array, Length 0 before the value", Rows({"Array:0"}), "ABC", 1, 1052},
        {"Array, empty Length", Rows({"Array:"}), "", 1, 1052},
        {"Array, Length 256", Rows({"Array:256"}), "", 1, 1052},
        {"Array, mixed case", Rows({"Array:4"}), "0a0B0c", 0, 0},
        {"Array, Length 255 and no value", Rows({"Array:255"}), "", 0, 0},
        {"String fits", Rows({"String:5"}), "Hello", 0, 0},
        {"String too long", Rows({"String:5"}), "Hello!", 1, 1057},
        {"String, Length 0", Rows({"String:0"}), "", 1, 1056},
        {"disabled Array, Length 0", Rows({"-Array:0"}), "", 0, 0},
        {"Int16 with any value", Rows({"Int16:2"}), "abc", 0, 0},
        {"below the variables", Rows({"Int8", "", "Array:0"}), "", 0, 0},
    };
    for (Case c : cases) {
        SCOPED_TRACE(c.what);
        // The value goes to the last row that has a type.
        for (size_t i = c.rows.size(); i-- > 0;)
            if (!c.rows[i].Type.isEmpty()) {
                c.rows[i].Init_Value = c.init;
                break;
            }
        const auto fault = Check_Slave_To_Master(c.rows);
        ASSERT_EQ(fault.has_value(), c.text != 0);
        if (fault) {
            EXPECT_EQ(fault->Row, c.row);
            EXPECT_EQ(fault->Text, c.text);
        }
    }
}

TEST(EtherCATSlaveRows, MasterToSlaveChecksOnlyTheLengthsOfArrayAndString)
{
    struct Case {
        const char* what;
        std::vector<TVarRow> rows;
        int row; // 0: passes
    };
    const Case cases[] = {
        {"String of 300", Rows({"Int8", "String:300"}), 2}, {"Array of 0", Rows({"Array:0"}), 1},
        {"Array of 255", Rows({"Array:255"}), 0},           {"Int16 of 0", Rows({"Int16:0"}), 0},
        {"disabled String", Rows({"-String:300"}), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto fault = Check_Master_To_Slave(c.rows);
        ASSERT_EQ(fault.has_value(), c.row != 0);
        if (fault) {
            EXPECT_EQ(fault->Row, c.row);
            EXPECT_EQ(fault->Text, 1058);
        }
    }
}

TEST(EtherCATSlaveRows, ArrayTextIsHexadecimalDigits)
{
    EXPECT_TRUE(CheckArraySting(""));
    EXPECT_TRUE(CheckArraySting("0123456789abcdefABCDEF"));
    EXPECT_FALSE(CheckArraySting("0G"));
    EXPECT_FALSE(CheckArraySting("0 1"));
    EXPECT_FALSE(CheckArraySting(QString::fromUtf8("\xC3\xA9")));
}

} // namespace
