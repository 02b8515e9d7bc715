// The benchmarks' entry: the string heap exists before the first benchmark.
#include <benchmark/benchmark.h>

#include "ZemriSub/DynamicStrings.h"

int main(int argc, char **argv)
{
    StringHeapCreate();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
