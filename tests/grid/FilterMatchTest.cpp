#include "grid/base/FilterMatch.h"
#include "RegionalRecord.h"

#include <gtest/gtest.h>
#include <random>

namespace
{

const RegionalRecord CommaDecimal{'.', ',', '/', ':', "dd/mm/yyyy"};

struct MatchCase {
    RegionalRecord record;
    const char* condition;
    const char* value;
    bool caseSensitive;
    bool expected;
};

void checkMatches(const std::vector<MatchCase>& cases)
{
    for (const auto& c : cases) {
        RegionalScope scope(c.record);
        EXPECT_EQ(MatchFilterCondition(c.condition, c.value, c.caseSensitive), c.expected)
            << "condition [" << c.condition << "] value [" << c.value << "]"
            << (c.caseSensitive ? " case sensitive" : "");
    }
}

TEST(FilterMatch, Comparisons)
{
    const RegionalRecord d = DefaultRecord;
    checkMatches({
        {d, ">10", "12", false, true},
        {d, ">10", "8", false, false},
        {d, ">10", "10", false, false},
        {d, ">=10", "10", false, true},
        {d, "<5", "-3", false, true},
        {d, "<5", "10", false, false},
        {d, "<=5", "5", false, true},
        {d, ">9", "10", false, true}, // as numbers, not as texts
        {d, ">1,000", "1,500", false, true},
        {d, ">1,000", "999.5", false, false},
        {d, ">1&<5", "3", false, true},
        {d, ">1&<5", "7", false, false},
        {d, ">b", "c", false, true},
        {d, ">b", "a", false, false},
        {d, ">=10", "abc", false, true}, // one side is not a number: compared as texts
        {d, "<=31/12/2024", "15/06/2024", false, true},
        {d, "<=31/12/2024", "01/01/2025", false, false},
        {d, ">\"31/12/2024 10:00\"", "31/12/2024 10:30", false, true},
        {d, ">\"31/12/2024 10:00\"", "31/12/2024 09:30", false, false},
        {d, "> 10", "12", false, true},
        {d, ">\"a b\"", "b", false, true},
        {d, ">\"a b\"", "a a", false, false},
        {CommaDecimal, ">1,5", "2", false, true},
        {CommaDecimal, ">1,5", "1,4", false, false},
        {CommaDecimal, ">1.000", "1.000,5", false, true},
        {CommaDecimal, "<=31/12/2024", "15/06/2024", false, true},
    });
}

TEST(FilterMatch, WildcardsNegationAndCase)
{
    const RegionalRecord d = DefaultRecord;
    checkMatches({
        {d, "A*", "ABC", false, true},      {d, "A*", "XAB", false, false},
        {d, "*B", "AB", false, true},       {d, "*B", "ABC", false, false},
        {d, "?B", "AB", false, true},       {d, "?B", "B", false, false},
        {d, "A?", "A", false, false},       {d, "A*C*E", "ABCDE", false, true},
        {d, "!A*", "XYZ", false, true},     {d, "!A*", "ABC", false, false},
        {d, "abc", "ABC", false, true},     {d, "abc", "ABC", true, false},
        {d, "ABC", "ABC", true, true},      {d, "a*", "ABC", true, false},
        {d, "=A", "A", false, true},        {d, " A ", "A", false, true},
        {d, "A B", "AB", false, true}, // blanks outside quotes do not count
        {d, "\"A B\"", "A B", false, true}, {d, "\"A&B\"", "A&B", false, true},
        {d, "\"A&B\"", "A", false, false},  {d, "", "", false, true},
        {d, "", "A", false, false},         {d, "x", "", false, false},
    });
}

TEST(FilterMatch, ConnectivesAndGroupsLeftToRight)
{
    const RegionalRecord d = DefaultRecord;
    checkMatches({
        {d, "A*|B*", "BX", false, true},
        {d, "A*|B*", "CX", false, false},
        {d, "A*;B*", "BX", false, true},
        {d, "A*^B*", "BX", false, true},
        {d, "A*&*C", "ABC", false, true},
        {d, "A*&*C", "ABD", false, false},
        {d, "(A*|B*)&*Z", "BZ", false, true},
        {d, "(A*|B*)&*Z", "AX", false, false},
        {d, "(A*|B*)&*Z", "CZ", false, false},
        {d, "((A*))", "AB", false, true},
        {d, "X;A*&*C", "AC", false, true},
        {d, "X;A*&*C", "X", false, false}, // (X or A*) and *C, no precedence of "&"
        {d, "*Z&(A*|B*)", "BZ", false, true},
    });
}

TEST(FilterMatch, OnePartAsItIs)
{
    // Inside one part "&" and "^" join its two comparisons; the whole condition splits there first.
    RegionalScope scope(DefaultRecord);
    struct Case {
        const char* condition;
        const char* value;
        bool expected;
    };
    const Case cases[] = {
        {">5&<10", "7", true}, {">5&<10", "12", false}, {">5&<10", "5", false}, {">5^<3", "1", true},
        {">5^<3", "9", true},  {">5^<3", "4", false},   {"abc", "ABC", false},  {"a?c", "abc", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchSingleCondition(c.condition, c.value), c.expected) << c.condition << " " << c.value;
    EXPECT_TRUE(MatchConditionPart("a?c", "ABC", false));
    EXPECT_FALSE(MatchConditionPart("a?c", "ABC", true));
}

TEST(FilterMatch, MendedFaults)
{
    const RegionalRecord d = DefaultRecord;
    checkMatches({
        // An unmatched "(" takes the rest as its group instead of looping.
        {d, "(A", "A", false, true},
        {d, "(A", "B", false, false},
        {d, "B|(A", "A", false, true},
        {d, "(", "", false, true},
        // A "*" reached at the end of the value matches the empty rest.
        {d, "A*", "A", false, true},
        {d, "*", "", false, true},
        {d, "**", "", false, true},
        {d, "A**\"", "A", false, true},
        {d, "!A*", "A", false, false},
        {d, "A*?", "A", false, false},
    });
}

TEST(FilterMatch, ManyStarsStayPolynomial)
{
    // Trying every tail for every "*" without remembering answers would not finish at these sizes.
    const QString pattern = "*a*a*a*a*a*a*a*b";
    EXPECT_FALSE(MatchFilterCondition(pattern, QString(40, 'a'), true));
    EXPECT_FALSE(MatchFilterCondition(pattern, QString(2000, 'a'), true));
    EXPECT_TRUE(MatchFilterCondition(pattern, QString(2000, 'a') + 'b', true));
    EXPECT_FALSE(MatchFilterCondition(pattern, 'b' + QString(2000, 'a'), true));
}

// The textbook glob definition, fine for short texts.
bool glob(QStringView p, QStringView v)
{
    if (p.isEmpty())
        return v.isEmpty();
    if (p[0] == '*')
        return glob(p.sliced(1), v) || (!v.isEmpty() && glob(p, v.sliced(1)));
    return !v.isEmpty() && (p[0] == '?' || p[0] == v[0]) && glob(p.sliced(1), v.sliced(1));
}

TEST(FilterMatch, WildcardsAgreeWithAnIndependentMatcher)
{
    // Patterns of letters, "?" and "*" mean what a glob means; compared on many small random cases.
    std::mt19937 random(20241231);
    const char patternChars[] = {'a', 'b', '?', '*'};
    int matches = 0;
    for (int round = 0; round < 20000; ++round) {
        QString pattern, value;
        for (int i = int(random() % 8); i > 0; --i)
            pattern += patternChars[random() % 4];
        for (int i = int(random() % 9); i > 0; --i)
            value += "ab"[random() % 2];
        const bool expected = glob(pattern, value);
        matches += expected;
        ASSERT_EQ(MatchSingleCondition(pattern, value), expected)
            << "pattern [" << pattern.toStdString() << "] value [" << value.toStdString() << "]";
    }
    EXPECT_GT(matches, 1000); // the cases exercise both answers
}

TEST(FilterMatch, Helpers)
{
    EXPECT_EQ(RemoveBlanksOutsideQuotes(" a \"b c\" d "), "a\"b c\"d");
    EXPECT_EQ(RemoveBlanksOutsideQuotes("\"x y"), "\"x y");

    const std::pair<const char*, int> parens[] = {{"(a)b", 3},    {"((a)b)", 6}, {"(a)(b)", 3}, {"(a", 0},
                                                  {"(\"(\")", 0}, {"", 0},       {")(", 0},     {"a)", 0}};
    for (const auto& [text, expected] : parens)
        EXPECT_EQ(FindClosingParen(text), expected) << text;

    struct Find {
        const char* text;
        char found;
        int pos;
    };
    const Find finds[] = {
        {"a&b", '&', 2}, {"a\"&\"|b", '|', 5}, {"\"a|b", 0, -1}, {"", 0, -1}, {"(x", '(', 1}};
    for (const auto& f : finds) {
        int pos = 99;
        EXPECT_EQ(FindCharOutsideQuotes("(;^&|", f.text, pos), QChar(f.found)) << f.text;
        EXPECT_EQ(pos, f.pos) << f.text;
    }

    {
        RegionalScope scope(DefaultRecord);
        EXPECT_EQ(NormaliseNumberText("1,234.5 kg"), "1234.5 kg");
    }
    RegionalScope scope(CommaDecimal);
    EXPECT_EQ(NormaliseNumberText("1.234,5"), "1234.5");
}

} // namespace
