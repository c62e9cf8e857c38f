// The rules of the EtherCAT process-data tables on plain row data: the Length rule of a type, the
// byte positions and start bits of the variables, their groups, and the data check. The editor
// (gateway/UEtherCATSlave.h) copies its grid rows into TVarRow, runs these and writes the computed
// cells back, so every rule can be tested from tables.
//
// A table is its 256 data rows in order (index 0 is row 1). Its variables are the rows from the
// first down to, not including, the first row whose Type is empty after trimming; a variable is
// enabled when its Enable box is checked.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// One variable group as the group file lists it: the next Num_Var enabled variables belong to it.
struct TGroup {
    QString Name;
    int32_t Num_Var = 0;
};

namespace EtherCATSlave
{

constexpr int Data_Rows = 256;

// The type names in the order of the Type drop-down.
std::span<const char* const> Type_Names();

struct TVarRow {
    bool Enable = true;
    QString Type;
    QString Length;
    QString Init_Value; // slave-to-master only
    QString Position;
    QString Bit_Start;
    QString Group;
};

// What a chosen type does to the Length cell; nothing for a name that is not a type.
struct TLengthRule {
    QString Length;
    bool Read_Only;
};
std::optional<TLengthRule> Length_Rule(const QString& Type);

// Rows 1 .. the result are the variables.
int Variable_Count(std::span<const TVarRow> Rows);

// Position and Bit_Start of every variable. Bool variables are packed eight to a byte in the order
// they follow each other; any other enabled type starts at the next whole byte. A disabled variable
// shows "0"/"0" and neither ends a run of Bools nor takes room. Rows below the variables keep what
// they hold.
void Calc_Positions(std::span<TVarRow> Rows);

// Group of every row, variables or not: each group with Num_Var > 0 takes the next Num_Var enabled
// rows; a disabled row between them, and every row after the last group, gets "".
void Calc_Groups(std::span<TVarRow> Rows, std::span<const TGroup> Groups);

// True when every character is 0-9, A-F or a-f; an empty text passes.
bool CheckArraySting(const QString& Text);

// The first fault of a table's enabled variables: the row (from 1) and the fault's text index.
struct TCheckFault {
    int Row;
    int Text;
};
// Slave to master: Array and String Lengths 1 .. 255 and their initial values.
std::optional<TCheckFault> Check_Slave_To_Master(std::span<const TVarRow> Rows);
// Master to slave: Array and String Lengths 1 .. 255.
std::optional<TCheckFault> Check_Master_To_Slave(std::span<const TVarRow> Rows);

} // namespace EtherCATSlave
