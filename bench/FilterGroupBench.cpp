// Filtering and grouping of the string grid at 100,000 x 20 cells, each against its baseline in the
// same run: a QSortFilterProxyModel over a QStandardItemModel with the same texts for the filter
// passes and the narrow-down, and the grid's own sort of the same data for grouping. Column 1 holds
// random integers as text, column 2 random words, column 3 one of 1,000 keys. Not run by CI.
#include "bench/common/BenchGrids.h"
#include "grid/core/ExtGrid.h"

#include <QApplication>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <benchmark/benchmark.h>
#include <random>

namespace
{

using namespace benchgrids;

// The same texts for every grid and model of the run.
struct TData {
    std::vector<QString> Numbers, Words, Keys;
    TData()
    {
        std::mt19937 rng(56);
        std::uniform_int_distribution<int> number(0, 1000);
        std::uniform_int_distribution<int> letter(0, 25);
        std::uniform_int_distribution<int> length(3, 8);
        std::uniform_int_distribution<int> key(0, 999);
        for (int r = 0; r < Rows; ++r) {
            Numbers.push_back(QString::number(number(rng)));
            QString w;
            for (int n = length(rng); n > 0; --n)
                w += QChar('a' + letter(rng));
            Words.push_back(w);
            Keys.push_back(QString("K%1").arg(key(rng), 3, 10, QChar('0')));
        }
    }
};

const TData& Data()
{
    static const TData d;
    return d;
}

QString CellText(int ACol, int ARow)
{
    const TData& d = Data();
    switch (ACol) {
    case 1: return d.Numbers[size_t(ARow)];
    case 2: return d.Words[size_t(ARow)];
    case 3: return d.Keys[size_t(ARow)];
    default: return NumberText(ACol, ARow);
    }
}

// One fixed row above the data, like a form's table.
std::unique_ptr<TExtStringGrid> FilledGrid()
{
    auto grid = std::make_unique<TExtStringGrid>(nullptr);
    FillAndShow(*grid, [](int c, int r) { return r == 0 ? QString("H%1").arg(c) : CellText(c, r); });
    return grid;
}

TExtStringGrid* SharedGrid()
{
    static std::unique_ptr<TExtStringGrid> g = FilledGrid();
    return g.get();
}

class TProxy : public QSortFilterProxyModel
{
  public:
    bool Custom = false;

  protected:
    bool filterAcceptsRow(int Row, const QModelIndex& Parent) const override
    {
        if (!Custom)
            return QSortFilterProxyModel::filterAcceptsRow(Row, Parent);
        const QAbstractItemModel* m = sourceModel();
        return m->index(Row, 1, Parent).data().toString().toDouble() > 500 &&
               m->index(Row, 2, Parent).data().toString().startsWith("a", Qt::CaseInsensitive);
    }

  public:
    void Refilter() { invalidateFilter(); }
};

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

void SetTwoConditions(TExtStringGrid* g)
{
    g->Filter()->Clear();
    TFilterData* a = g->Filter()->Add();
    a->Column = 1;
    a->Condition = ">500";
    TFilterData* b = g->Filter()->Add();
    b->Column = 2;
    b->Condition = "a*";
    b->CaseSensitive = false;
}

// Arg 0: FilterActive := True timed; arg 1: FilterActive := False timed.
void GridFilterActive(benchmark::State& state)
{
    TExtStringGrid* g = SharedGrid();
    SetTwoConditions(g);
    const bool offTimed = state.range(0) != 0;
    for (auto _ : state) {
        if (offTimed)
            state.PauseTiming();
        g->SetFilterActive(true);
        if (offTimed)
            state.ResumeTiming();
        else
            state.PauseTiming();
        state.counters["shown"] = g->RowCount();
        g->SetFilterActive(false);
        if (!offTimed)
            state.ResumeTiming();
    }
}

// Arg 0: the re-filtering timed; arg 1: showing every row again timed.
void ProxyFilter(benchmark::State& state)
{
    TProxy proxy;
    proxy.setSourceModel(SharedModel());
    const bool offTimed = state.range(0) != 0;
    for (auto _ : state) {
        if (offTimed)
            state.PauseTiming();
        proxy.Custom = true;
        proxy.Refilter();
        if (offTimed)
            state.ResumeTiming();
        else
            state.PauseTiming();
        state.counters["shown"] = proxy.rowCount();
        proxy.Custom = false;
        proxy.Refilter();
        if (!offTimed)
            state.ResumeTiming();
    }
}

void GridNarrowDown(benchmark::State& state)
{
    TExtStringGrid* g = SharedGrid();
    for (auto _ : state) {
        for (const char* s : {"a", "ab", "abc"})
            g->NarrowDown(s, 2);
        state.PauseTiming();
        state.counters["shown"] = g->RowCount();
        g->NarrowDown("", 2);
        state.ResumeTiming();
    }
}

void ProxyNarrowDown(benchmark::State& state)
{
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(SharedModel());
    proxy.setFilterKeyColumn(2);
    proxy.setFilterCaseSensitivity(Qt::CaseInsensitive);
    for (auto _ : state) {
        for (const char* s : {"*a*", "*ab*", "*abc*"})
            proxy.setFilterWildcard(s);
        state.PauseTiming();
        state.counters["shown"] = proxy.rowCount();
        proxy.setFilterWildcard(QString());
        state.ResumeTiming();
    }
}

// Arg 0: Group(3) with summary rows timed; arg 1: UnGroup timed.
void GridGroup(benchmark::State& state)
{
    TExtStringGrid* g = SharedGrid();
    g->Grouping()->Summary = true;
    const bool unTimed = state.range(0) != 0;
    for (auto _ : state) {
        if (unTimed)
            state.PauseTiming();
        g->Group(3);
        if (unTimed)
            state.ResumeTiming();
        else
            state.PauseTiming();
        state.counters["rows"] = g->RowCount();
        g->UnGroup();
        // The next round groups unsorted data again.
        g->Sort(4, sdAscending);
        if (!unTimed)
            state.ResumeTiming();
    }
}

void GridSort(benchmark::State& state)
{
    TExtStringGrid* g = SharedGrid();
    for (auto _ : state) {
        g->Sort(3, sdAscending);
        state.PauseTiming();
        g->Sort(4, sdAscending);
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(GridFilterActive)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(ProxyFilter)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(GridNarrowDown)->Unit(benchmark::kMillisecond);
BENCHMARK(ProxyNarrowDown)->Unit(benchmark::kMillisecond);
BENCHMARK(GridGroup)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(GridSort)->Unit(benchmark::kMillisecond);
