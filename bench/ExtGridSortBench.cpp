// Sorting and column exchange of the string grid at 100,000 x 20 cells, against Qt's proxy sort over
// a QStandardItemModel holding the same texts (and QTableWidget for the column work), in the same run.
// Column 1 holds random words, column 2 random integers as text, column 3 one repeated value. Before
// each timed sort the two columns get their random texts back, so every sort starts from disorder.
// Not run by CI.
#include "bench/common/BenchGrids.h"
#include "grid/core/ExtGrid.h"

#include <QApplication>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableWidget>
#include <benchmark/benchmark.h>
#include <random>

namespace
{

using namespace benchgrids;

struct TData {
    std::vector<QString> Words;
    std::vector<QString> Numbers;
};

const TData& Data()
{
    static const TData d = [] {
        TData data;
        std::mt19937 rng(12345);
        std::uniform_int_distribution<int> letter('a', 'z');
        std::uniform_int_distribution<int> length(3, 10);
        std::uniform_int_distribution<int> number(-1000000, 1000000);
        for (int r = 0; r < Rows; ++r) {
            QString w;
            for (int k = length(rng); k > 0; --k)
                w += QChar(letter(rng));
            data.Words.push_back(w);
            data.Numbers.push_back(QString::number(number(rng)));
        }
        return data;
    }();
    return d;
}

QString CellText(int c, int r)
{
    switch (c) {
    case 1:
        return Data().Words[size_t(r)];
    case 2:
        return Data().Numbers[size_t(r)];
    case 3:
        return QStringLiteral("same");
    default:
        return QString::number(r * Cols + c);
    }
}

TExtStringGrid* SharedGrid()
{
    static std::unique_ptr<TExtStringGrid> g = [] {
        auto grid = std::make_unique<TExtStringGrid>(nullptr);
        grid->SetFixedRows(0);
        grid->SetFixedCols(0);
        FillAndShow(*grid, CellText);
        return grid;
    }();
    return g.get();
}

// The random texts back in columns 1 and 2 (the other columns keep whatever order they got).
void Scramble(TExtStringGrid* g)
{
    g->BeginUpdate();
    for (int r = 0; r < Rows; ++r) {
        g->SetGridCell(1, r, CellText(1, r));
        g->SetGridCell(2, r, CellText(2, r));
    }
    g->EndUpdate();
    g->InitSortXRef();
}

QStandardItemModel* SharedModel()
{
    static std::unique_ptr<QStandardItemModel> m = [] {
        auto model = std::make_unique<QStandardItemModel>(Rows, Cols);
        for (int r = 0; r < Rows; ++r)
            for (int c = 0; c < Cols; ++c)
                model->setItem(r, c, new QStandardItem(CellText(c, r)));
        return model;
    }();
    return m.get();
}

class TNumberProxy : public QSortFilterProxyModel
{
  protected:
    bool lessThan(const QModelIndex& a, const QModelIndex& b) const override
    {
        return a.data().toString().toDouble() < b.data().toString().toDouble();
    }
};

template <class P> P* SharedProxy()
{
    static std::unique_ptr<P> p = [] {
        auto proxy = std::make_unique<P>();
        proxy->setSortCaseSensitivity(Qt::CaseSensitive);
        proxy->setSortLocaleAware(false);
        proxy->setSourceModel(SharedModel());
        return proxy;
    }();
    return p.get();
}

void ExtGridSortWords(benchmark::State& state)
{
    TExtStringGrid* g = SharedGrid();
    g->SortSettings()->AutoFormat = false;
    for (auto _ : state) {
        state.PauseTiming();
        Scramble(g);
        g->Swaps = 0;
        state.ResumeTiming();
        g->Sort(1, sdAscending);
    }
    state.counters["swaps"] = g->Swaps;
}

void ProxySortWords(benchmark::State& state)
{
    auto* p = SharedProxy<QSortFilterProxyModel>();
    for (auto _ : state) {
        state.PauseTiming();
        p->sort(-1);
        state.ResumeTiming();
        p->sort(1);
    }
}

void ExtGridSortNumbers(benchmark::State& state)
{
    TExtStringGrid* g = SharedGrid();
    g->SortSettings()->AutoFormat = true;
    for (auto _ : state) {
        state.PauseTiming();
        Scramble(g);
        state.ResumeTiming();
        g->Sort(2, sdAscending);
    }
}

void ProxySortNumbers(benchmark::State& state)
{
    auto* p = SharedProxy<TNumberProxy>();
    for (auto _ : state) {
        state.PauseTiming();
        p->sort(-1);
        state.ResumeTiming();
        p->sort(2);
    }
}

void ExtGridUnSort(benchmark::State& state)
{
    TExtStringGrid* g = SharedGrid();
    for (auto _ : state) {
        state.PauseTiming();
        Scramble(g);
        g->SortSettings()->AutoFormat = false;
        g->Sort(1, sdAscending);
        g->SortSettings()->AutoFormat = true;
        g->Sort(2, sdAscending);
        state.ResumeTiming();
        g->QUnSort();
    }
}

void ExtGridSortRepeated(benchmark::State& state)
{
    TExtStringGrid* g = SharedGrid();
    g->SortSettings()->AutoFormat = false;
    for (auto _ : state) {
        state.PauseTiming();
        Scramble(g);
        g->Swaps = 0;
        state.ResumeTiming();
        g->Sort(3, sdAscending);
    }
    state.counters["swaps"] = g->Swaps;
}

QTableWidget* SharedTable()
{
    static std::unique_ptr<QTableWidget> t = ShownTable(CellText);
    return t.get();
}

void ExtGridInsertCols(benchmark::State& state)
{
    TExtStringGrid* g = SharedGrid();
    for (auto _ : state) {
        g->InsertCols(1, 1);
        state.PauseTiming();
        g->RemoveCols(1, 1);
        state.ResumeTiming();
    }
}

void ExtGridRemoveCols(benchmark::State& state)
{
    TExtStringGrid* g = SharedGrid();
    for (auto _ : state) {
        state.PauseTiming();
        g->InsertCols(1, 1);
        state.ResumeTiming();
        g->RemoveCols(1, 1);
    }
}

void TableWidgetInsertColumn(benchmark::State& state)
{
    QTableWidget* t = SharedTable();
    for (auto _ : state) {
        t->insertColumn(1);
        state.PauseTiming();
        t->removeColumn(1);
        state.ResumeTiming();
    }
}

void TableWidgetRemoveColumn(benchmark::State& state)
{
    QTableWidget* t = SharedTable();
    for (auto _ : state) {
        state.PauseTiming();
        t->insertColumn(1);
        state.ResumeTiming();
        t->removeColumn(1);
    }
}

} // namespace

BENCHMARK(ExtGridSortWords)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(ProxySortWords)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(ExtGridSortNumbers)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(ProxySortNumbers)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(ExtGridUnSort)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(ExtGridSortRepeated)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(ExtGridInsertCols)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(TableWidgetInsertColumn)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(ExtGridRemoveCols)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(TableWidgetRemoveColumn)->Unit(benchmark::kMillisecond)->Iterations(10);
