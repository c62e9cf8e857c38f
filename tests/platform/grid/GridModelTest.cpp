#include "platform/grid/GridModel.h"
#include "platform/core/SysUtils.h"

#include <gtest/gtest.h>

namespace
{

// 20 entries of 22 px, 1 fixed, unless a case changes sizes.
TGridAxis Axis(int count = 20, int size = 22, int fixed = 1)
{
    TGridAxis a;
    a.SetCount(count);
    a.SetDefaultSize(size);
    a.Fixed = fixed;
    a.First = fixed;
    return a;
}

// The same axis with every size stored explicitly, so the per-entry path is taken.
TGridAxis Explicit(TGridAxis a)
{
    const int keep = a.Size(0);
    a.SetSize(0, keep + 1);
    a.SetSize(0, keep);
    return a;
}

} // namespace

struct AxisCase {
    const char* name;
    int first;
    int extent;
    int fullyVisible;
    int lastVisible;
    int maxFirst;
};

class GridAxisCounts : public ::testing::TestWithParam<AxisCase>
{
};

TEST_P(GridAxisCounts, UniformAndStoredSizesAgree)
{
    const AxisCase& c = GetParam();
    for (TGridAxis a : {Axis(), Explicit(Axis())}) {
        a.First = c.first;
        EXPECT_EQ(a.FullyVisibleCount(c.extent), c.fullyVisible);
        EXPECT_EQ(a.LastVisible(c.extent), c.lastVisible);
        EXPECT_EQ(a.MaxFirst(c.extent), c.maxFirst);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Grid, GridAxisCounts,
    ::testing::Values(
        // 230 px: 22 fixed + 208 for scrolled rows = 9 whole rows and part of a tenth
        AxisCase{"partialLast", 1, 230, 9, 10, 11}, AxisCase{"exactFit", 1, 22 + 9 * 22, 9, 9, 11},
        AxisCase{"scrolledToEnd", 11, 230, 9, 19, 11}, AxisCase{"pastTheEnd", 15, 230, 5, 19, 11},
        AxisCase{"onlyFixedFits", 1, 30, 0, 1, 19}, AxisCase{"nothingFits", 1, 0, 0, -1, 19},
        AxisCase{"allFit", 1, 1000, 19, 19, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GridAxis, PositionsAndHitsFollowTheScrolledStart)
{
    for (TGridAxis a : {Axis(), Explicit(Axis())}) {
        a.First = 5;
        EXPECT_EQ(a.Position(0, 230), 0);
        EXPECT_EQ(a.Position(3, 230), TGridAxis::NotVisible) << "scrolled out above";
        EXPECT_EQ(a.Position(5, 230), 22);
        EXPECT_EQ(a.Position(14, 230), 22 + 9 * 22) << "partly visible";
        EXPECT_EQ(a.Position(15, 230), TGridAxis::NotVisible) << "below the client";
        EXPECT_EQ(a.Position(20, 230), TGridAxis::NotVisible) << "beyond the count";
        EXPECT_EQ(a.IndexAt(-1), -1);
        EXPECT_EQ(a.IndexAt(21), 0);
        EXPECT_EQ(a.IndexAt(22), 5);
        EXPECT_EQ(a.IndexAt(22 + 15 * 22 - 1), 19);
        EXPECT_EQ(a.IndexAt(22 + 15 * 22), -1) << "below the last row";
    }
}

TEST(GridAxis, FirstShowingMovesAsLittleAsPossible)
{
    TGridAxis a = Axis();
    a.SetSize(12, 100);
    a.First = 5;
    EXPECT_EQ(a.FirstShowing(0, 230), 5) << "fixed entries never scroll";
    EXPECT_EQ(a.FirstShowing(3, 230), 3);
    EXPECT_EQ(a.FirstShowing(8, 230), 5) << "already whole";
    // rows 5..11 take 154 px, row 12 takes 100: 254 > 208, so start at 8 (88 + 100 = 188)
    EXPECT_EQ(a.FirstShowing(12, 230), 8);
    a.SetSize(12, 500);
    EXPECT_EQ(a.FirstShowing(12, 230), 12) << "taller than the client: show its top";
}

TEST(GridAxis, SizesKeepTheirDefaultHandling)
{
    TGridAxis a = Axis(5, 10, 1);
    EXPECT_FALSE(a.SetSize(2, 10)) << "equal value";
    EXPECT_TRUE(a.SetSize(2, -4));
    EXPECT_EQ(a.Size(2), 0) << "negative sizes clamp to 0";
    a.SetCount(8);
    EXPECT_EQ(a.Size(7), 10) << "new entries get the default";
    EXPECT_EQ(a.Size(2), 0);
    a.SetDefaultSize(10);
    EXPECT_EQ(a.Size(2), 10) << "the default resets every entry, also with the same value";
}

TEST(GridCellStore, IsSparseAndUnboundedAndIndexChecked)
{
    TGridCellStore s;
    TObject* obj = reinterpret_cast<TObject*>(&s);
    s.SetText(7, 20, "x");
    s.SetObject(3, 100000, obj);
    EXPECT_EQ(s.Text(7, 20), "x");
    EXPECT_EQ(s.Text(6, 20), "");
    EXPECT_EQ(s.Text(7, 21), "");
    EXPECT_EQ(s.Object(3, 100000), obj);
    EXPECT_EQ(s.RowLength(19), 0) << "no storage for rows never written";

    try {
        s.Text(0, -1);
        FAIL() << "negative row read";
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message, "List index out of bounds (-1)");
    }
    EXPECT_THROW(s.SetText(-2, 5, "a"), EListError) << "negative column write";
    EXPECT_THROW(s.SetText(-2, 5, ""), EListError) << "negative column write of nothing";
    EXPECT_EQ(s.Text(-2, 5), "") << "negative column read of an empty row";
    EXPECT_THROW(s.Text(-2, 20), EListError) << "negative column read of a stored row";
}

TEST(GridCellStore, MovesCarryTextsAndObjectsOfAllRowsAndColumns)
{
    TGridCellStore s;
    TObject* obj = reinterpret_cast<TObject*>(&s);
    for (int c = 0; c < 5; ++c)
        s.SetText(c, 0, QString("a%1").arg(c));
    s.SetText(30, 2, "far"); // a row longer than the moved range
    s.SetText(1, 2, "b1");
    s.SetObject(1, 2, obj);
    s.MoveCol(1, 3);
    QStringList row0;
    for (int c = 0; c < 5; ++c)
        row0 << s.Text(c, 0);
    EXPECT_EQ(row0, QStringList({"a0", "a2", "a3", "a1", "a4"}));
    EXPECT_EQ(s.Text(3, 2), "b1");
    EXPECT_EQ(s.Object(3, 2), obj);
    EXPECT_EQ(s.Text(30, 2), "far");
    s.MoveCol(3, 1);
    EXPECT_EQ(s.Text(1, 0), "a1");

    s.MoveRow(0, 6); // to a row never written
    EXPECT_EQ(s.Text(1, 6), "a1");
    EXPECT_EQ(s.Text(1, 1), "b1") << "rows between shift up";
    s.MoveRow(6, 0);
    EXPECT_EQ(s.Text(1, 0), "a1");
    EXPECT_EQ(s.Text(1, 2), "b1");
}
