#include "gateway/UEtherCATSlave_Rows.h"

#include "platform/core/SysUtils.h"

namespace EtherCATSlave
{

namespace
{

namespace txt
{
constexpr int StoM_Length = 1052, Odd_Digits = 1053, Too_Many_Bytes = 1054, Not_Hex = 1055;
constexpr int StoM_String_Length = 1056, String_Too_Long = 1057, MtoS_Length = 1058;
} // namespace txt

const char* const kTypeNames[] = {"Bool",   "Int8",   "Int16",   "Int32", "UInt8",
                                  "UInt16", "UInt32", "Float32", "Array", "String"};

constexpr int Min_Length = 1, Max_Length = 255;

struct TTypeRule {
    const char* Name;
    int Size; // bytes in the data array; 0: the row's Length decides
    const char* Length;
    bool Read_Only;
};

// Bool's size is a bit, handled by the position walk.
const TTypeRule kRules[] = {
    {"Bool", 0, "1", true},     {"Int8", 1, "1", true},    {"UInt8", 1, "1", true},
    {"Int16", 2, "2", true},    {"UInt16", 2, "2", true},  {"Int32", 4, "4", true},
    {"UInt32", 4, "4", true},   {"Float32", 4, "4", true}, {"Array", 0, "10", false},
    {"String", 0, "10", false},
};

const TTypeRule* Rule_Of(const QString& Type)
{
    for (const TTypeRule& r : kRules)
        if (Type == QLatin1String(r.Name))
            return &r;
    return nullptr;
}

int Length_Of(const TVarRow& Row, int Fallback)
{
    return StrToIntDef(Row.Length, Fallback);
}

bool Is_Enabled_Variable(const TVarRow& Row, const QString& Type)
{
    return Row.Enable && Row.Type == Type;
}

} // namespace

std::span<const char* const> Type_Names()
{
    return kTypeNames;
}

std::optional<TLengthRule> Length_Rule(const QString& Type)
{
    if (const TTypeRule* r = Rule_Of(Type))
        return TLengthRule{QLatin1String(r->Length), r->Read_Only};
    return std::nullopt;
}

int Variable_Count(std::span<const TVarRow> Rows)
{
    int n = 0;
    while (n < int(Rows.size()) && !Trim(Rows[size_t(n)].Type).isEmpty())
        ++n;
    return n;
}

void Calc_Positions(std::span<TVarRow> Rows)
{
    // 64-bit: a hand-typed Length may be near the integer limit.
    int64_t byte = 0;
    int bit = 0;
    bool run = false;
    const int n = Variable_Count(Rows);
    for (int i = 0; i < n; ++i) {
        TVarRow& row = Rows[size_t(i)];
        if (!row.Enable) {
            row.Position = "0";
            row.Bit_Start = "0";
            continue;
        }
        if (row.Type == QLatin1String("Bool")) {
            if (!run) {
                run = true;
                bit = 0;
            }
            row.Position = QString::number(byte);
            row.Bit_Start = QString::number(bit);
            // A full byte moves on at once: the next variable needs no extra byte for it.
            if (++bit == 8) {
                bit = 0;
                ++byte;
            }
            continue;
        }
        if (run) {
            run = false;
            if (bit > 0)
                ++byte;
        }
        bit = 0;
        row.Position = QString::number(byte);
        row.Bit_Start = "0";
        const TTypeRule* rule = Rule_Of(row.Type);
        if (rule && rule->Size > 0)
            byte += rule->Size;
        else
            byte += int64_t(Length_Of(row, 0)) + (row.Type == QLatin1String("String") ? 1 : 0);
    }
}

void Calc_Groups(std::span<TVarRow> Rows, std::span<const TGroup> Groups)
{
    size_t r = 0;
    for (const TGroup& g : Groups) {
        if (g.Num_Var <= 0)
            continue;
        int members = 0;
        while (members < g.Num_Var && r < Rows.size()) {
            TVarRow& row = Rows[r++];
            if (row.Enable) {
                row.Group = g.Name;
                ++members;
            } else {
                row.Group.clear();
            }
        }
    }
    for (; r < Rows.size(); ++r)
        Rows[r].Group.clear();
}

bool CheckArraySting(const QString& Text)
{
    for (QChar c : Text.toUpper()) {
        const char16_t u = c.unicode();
        if (!((u >= '0' && u <= '9') || (u >= 'A' && u <= 'F')))
            return false;
    }
    return true;
}

std::optional<TCheckFault> Check_Slave_To_Master(std::span<const TVarRow> Rows)
{
    const int n = Variable_Count(Rows);
    for (int i = 0; i < n; ++i) {
        const TVarRow& row = Rows[size_t(i)];
        const int r = i + 1;
        const QString& init = row.Init_Value;
        if (Is_Enabled_Variable(row, "Array")) {
            const int length = Length_Of(row, -1);
            if (length < Min_Length || length > Max_Length)
                return TCheckFault{r, txt::StoM_Length};
            if (init.isEmpty())
                continue;
            if (init.size() % 2 != 0)
                return TCheckFault{r, txt::Odd_Digits};
            if (init.size() / 2 > length)
                return TCheckFault{r, txt::Too_Many_Bytes};
            if (!CheckArraySting(init))
                return TCheckFault{r, txt::Not_Hex};
        } else if (Is_Enabled_Variable(row, "String")) {
            const int length = Length_Of(row, -1);
            if (length < Min_Length || length > Max_Length)
                return TCheckFault{r, txt::StoM_String_Length};
            if (init.size() > length)
                return TCheckFault{r, txt::String_Too_Long};
        }
    }
    return std::nullopt;
}

std::optional<TCheckFault> Check_Master_To_Slave(std::span<const TVarRow> Rows)
{
    const int n = Variable_Count(Rows);
    for (int i = 0; i < n; ++i) {
        const TVarRow& row = Rows[size_t(i)];
        if (!Is_Enabled_Variable(row, "Array") && !Is_Enabled_Variable(row, "String"))
            continue;
        const int length = Length_Of(row, -1);
        if (length < Min_Length || length > Max_Length)
            return TCheckFault{i + 1, txt::MtoS_Length};
    }
    return std::nullopt;
}

} // namespace EtherCATSlave
