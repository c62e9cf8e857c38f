#include "common/TestSupport.h"
#include "platform/core/StringList.h"

#include <gtest/gtest.h>

using testsupport::readBytes;
using testsupport::TempDir;
using testsupport::writeBytes;

namespace {

struct TObj : TObject {
    explicit TObj(int* deaths = nullptr) : Deaths(deaths) {}
    ~TObj() override
    {
        if (Deaths)
            ++*Deaths;
    }
    int* Deaths;
};

} // namespace

struct SortCase {
    const char* name;
    QStringList input;
    TDuplicates dup;
    bool caseSensitive;
    QStringList expected;   // empty with raises = true
    bool raises;
};

class StringListSorted : public ::testing::TestWithParam<SortCase> {};

TEST_P(StringListSorted, AddsInOrderAndAppliesDuplicates)
{
    const SortCase& c = GetParam();
    TStringList sl;
    sl.SetCaseSensitive(c.caseSensitive);
    sl.Duplicates = c.dup;
    sl.SetSorted(true);
    try {
        for (const QString& s : c.input)
            sl.Add(s);
        EXPECT_FALSE(c.raises) << "no error raised";
    } catch (const EListError& e) {
        EXPECT_TRUE(c.raises) << e.Message.toStdString();
        EXPECT_EQ(e.Message, "String list does not allow duplicates");
        return;
    }
    EXPECT_EQ(sl.ToStringList(), c.expected);
    for (const QString& s : c.expected)
        EXPECT_GE(sl.IndexOf(s), 0) << s.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    StringList, StringListSorted,
    ::testing::Values(SortCase{"ignore", {"b", "a", "c", "a"}, dupIgnore, false, {"a", "b", "c"}, false},
                      SortCase{"accept", {"b", "a", "a"}, dupAccept, false, {"a", "a", "b"}, false},
                      SortCase{"error", {"b", "a", "A"}, dupError, false, {}, true},
                      SortCase{"caseInsensitiveIgnore", {"B", "a", "b"}, dupIgnore, false, {"a", "B"}, false},
                      SortCase{"caseSensitiveKeepsBoth", {"B", "a", "b", "A"}, dupIgnore, true,
                               {"a", "A", "b", "B"}, false},
                      SortCase{"caseSensitiveError", {"x", "X", "x"}, dupError, true, {}, true},
                      SortCase{"mixedOrder", {"Zeta", "alpha", "Beta"}, dupAccept, false,
                               {"alpha", "Beta", "Zeta"}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StringList, SortedListRefusesPositionalChangesAndResortsOnCaseChange)
{
    TStringList sl;
    sl.AddStrings(QStringList{"b", "B", "a"});
    sl.SetSorted(true);
    EXPECT_EQ(sl.ToStringList(), QStringList({"a", "b", "B"}));
    EXPECT_THROW(sl.Insert(0, "x"), EListError);
    EXPECT_THROW(sl.SetStrings(0, "x"), EListError);
    EXPECT_THROW(sl.Move(0, 1), EListError);
    sl.SetCaseSensitive(true);
    EXPECT_EQ(sl.ToStringList(), QStringList({"a", "b", "B"}));
    EXPECT_EQ(sl.IndexOf("B"), 2);
    sl.SetCaseSensitive(false);
    EXPECT_EQ(sl.IndexOf("B"), 1);   // first of the equal ones
}

TEST(StringList, IndexErrorsNameTheIndex)
{
    TStringList sl;
    sl.Add("one");
    struct Op {
        const char* name;
        std::function<void()> run;
        int index;
    };
    const Op ops[] = {
        {"Strings", [&] { (void)sl.Strings(1); }, 1},
        {"Objects", [&] { (void)sl.Objects(-1); }, -1},
        {"Delete", [&] { sl.Delete(3); }, 3},
        {"Insert", [&] { sl.Insert(2, "x"); }, 2},
        {"Exchange", [&] { sl.Exchange(0, 4); }, 4},
    };
    for (const Op& op : ops) {
        try {
            op.run();
            ADD_FAILURE() << op.name << " did not raise";
        } catch (const EListError& e) {
            EXPECT_EQ(e.Message, QString("List index out of bounds (%1)").arg(op.index)) << op.name;
        }
    }
    EXPECT_EQ(sl.Count(), 1);
}

TEST(StringList, ObjectsTravelWithTheirStrings)
{
    TObj o1, o2, o3;
    TStringList sl;
    sl.AddObject("one", &o1);
    sl.AddObject("two", &o2);
    sl.InsertObject(0, "zero", &o3);
    sl.Exchange(0, 2);
    EXPECT_EQ(sl.ToStringList(), QStringList({"two", "one", "zero"}));
    EXPECT_EQ(sl.Objects(0), &o2);
    EXPECT_EQ(sl.Objects(2), &o3);
    sl.Move(2, 0);
    EXPECT_EQ(sl.ToStringList(), QStringList({"zero", "two", "one"}));
    EXPECT_EQ(sl.Objects(0), &o3);
    EXPECT_EQ(sl.IndexOfObject(&o1), 2);
    sl.Delete(1);
    EXPECT_EQ(sl.IndexOfObject(&o2), -1);
    EXPECT_EQ(sl.IndexOf("ONE"), 1);
}

TEST(StringList, OwnedObjectsAreFreedWithTheirLines)
{
    int deaths = 0;
    {
        TStringList sl(true);
        sl.AddObject("a", new TObj(&deaths));
        sl.AddObject("b", new TObj(&deaths));
        sl.AddObject("c", new TObj(&deaths));
        sl.Delete(0);
        EXPECT_EQ(deaths, 1);
        sl.SetObjects(0, new TObj(&deaths));
        EXPECT_EQ(deaths, 2);
    }
    EXPECT_EQ(deaths, 4);
}

TEST(StringList, NamesAndValues)
{
    TStringList sl;
    sl.SetText("Port=COM1\nbaud=9600\nplain\n=empty\nPort=second");
    struct Case {
        const char* name;
        QString value;
    };
    const Case cases[] = {{"Port", "COM1"}, {"PORT", "COM1"}, {"baud", "9600"}, {"plain", ""}, {"", "empty"},
                          {"missing", ""}};
    for (const Case& c : cases)
        EXPECT_EQ(sl.Values(c.name), c.value) << c.name;
    EXPECT_EQ(sl.Names(1), "baud");
    EXPECT_EQ(sl.Names(2), "");
    EXPECT_EQ(sl.ValueFromIndex(0), "COM1");

    sl.SetValues("baud", "115200");
    EXPECT_EQ(sl.Strings(1), "baud=115200");
    sl.SetValues("new", "1");
    EXPECT_EQ(sl.Strings(sl.Count() - 1), "new=1");
    sl.SetValues("Port", "");   // an empty value removes the first line of that name
    EXPECT_EQ(sl.Values("Port"), "second");
}

struct CommaCase {
    QString text;
    QStringList items;
    QString back;   // what CommaText gives for the items
};

TEST(StringList, CommaTextBothWays)
{
    const CommaCase cases[] = {
        {"a,b,c", {"a", "b", "c"}, "a,b,c"},
        {"a b,c", {"a", "b", "c"}, "a,b,c"},
        {"\"a b\",c", {"a b", "c"}, "\"a b\",c"},
        {" a , b ", {"a", "b"}, "a,b"},
        {"\"say \"\"hi\"\"\",x", {"say \"hi\"", "x"}, "\"say \"\"hi\"\"\",x"},
        {"a,,b", {"a", "", "b"}, "a,,b"},
        {"a,", {"a", ""}, "a,"},
        {"\"\"", {""}, "\"\""},
        {"", {}, ""},
        {"\"1,5\",2", {"1,5", "2"}, "\"1,5\",2"},
    };
    for (const CommaCase& c : cases) {
        TStringList sl;
        sl.SetCommaText(c.text);
        EXPECT_EQ(sl.ToStringList(), c.items) << c.text.toStdString();
        EXPECT_EQ(sl.CommaText(), c.back) << c.text.toStdString();
    }
}

TEST(StringList, DelimitedTextWithOwnDelimiterAndStrictness)
{
    TStringList sl;
    sl.Delimiter = ';';
    sl.SetDelimitedText("a b;c");
    EXPECT_EQ(sl.ToStringList(), QStringList({"a", "b", "c"}));
    sl.StrictDelimiter = true;
    sl.SetDelimitedText("a b;c");
    EXPECT_EQ(sl.ToStringList(), QStringList({"a b", "c"}));
    EXPECT_EQ(sl.DelimitedText(), "\"a b\";c");
}

TEST(StringList, TextSplitsOnEveryLineBreakKind)
{
    TStringList sl;
    sl.SetText("one\r\ntwo\nthree\rfour\r\n");
    EXPECT_EQ(sl.ToStringList(), QStringList({"one", "two", "three", "four"}));
    EXPECT_EQ(sl.Text(), "one\r\ntwo\r\nthree\r\nfour\r\n");
    sl.SetText("a\n\nb");
    EXPECT_EQ(sl.ToStringList(), QStringList({"a", "", "b"}));
}

TEST(StringList, FilesUseTheWindowsCodePageUnlessMarked)
{
    TempDir dir;
    TStringList sl;
    sl.Add(QString::fromUtf8("caf\u00e9"));
    sl.Add("x");
    sl.SaveToFile(dir.file("a.txt"));
    EXPECT_EQ(readBytes(dir.file("a.txt")), QByteArray("caf\xE9\r\nx\r\n"));

    TStringList back;
    back.LoadFromFile(dir.file("a.txt"));
    EXPECT_EQ(back.ToStringList(), sl.ToStringList());

    writeBytes(dir.file("u.txt"), "\xEF\xBB\xBF" "caf\xC3\xA9\nz");
    back.LoadFromFile(dir.file("u.txt"));
    EXPECT_EQ(back.ToStringList(), QStringList({QString::fromUtf8("caf\u00e9"), "z"}));

    EXPECT_THROW(back.LoadFromFile(dir.file("missing.txt")), EInOutError);
}

TEST(StringList, OnChangeFiresOncePerUpdateBlock)
{
    TStringList sl;
    int changes = 0;
    sl.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &sl);
        ++changes;
    };
    sl.Add("a");
    EXPECT_EQ(changes, 1);
    sl.BeginUpdate();
    sl.Add("b");
    sl.Add("c");
    sl.Delete(0);
    EXPECT_EQ(changes, 1);
    sl.EndUpdate();
    EXPECT_EQ(changes, 2);
    sl.SetCommaText("x,y,z");
    EXPECT_EQ(changes, 3);
}

