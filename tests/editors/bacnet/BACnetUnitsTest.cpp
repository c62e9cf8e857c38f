// The engineering-unit data: the name of a code, the picker's categories and their list names.
#include "editors/bacnet/UBACnet_Units.h"

#include <gtest/gtest.h>
#include <set>

namespace
{

TEST(BACnetUnits, DescUnitNamesTheCodesAndGivesUnknownOutside)
{
    const struct {
        int code;
        const char* name;
    } cases[] = {
        {62, "degrees-Celsius"},
        {139, "megajoules-hours-per-square-meter"},
        {140, "megajoules-hours-per-square-foot"},
        {172, "ohm-meters"},
        {51, "housepower"},
        {77, "feet-per-meters"},
        {103, "radiants"},
        {128, "btus-per-kilogram-degree-Kelvin"},
        {190, "microsiemens"},
        {0, "square-meters"},
        {236, "minutes-per-degree-kelvin"},
        {141, "watts-per-square-meter-degree-kelvin"},
        {185, "square-meters-per-Newton"},
        {237, "unknown"},
        {65535, "unknown"},
        {-1, "unknown"},
        {-5, "unknown"},
        {INT32_MIN, "unknown"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Desc_Unit(c.code), QString(c.name)) << c.code;
}

TEST(BACnetUnits, EveryCodeIsInExactlyOneCategoryOfItsSize)
{
    const auto categories = bacnetunits::Categories();
    ASSERT_EQ(categories.size(), 23u);
    const int sizes[] = {1, 4, 10, 35, 15, 5, 4, 1, 6, 2, 7, 7, 5, 9, 8, 12, 9, 9, 1, 9, 6, 13, 59};
    std::multiset<int> seen;
    for (size_t i = 0; i < categories.size(); ++i) {
        EXPECT_EQ(int(categories[i].Codes.size()), sizes[i]) << categories[i].Name;
        seen.insert(categories[i].Codes.begin(), categories[i].Codes.end());
    }
    ASSERT_EQ(seen.size(), size_t(bacnetunits::Unit_Count));
    for (int code = 0; code < bacnetunits::Unit_Count; ++code)
        EXPECT_EQ(seen.count(code), 1u) << code;
    EXPECT_STREQ(categories[0].Name, "Acceleration");
    EXPECT_STREQ(categories[13].Name, "Mass Flow");
    EXPECT_STREQ(categories[22].Name, "Other");
    // Order inside a category is the list's, not the codes'.
    EXPECT_EQ(std::vector<int>(categories[1].Codes.begin(), categories[1].Codes.end()),
              std::vector<int>({0, 116, 1, 115}));
}

TEST(BACnetUnits, ListNamesDifferFromDescUnitOnlyAtThreeCodes)
{
    std::vector<int> differ;
    for (int code = 0; code < bacnetunits::Unit_Count; ++code)
        if (bacnetunits::List_Name(code) != Desc_Unit(code))
            differ.push_back(code);
    EXPECT_EQ(differ, std::vector<int>({139, 140, 172}));
    EXPECT_EQ(bacnetunits::List_Name(139), "megajoules-per-square-meter");
    EXPECT_EQ(bacnetunits::List_Name(140), "megajoules-per-square-foot");
    EXPECT_EQ(bacnetunits::List_Name(172), "ohms-meters");
}

} // namespace
