// Cell text classification, which the painter runs for every painted cell, against the plainest check
// one could write instead (QString::startsWith + contains) on the same texts. Not run by CI.
#include "grid/base/CellText.h"

#include <benchmark/benchmark.h>

namespace
{

constexpr int Calls = 1000000;

std::vector<QString> MixedTexts()
{
    std::vector<QString> texts;
    for (int i = 0; i < 64; ++i) {
        switch (i % 4) {
        case 0:
            texts.push_back(QStringLiteral("Plain cell text %1").arg(i));
            break;
        case 1:
            texts.push_back(QStringLiteral("<b>bold %1</b> and more").arg(i));
            break;
        case 2:
            texts.push_back(QStringLiteral("=A%1+B%1").arg(i));
            break;
        default:
            texts.push_back(EncodeWideText(QStringLiteral("wide %1").arg(i)));
            break;
        }
    }
    return texts;
}

void CellTextKindMix(benchmark::State& state)
{
    const std::vector<QString> texts = MixedTexts();
    for (auto _ : state) {
        unsigned sum = 0;
        for (int i = 0; i < Calls; ++i)
            sum += CellTextKind(texts[size_t(i) % texts.size()], true);
        benchmark::DoNotOptimize(sum);
    }
}

void StartsWithContainsMix(benchmark::State& state)
{
    const std::vector<QString> texts = MixedTexts();
    for (auto _ : state) {
        unsigned sum = 0;
        for (int i = 0; i < Calls; ++i) {
            const QString& t = texts[size_t(i) % texts.size()];
            sum += t.startsWith(QLatin1Char('=')) + t.contains(QLatin1String("</"));
        }
        benchmark::DoNotOptimize(sum);
    }
}

void WideTextRoundTrip(benchmark::State& state)
{
    const QString text = QStringLiteral("A wide cell text of some forty characters");
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodeWideText(EncodeWideText(text)));
}

BENCHMARK(CellTextKindMix)->Unit(benchmark::kMillisecond);
BENCHMARK(StartsWithContainsMix)->Unit(benchmark::kMillisecond);
BENCHMARK(WideTextRoundTrip);

} // namespace

BENCHMARK_MAIN();
