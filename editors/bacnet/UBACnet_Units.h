// The BACnet engineering units (codes 0 .. 236) as the unit picker and the server editor know them:
// one name per code and the picker's 23 categories, each a list of codes in the order it shows them.
//
// Desc_Unit gives the name shown after "-> "; the picker's unit list shows the same names but for
// three codes whose list name differs (List_Name). A few names keep the spellings the device
// documentation uses ("housepower", "radiants", ...): they are the texts users know.
#pragma once

#include <QString>
#include <cstdint>
#include <span>

namespace bacnetunits
{

constexpr int Unit_Count = 237;

struct TUnitCategory {
    const char* Name; // not translated
    std::span<const int16_t> Codes;
};

std::span<const TUnitCategory> Categories();
// The name the picker's unit list shows for a code 0 .. Unit_Count - 1.
QString List_Name(int Code);

} // namespace bacnetunits

// The unit's name; "unknown" for every code outside 0 .. 236.
QString Desc_Unit(int Num_Unit);