TEST(StringList, AssignCopiesStringsAndObjects)
{
    TObj o;
    TStringList a, b;
    a.AddObject("k=v", &o);
    b.Add("old");
    b.Assign(&a);
    EXPECT_EQ(b.ToStringList(), QStringList({"k=v"}));
    EXPECT_EQ(b.Objects(0), &o);
}

// ---- Collections ----------------------------------------------------------------------------------

namespace {

struct TColumn : TCollectionItem {
    using TCollectionItem::TCollectionItem;
    QString Title;
    void SetTitle(const QString& t)
    {
        Title = t;
        Changed(false);
    }
    void Assign(const TPersistent* Source) override
    {
        if (auto* c = dynamic_cast<const TColumn*>(Source)) {
            Title = c->Title;
            return;
        }
        TCollectionItem::Assign(Source);
    }
};

} // namespace

TEST(StringListCollection, ItemsKeepIndexesAndReportUpdates)
{
    TCollectionOf<TColumn> cols;
    std::vector<TCollectionItem*> updates;
    cols.OnUpdate = [&](TCollectionItem* item) { updates.push_back(item); };

    TColumn* a = cols.Add();
    TColumn* b = cols.Add();
    TColumn* c = cols.Insert(0);
    EXPECT_EQ(cols.Count(), 3);
    EXPECT_EQ(cols.Items(0), c);
    EXPECT_EQ(a->Index(), 1);
    EXPECT_EQ(b->Index(), 2);
    EXPECT_EQ(cols.FindItemID(b->ID()), b);

    updates.clear();
    b->SetTitle("B");
    ASSERT_EQ(updates.size(), 1u);
    EXPECT_EQ(updates[0], b);   // one item changed

    updates.clear();
    cols.BeginUpdate();
    a->SetTitle("A");
    b->SetIndex(0);
    cols.EndUpdate();
    ASSERT_EQ(updates.size(), 1u);
    EXPECT_EQ(updates[0], nullptr);   // one notice for the whole block
    EXPECT_EQ(cols.Items(0), b);

    cols.Delete(0);
    EXPECT_EQ(cols.Count(), 2);
    EXPECT_EQ(a->Index(), 1);
    delete c;   // freeing an item takes it out
    EXPECT_EQ(cols.Count(), 1);
    EXPECT_EQ(a->Index(), 0);
    try {
        cols.Items(1);
        FAIL() << "bad index did not raise";
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message, "List index out of bounds (1)");
    }
}

TEST(StringListCollection, AssignCopiesEveryItem)
{
    TCollectionOf<TColumn> from, to;
    from.Add()->Title = "x";
    from.Add()->Title = "y";
    to.Add()->Title = "old";
    to.Assign(&from);
    ASSERT_EQ(to.Count(), 2);
    EXPECT_EQ(to.Items(0)->Title, "x");
    EXPECT_EQ(to.Items(1)->Title, "y");
}
