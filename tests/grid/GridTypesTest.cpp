// The grid vocabulary: stored ordinals of the enumerations and the set template.
#include "grid/base/GridTypes.h"

#include <gtest/gtest.h>

namespace
{

TEST(GridTypes, OrdinalsAreTheStoredOnes)
{
    const struct {
        int Value;
        int Ordinal;
    } cases[] = {
        {edDataCheckBox, 10}, {edMaskEditBtn, 42},   {edTrackbarDropDown, 30},
        {ssOffice2007, 3},    {acSTDDEV, 9},         {ssAlphaNumericNoCase, 19},
        {ssHTML, 13},         {hcSelected, 2},       {fceComboList, 2},
        {fceRightClick, 3},   {adTopBottomInCol, 3}, {cbBottom, 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Value, c.Ordinal);
}

TEST(GridTypes, SetsHoldOneBitPerValue)
{
    const THoverRowCells hover{hcNormal, hcSelected};
    EXPECT_TRUE(hover.Contains(hcNormal));
    EXPECT_TRUE(hover.Contains(hcSelected));
    EXPECT_FALSE(hover.Contains(hcFixed));
    EXPECT_EQ(hover.Bits(), 0b101u);

    TCellBorders borders;
    EXPECT_TRUE(borders.Empty());
    borders.Include(cbTop).Include(cbBottom).Exclude(cbTop);
    EXPECT_EQ(borders, TCellBorders{cbBottom});
    EXPECT_EQ(borders | cbLeft, (TCellBorders{cbLeft, cbBottom}));
    EXPECT_EQ((TCellBorders{cbLeft, cbBottom} - TCellBorders{cbBottom}), TCellBorders{cbLeft});
}

} // namespace
