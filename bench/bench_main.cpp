// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The benchmark program: Google Benchmark's console output, then one line per
// pair of our code and its Qt peer: the ratio of their median CPU times and the
// spread (coefficient of variation of the CPU time) of each side over its
// repetitions. CPU time, because the machines we measure on are shared: wall
// time there measures the neighbours as much as the code.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

struct Pair {
    const char* what;
    const char* ours;
    const char* peer;
};

// Each side is named by its benchmark function, and its argument when it has one.
constexpr Pair kPairs[] = {
    {"screenful of 10,000 rows to real pixels", "BM_ListViewPaintScreenfulPixels", "BM_QTableViewPaintScreenfulPixels"},
    {"the same screenful through the list engine", "BM_EngineReportScreenfulPixels",
     "BM_QTableViewPaintScreenfulPixels"},
    {"an owner-drawn screenful", "BM_EngineOwnerDrawnScreenfulPixels", "BM_QTableViewDelegateScreenfulPixels"},
    {"10,000 rows sorted into place 16 at a time", "BM_ListViewInsertSortedIntoPlace/16", "BM_QtModelInsertSorted"},
    {"10,000 rows sorted into place 16 at a time", "BM_ListViewInsertSortedIntoPlace/16",
     "BM_QtVectorModelInsertSorted"},
    {"10,000 answers into the engine, 16 a sort and a read", "BM_EngineInsertSortedIntoPlace/16",
     "BM_QtModelInsertSorted"},
    {"10,000 answers into the engine, 16 a sort and a read", "BM_EngineInsertSortedIntoPlace/16",
     "BM_QtVectorModelInsertSorted"},
    {"10,000 answers into the engine, one by one", "BM_EngineInsertSortedIntoPlace/1", "BM_QtModelInsertSorted"},
};

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            const std::string& args = run.run_name.args;
            Side& side = m_sides[run.run_name.function_name + (args.empty() ? "" : "/" + args)];
            if ((run.run_type == Run::RT_Iteration && side.median == 0) || run.aggregate_name == "median") {
                side.median = run.GetAdjustedCPUTime();
                side.unit = benchmark::GetTimeUnitString(run.time_unit);
            } else if (run.aggregate_name == "cv") {
                side.cv = run.cpu_accumulated_time * 100.0; // a fraction, not a time
            }
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        bool header = false;
        for (const Pair& pair : kPairs) {
            const auto ours = m_sides.find(pair.ours);
            const auto peer = m_sides.find(pair.peer);
            if (ours == m_sides.end() || peer == m_sides.end() || peer->second.median == 0)
                continue;
            if (!header) {
                std::printf("\nRatios (ours / Qt peer, median CPU times; spread = coefficient of variation):\n");
                header = true;
            }
            std::printf("  %s: %s / %s = %.3f  (%.3f %s / %.3f %s; spread %.1f%% / %.1f%%)\n", pair.what, pair.ours,
                        pair.peer, ours->second.median / peer->second.median, ours->second.median,
                        ours->second.unit.c_str(), peer->second.median, peer->second.unit.c_str(), ours->second.cv,
                        peer->second.cv);
        }
        std::fflush(stdout);
    }

private:
    struct Side {
        double median = 0;
        double cv = 0;
        std::string unit;
    };
    std::map<std::string, Side> m_sides;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
