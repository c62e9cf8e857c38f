// The string grid's settings objects: defaults, which writes notify, side effects of writes, and what
// Assign copies.
#include "grid/base/GridSettings.h"

#include <gtest/gtest.h>

namespace
{

// Counts how often a notify event fires.
struct Counter {
    int Count = 0;
    TObject* LastSender = nullptr;
    TNotifyEvent Event()
    {
        return [this](TObject* Sender) {
            ++Count;
            LastSender = Sender;
        };
    }
};

TEST(SearchFooter, DesignTextsAndDefaults)
{
    TSearchFooter design(nullptr, true);
    EXPECT_EQ(design.FindNextCaption(), "Find &next");
    EXPECT_EQ(design.FindPrevCaption(), "Find &previous");
    EXPECT_EQ(design.HighLightCaption(), "Highlight");
    EXPECT_EQ(design.MatchCaseCaption(), "Match case");
    EXPECT_EQ(design.HintClose(), "Close");
    EXPECT_EQ(design.HintFindNext(), "Find next occurrence");
    EXPECT_EQ(design.HintFindPrev(), "Find previous occurrence");
    EXPECT_EQ(design.HintHighlight(), "Highlight occurrences");
    EXPECT_EQ(design.Color(), 0xFFFFFFu);
    EXPECT_EQ(design.ColorTo(), 0xFF00000Fu);
    EXPECT_EQ(design.SearchColumn, -1);
    EXPECT_TRUE(design.AutoSearch);
    EXPECT_FALSE(design.Visible());
    EXPECT_TRUE(design.ShowClose());
    EXPECT_EQ(design.SearchDirection, sdTopBottom);

    TSearchFooter runtime(nullptr, false);
    for (const QString& text : {runtime.FindNextCaption(), runtime.FindPrevCaption(),
                                runtime.HighLightCaption(), runtime.MatchCaseCaption(), runtime.HintClose(),
                                runtime.HintFindNext(), runtime.HintFindPrev(), runtime.HintHighlight()})
        EXPECT_TRUE(text.isEmpty()) << text.toStdString();
}

TEST(SearchFooter, NotifyAlwaysOrOnlyOnChange)
{
    TSearchFooter f(nullptr, false);
    Counter changes;
    f.OnChange = changes.Event();

    f.SetShowClose(true); // notify: even when unchanged
    f.SetShowClose(true);
    EXPECT_EQ(changes.Count, 2);
    EXPECT_EQ(changes.LastSender, &f);

    f.SetShowFindNext(true); // notify on change: unchanged
    EXPECT_EQ(changes.Count, 2);
    f.SetVisible(true);
    f.SetVisible(true);
    EXPECT_EQ(changes.Count, 3);

    TFont font;
    font.Name = QStringLiteral("Courier New");
    f.SetFont(&font);
    EXPECT_EQ(changes.Count, 4);
    EXPECT_EQ(f.Font()->Name.get(), "Courier New");
    EXPECT_NE(f.Font(), &font); // a copy, owned by the footer

    f.SearchColumn = 3; // plain
    EXPECT_EQ(changes.Count, 4);
}

TEST(SearchFooter, AssignKeepsInstanceSearchState)
{
    TSearchFooter src(nullptr, true);
    src.SetColor(0x123456);
    src.SetShowMatchCase(false);
    src.SetVisible(true);
    src.SearchColumn = 4;
    src.SearchDirection = sdLeftRight;
    src.AlwaysHighLight = true;
    src.AutoSearch = false;
    src.SearchFixedCells = true;
    src.SetAutoThemeAdapt(true);
    src.LastSearch = QStringLiteral("abc");
    src.Font()->Size = 14;

    TSearchFooter dst(nullptr, false);
    Counter changes;
    dst.OnChange = changes.Event();
    dst.Assign(&src);

    EXPECT_EQ(dst.Color(), 0x123456u);
    EXPECT_FALSE(dst.ShowMatchCase());
    EXPECT_TRUE(dst.Visible());
    EXPECT_EQ(dst.SearchColumn, 4);
    EXPECT_EQ(dst.SearchDirection, sdLeftRight);
    EXPECT_TRUE(dst.AlwaysHighLight);
    EXPECT_EQ(dst.FindNextCaption(), "Find &next");
    EXPECT_EQ(dst.HintHighlight(), "Highlight occurrences");
    EXPECT_EQ(dst.Font()->Size.get(), 14);
    // Not copied.
    EXPECT_TRUE(dst.AutoSearch);
    EXPECT_FALSE(dst.SearchFixedCells);
    EXPECT_FALSE(dst.AutoThemeAdapt());
    EXPECT_TRUE(dst.LastSearch.isEmpty());
    EXPECT_EQ(changes.Count, 0);
}

TEST(Navigation, AdvanceAutoSetsAdvanceOnEnterSilently)
{
    TNavigation n;
    Counter changes;
    n.OnChange = changes.Event();
    n.SetAdvanceAuto(true);
    EXPECT_TRUE(n.AdvanceAuto());
    EXPECT_TRUE(n.AdvanceOnEnter);
    n.SetAdvanceAuto(false); // does not take AdvanceOnEnter back
    EXPECT_TRUE(n.AdvanceOnEnter);
    EXPECT_EQ(changes.Count, 0);

    n.SetAdvanceDirection(adTopBottom);
    n.SetAdvanceDirection(adTopBottom);
    n.SetAdvanceInsert(true);
    n.SetAdvanceInsert(true);
    EXPECT_EQ(changes.Count, 2);
}

TEST(Navigation, AssignCopiesEverythingButKeepScrollOnSort)
{
    bool TNavigationValues::*const flags[] = {
        &TNavigation::AllowInsertRow,
        &TNavigation::AllowDeleteRow,
        &TNavigation::AlwaysEdit,
        &TNavigation::AdvanceOnEnter,
        &TNavigation::AdvanceOnEnterLoop,
        &TNavigation::AdvanceAutoEdit,
        &TNavigation::AdvanceSkipReadOnlyCells,
        &TNavigation::AutoGotoWhenSorted,
        &TNavigation::AutoGotoIncremental,
        &TNavigation::AutoComboDropSize,
        &TNavigation::AllowClipboardShortCuts,
        &TNavigation::AllowCtrlEnter,
        &TNavigation::AllowSmartClipboard,
        &TNavigation::AllowRTFClipboard,
        &TNavigation::AllowFmtClipboard,
        &TNavigation::AllowClipboardAlways,
        &TNavigation::AllowClipboardRowGrow,
        &TNavigation::AllowClipboardColGrow,
        &TNavigation::AppendOnArrowDown,
        &TNavigation::EditSelectAll,
        &TNavigation::ComboGetUpDown,
        &TNavigation::CursorWalkEditor,
        &TNavigation::CursorWalkAlwaysEdit,
        &TNavigation::CursorMoveRows,
        &TNavigation::MoveRowOnSort,
        &TNavigation::MoveScrollOnly,
        &TNavigation::ImproveMaskSel,
        &TNavigation::LeftRightRowSelect,
        &TNavigation::CopyHTMLTagsToClipboard,
        &TNavigation::KeepHorizScroll,
        &TNavigation::LineFeedOnEnter,
        &TNavigation::SkipFixedCells,
        &TNavigation::SkipDisabledRows,
        &TNavigation::TabToNextAtEnd,
    };
    TNavigation src;
    for (auto flag : flags)
        src.*flag = !(src.*flag);
    src.KeepScrollOnSort = true;
    src.InsertPosition = pInsertAfter;
    src.ClipboardPasteAction = paInsert;
    src.CursorAdvance = caLoop;
    src.HomeEndKey = heFirstLastCell;
    src.TabAdvanceDirection = adTopBottomInCol;
    src.SetAdvanceInsert(true);
    src.SetAdvanceDirection(adLeftRightInRow);
    src.SetAdvanceAuto(true);

    TNavigation dst;
    Counter changes;
    dst.OnChange = changes.Event();
    dst.Assign(&src);
    for (size_t i = 0; i < std::size(flags); ++i)
        EXPECT_EQ(dst.*flags[i], src.*flags[i]) << "flag " << i;
    EXPECT_EQ(dst.InsertPosition, pInsertAfter);
    EXPECT_EQ(dst.ClipboardPasteAction, paInsert);
    EXPECT_EQ(dst.CursorAdvance, caLoop);
    EXPECT_EQ(dst.HomeEndKey, heFirstLastCell);
    EXPECT_EQ(dst.TabAdvanceDirection, adTopBottomInCol);
    EXPECT_TRUE(dst.AdvanceInsert());
    EXPECT_EQ(dst.AdvanceDirection(), adLeftRightInRow);
    EXPECT_TRUE(dst.AdvanceAuto());
    EXPECT_FALSE(dst.KeepScrollOnSort);
    EXPECT_EQ(changes.Count, 0);
}

TEST(MouseActions, AssignSkipsTheInstanceSwitches)
{
    TMouseActions src(nullptr);
    src.SizeFixedCol = true;
    src.SizeFixedRow = true;
    src.SetHotmailRowSelect(true); // also DisjunctRowSelect and CheckAllCheck
    src.SetEditOnDblClickOnly(true);
    src.SetWheelAction(waScroll);
    src.WheelIncrement = 3;
    src.AutoSizeColOnDblClick = false;
    src.FixedRowsEdit = fceDblClick;
    src.FixedColsEditor = fceComboList;
    src.FixedComboValues()->Add(QStringLiteral("x"));

    TMouseActions dst(nullptr);
    int events = 0;
    dst.OnChange = dst.OnInvalidate = dst.OnDisableEdit = [&](TObject*) { ++events; };
    dst.Assign(&src);

    EXPECT_TRUE(dst.SizeFixedCol);
    EXPECT_TRUE(dst.DisjunctRowSelect());
    EXPECT_TRUE(dst.CheckAllCheck);
    EXPECT_EQ(dst.WheelAction(), waScroll);
    EXPECT_EQ(dst.WheelIncrement, 3);
    EXPECT_FALSE(dst.AutoSizeColOnDblClick);
    EXPECT_EQ(dst.FixedRowsEdit, fceDblClick);
    EXPECT_EQ(dst.FixedColsEditor, fceComboList);
    // Not copied.
    EXPECT_FALSE(dst.SizeFixedRow);
    EXPECT_FALSE(dst.HotmailRowSelect());
    EXPECT_FALSE(dst.EditOnDblClickOnly());
    EXPECT_EQ(dst.FixedComboValues()->Count(), 0);
    EXPECT_EQ(events, 0);
}

TEST(MouseActions, WritesWithSideEffects)
{
    TMouseActions m(nullptr);
    Counter invalidate, disableEdit, change;
    m.OnInvalidate = invalidate.Event();
    m.OnDisableEdit = disableEdit.Event();
    m.OnChange = change.Event();

    m.SetHotmailRowSelect(true);
    EXPECT_TRUE(m.DisjunctRowSelect());
    EXPECT_TRUE(m.CheckAllCheck);
    EXPECT_EQ(invalidate.Count, 1);
    m.SetHotmailRowSelect(false); // keeps the two, still invalidates
    EXPECT_TRUE(m.DisjunctRowSelect());
    EXPECT_EQ(invalidate.Count, 2);

    m.SetEditOnDblClickOnly(false);
    EXPECT_EQ(disableEdit.Count, 0);
    m.SetEditOnDblClickOnly(true);
    EXPECT_EQ(disableEdit.Count, 1);

    m.SetWheelAction(waScroll);
    m.SetWheelAction(waScroll);
    EXPECT_EQ(change.Count, 1);

    TStringList values;
    values.Add(QStringLiteral("a"));
    m.SetFixedComboValues(&values);
    values.Add(QStringLiteral("b"));
    EXPECT_EQ(m.FixedComboValues()->Count(), 1); // a copy
}

TEST(MouseActions, DisjunctSelectModesExcludeEachOtherOnlyWhileDesigning)
{
    TMouseActions m(nullptr);
    m.SetDisjunctColSelect(true);
    m.SetDisjunctCellSelect(true);
    m.SetDisjunctRowSelect(true); // run time: nothing answers "designing"
    EXPECT_TRUE(m.DisjunctColSelect());
    EXPECT_TRUE(m.DisjunctCellSelect());

    bool designing = false;
    m.OnIsDesigning = [&](TObject*, bool& IsDesigning) { IsDesigning = designing; };
    m.SetDisjunctRowSelect(true);
    EXPECT_TRUE(m.DisjunctColSelect());
    designing = true;
    m.SetDisjunctRowSelect(false); // False clears nothing
    EXPECT_TRUE(m.DisjunctColSelect());
    m.SetDisjunctRowSelect(true);
    EXPECT_TRUE(m.DisjunctRowSelect());
    EXPECT_FALSE(m.DisjunctColSelect());
    EXPECT_FALSE(m.DisjunctCellSelect());
    m.SetDisjunctCellSelect(true);
    EXPECT_FALSE(m.DisjunctRowSelect());
    EXPECT_TRUE(m.DisjunctCellSelect());

    // The direct write skips the rule.
    m.SetDisjunctRowSelectDirect(true);
    EXPECT_TRUE(m.DisjunctRowSelect());
    EXPECT_TRUE(m.DisjunctCellSelect());
}

TEST(Bands, NotifyOnlyWhileActiveAndKeepTheTotal)
{
    TBands b;
    Counter changes;
    b.OnChange = changes.Event();
    EXPECT_EQ(b.TotalLength(), 2);
    EXPECT_EQ(b.PrimaryColor(), clInfoBk);
    EXPECT_EQ(b.SecondaryColor(), 0xFF000005u);

    b.SetPrimaryColor(clRed);
    b.SetSecondaryLength(2);
    EXPECT_EQ(changes.Count, 0);
    EXPECT_EQ(b.PrimaryColor(), clRed);
    EXPECT_EQ(b.TotalLength(), 3);

    b.SetActive(true);
    b.SetActive(true);
    EXPECT_EQ(changes.Count, 1);
    b.SetPrimaryLength(3);
    b.SetPrimaryLength(3);
    EXPECT_EQ(changes.Count, 2);
    EXPECT_EQ(b.TotalLength(), 5);

    TBands copy;
    Counter copyChanges;
    copy.OnChange = copyChanges.Event();
    b.Print = true;
    copy.Assign(&b);
    EXPECT_TRUE(copy.Active());
    EXPECT_EQ(copy.PrimaryColor(), clRed);
    EXPECT_EQ(copy.PrimaryLength(), 3);
    EXPECT_EQ(copy.TotalLength(), 5);
    EXPECT_TRUE(copy.Print);
    EXPECT_EQ(copyChanges.Count, 0);
}

TEST(SyncGrid, NeverFollowsItsOwnGrid)
{
    // The grids are only compared, never used: stand-in addresses do.
    char places[2];
    auto* owner = reinterpret_cast<TExtStringGrid*>(&places[0]);
    auto* other = reinterpret_cast<TExtStringGrid*>(&places[1]);
    TSyncGrid s(owner);
    s.SetGrid(other);
    s.SetGrid(owner);
    EXPECT_EQ(s.Grid(), other);

    // Assign goes through the same write: another grid's link back to this owner is not taken.
    TSyncGrid peer(other);
    peer.SetGrid(owner);
    peer.ScrollVertical = true;
    TSyncGrid mine(owner);
    mine.Assign(&peer);
    EXPECT_EQ(mine.Grid(), nullptr);
    EXPECT_TRUE(mine.ScrollVertical);
}

TEST(GridSettings, AssignFromAnotherClassIsIgnored)
{
    TBands bands;
    bands.SetActive(true);
    TNavigation nav;
    nav.AllowInsertRow = true;
    TMouseActions mouse(nullptr);
    TSearchFooter footer(nullptr, true);
    TFocusHelper focus(nullptr);
    focus.Enabled = true;
    TSyncGrid sync(nullptr);

    EXPECT_NO_THROW(nav.Assign(&bands));
    EXPECT_TRUE(nav.AllowInsertRow);
    EXPECT_NO_THROW(bands.Assign(&nav));
    EXPECT_TRUE(bands.Active());
    EXPECT_NO_THROW(focus.Assign(&mouse));
    EXPECT_TRUE(focus.Enabled);
    EXPECT_NO_THROW(footer.Assign(&sync));
    EXPECT_EQ(footer.FindNextCaption(), "Find &next");
    EXPECT_NO_THROW(mouse.Assign(nullptr));
    EXPECT_NO_THROW(sync.Assign(&focus));

    TFocusHelper other(nullptr);
    other.Assign(&focus);
    EXPECT_TRUE(other.Enabled);
}

} // namespace
