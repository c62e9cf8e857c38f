// The filter matcher over 100,000 cell values, against the same decisions made directly with
// QString::toDouble comparisons and with a compiled wildcard regular expression; and a pattern with
// many "*" against a long value. Not run by CI.
#include "grid/base/FilterMatch.h"
#include "platform/core/SysUtils.h"

#include <QRegularExpression>
#include <benchmark/benchmark.h>

namespace
{

constexpr int Values = 100000;

// Two numbers (one with a fraction) for every word; the words start with A or B half the time.
const QStringList& MixedValues()
{
    static const QStringList values = [] {
        QStringList v;
        v.reserve(Values);
        const char* words[] = {"ALPHA", "BRAVO", "AXB1", "CHARLIE", "ABBA", "DELTA"};
        for (int i = 0; i < Values; ++i) {
            if (i % 3 == 0)
                v << QString::fromLatin1(words[(i / 3) % 6]);
            else if (i % 3 == 1)
                v << QString::number(i % 1000);
            else
                v << QString::number((i % 1000) / 1.7, 'f', 2);
        }
        return v;
    }();
    return values;
}

void SetRecord()
{
    TFormatSettings fs;
    fs.ThousandSeparator = ',';
    fs.DecimalSeparator = '.';
    fs.DateSeparator = '/';
    fs.TimeSeparator = ':';
    fs.ShortDateFormat = "dd/mm/yyyy";
    SetFormatSettings(fs);
}

// Counts the values a condition passes; the count is shown so each pair can be seen to agree.
void MatchAll(benchmark::State& state, const QString& condition, bool caseSensitive)
{
    SetRecord();
    for (auto _ : state) {
        int hits = 0;
        for (const QString& v : MixedValues())
            hits += MatchFilterCondition(condition, v, caseSensitive);
        benchmark::DoNotOptimize(hits);
        state.counters["hits"] = hits;
    }
}

void RegexAll(benchmark::State& state, const QString& wildcard, QRegularExpression::PatternOptions options)
{
    const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(wildcard), options);
    for (auto _ : state) {
        int hits = 0;
        for (const QString& v : MixedValues())
            hits += re.match(v).hasMatch();
        benchmark::DoNotOptimize(hits);
        state.counters["hits"] = hits;
    }
}

void BM_RangeMatcher(benchmark::State& state)
{
    MatchAll(state, ">10&<500", true);
}
BENCHMARK(BM_RangeMatcher)->Unit(benchmark::kMillisecond);

// The matcher's decisions for ">10&<500": as numbers when the value is one, else as texts.
void BM_RangeDirect(benchmark::State& state)
{
    const QString low = "10", high = "500";
    for (auto _ : state) {
        int hits = 0;
        for (const QString& v : MixedValues()) {
            bool ok;
            const double d = v.toDouble(&ok);
            hits += ok ? (d > 10 && d < 500) : (v > low && v < high);
        }
        benchmark::DoNotOptimize(hits);
        state.counters["hits"] = hits;
    }
}
BENCHMARK(BM_RangeDirect)->Unit(benchmark::kMillisecond);

void BM_WildcardMatcher(benchmark::State& state)
{
    MatchAll(state, "A*B?", true);
}
BENCHMARK(BM_WildcardMatcher)->Unit(benchmark::kMillisecond);

void BM_WildcardRegex(benchmark::State& state)
{
    RegexAll(state, "A*B?", QRegularExpression::NoPatternOption);
}
BENCHMARK(BM_WildcardRegex)->Unit(benchmark::kMillisecond);

// Not case sensitive: the value is upper-cased for every call, as the grid's default filter does.
void BM_WildcardMatcherNoCase(benchmark::State& state)
{
    MatchAll(state, "a*b?", false);
}
BENCHMARK(BM_WildcardMatcherNoCase)->Unit(benchmark::kMillisecond);

void BM_WildcardRegexNoCase(benchmark::State& state)
{
    RegexAll(state, "a*b?", QRegularExpression::CaseInsensitiveOption);
}
BENCHMARK(BM_WildcardRegexNoCase)->Unit(benchmark::kMillisecond);

void BM_ManyStars(benchmark::State& state)
{
    const QString condition = "*a*a*a*a*a*a*a*b";
    const QString value(2000, 'a');
    for (auto _ : state)
        benchmark::DoNotOptimize(MatchFilterCondition(condition, value, true));
}
BENCHMARK(BM_ManyStars)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
