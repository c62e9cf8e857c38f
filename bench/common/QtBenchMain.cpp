// Entry point of the benchmarks that need widgets: one application object, offscreen unless the
// environment names another platform.
#include <QtWidgets/QApplication>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // Benchmarks keep their filled grids in function statics; destroying those widgets after the
    // application object is gone would crash, so leave without running static destructors.
    std::fflush(nullptr);
    std::_Exit(0);
}
