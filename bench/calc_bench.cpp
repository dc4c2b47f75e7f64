// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Speed of the RX turn search and of the whole Calculate command.
//
// The search is timed beside a bare loop that evaluates the same loop model with the same
// formula steps but without fault checks or a callback: the floor any search must pay. The
// summary printed after the run gives the search's cost over that floor and the time of the
// slowest Calculate command, the one whose search runs to the turn cap.

#include "calculator/commands.h"
#include "calculator/fields.h"
#include "engine/coil.h"
#include "engine/logarithm.h"
#include "tests/support/fieldlog.h"
#include "tests/support/recordedmessages.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

using calculator::Field;

// The default RX inputs: resonant inductance 7684 µH, 0.18 mm wire on a 190 mm ring.
constexpr double kTarget = 7684;
constexpr double kWire = 0.18;
constexpr double kRing = 190;
constexpr double kTurns = 173; // first count whose model inductance exceeds the target

// The turn search as a bare loop: the loop model's steps in their order, inlined, with
// nothing checked and nothing reported per pass (the logarithm is the engine's own, as in the
// search).
double bareSearch(double target, double wire, double ring)
{
    double n = 1;
    double value = 0;
    while (value <= target) {
        n = n + 1;
        const double t = wire / 2;
        const double u = t * n;
        const double r = u / ring;
        const double g = engine::naturalLog(4 / r);
        const double k = 6.283e-07 * (n * n);
        const double m = k * ring;
        const double x1 = (1 + r * r / 2) * g;
        const double x = x1 - 1.75 + r * r / 6;
        value = m * x * 1000;
    }
    return n;
}

// The inputs live in memory whose address the benchmark hands to the compiler's barrier each
// iteration, so that nothing is folded into constants across iterations; a result is kept the
// same way. (Passing doubles themselves through DoNotOptimize is avoided: GCC can miscompile
// its read-write form, and Google Benchmark 1.8 deprecates its read-only one.)
struct SearchInputs {
    double target = kTarget;
    double wire = kWire;
    double ring = kRing;
};

// Set when a benchmark found the code on another path than the one it names: the run fails.
// (Kept here rather than read from the reports, whose field for it differs between versions of
// Google Benchmark.)
bool wrongPath = false;

void skipWrongPath(benchmark::State &state, const char *why)
{
    wrongPath = true;
    state.SkipWithError(why);
}

void BM_SearchRxTurns(benchmark::State &state)
{
    // The cheapest observable callback: a volatile store of each count, with no compiler
    // barrier that would force the loop's values out of registers on every pass.
    volatile double lastTurns = 0;
    const auto onTurn = [&lastTurns](double turns) {
        lastTurns = turns;
    };
    SearchInputs in;
    if (engine::SearchRxTurns(in.target, in.wire, in.ring, onTurn) != kTurns)
        return skipWrongPath(state, "the search does not end at 173 turns");
    for (auto _ : state) {
        benchmark::DoNotOptimize(&in);
        std::optional<double> turns = engine::SearchRxTurns(in.target, in.wire, in.ring, onTurn);
        benchmark::DoNotOptimize(&turns);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kTurns - 1));
}
BENCHMARK(BM_SearchRxTurns);

void BM_BareLoopFloor(benchmark::State &state)
{
    SearchInputs in;
    if (bareSearch(in.target, in.wire, in.ring) != kTurns)
        return skipWrongPath(state, "the bare loop does not end at 173 turns");
    for (auto _ : state) {
        benchmark::DoNotOptimize(&in);
        double turns = bareSearch(in.target, in.wire, in.ring);
        benchmark::DoNotOptimize(&turns);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kTurns - 1));
}
BENCHMARK(BM_BareLoopFloor);

// One Calculate command on the default texts with a few of them changed, and what it must
// leave in the RX turn field and how it must end, so that the benchmark times the path it
// names.
struct Scenario {
    testing_support::FieldTextArray texts;
    std::string finalTurns;
    std::size_t ending; // the alternative of calculator::Outcome
};

testing_support::FieldTextArray edited(std::vector<std::pair<Field, std::string>> edits)
{
    testing_support::FieldTextArray texts = testing_support::defaultTexts();
    for (auto &[field, text] : edits)
        texts = testing_support::with(texts, field, std::move(text));
    return texts;
}

const Scenario kDefaults{edited({}), "173", 0};
// RX inductance 76836358 µH lies above the model's peak; the search stops once past it.
const Scenario kUnreachable{edited({{Field::RxFrequency, "0.1"}}), "7839", 3};
// A thin wire and a very low frequency: the search runs to the turn cap.
const Scenario kTurnCap{edited({{Field::RxWireDiameter, "0.001"}, {Field::RxFrequency, "0.01"}}),
                        "100000", 3};

void BM_Calculate(benchmark::State &state, const Scenario &scenario)
{
    {
        testing_support::MemoryFields fields(scenario.texts);
        testing_support::RecordedMessages boxes;
        const calculator::Outcome outcome = calculator::calculate(fields, boxes, ".");
        if (fields.text(Field::RxTurns) != scenario.finalTurns ||
            outcome.index() != scenario.ending)
            return skipWrongPath(state, "the command does not take the path this benchmark names");
    }
    for (auto _ : state) {
        testing_support::MemoryFields fields(scenario.texts);
        testing_support::RecordedMessages boxes;
        calculator::Outcome outcome = calculator::calculate(fields, boxes, ".");
        benchmark::DoNotOptimize(&outcome);
    }
}
BENCHMARK_CAPTURE(BM_Calculate, defaults, kDefaults)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Calculate, unreachable, kUnreachable)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Calculate, turn_cap, kTurnCap)->Unit(benchmark::kMillisecond);

// Shows every result as the default reporter does and keeps each benchmark's CPU time per
// iteration (the median when the run is repeated) for the summary.
class SummaryReporter : public benchmark::BenchmarkReporter {
  public:
    explicit SummaryReporter(benchmark::BenchmarkReporter *display) : display_(display) {}

    bool ReportContext(const Context &context) override { return display_->ReportContext(context); }

    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            const double seconds =
                run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            Times &times = times_[run.run_name.str()];
            if (run.run_type == Run::RT_Iteration)
                times.each.push_back(seconds);
            else if (run.aggregate_name == "median")
                times.median = seconds;
        }
        display_->ReportRuns(runs);
    }

    void Finalize() override { display_->Finalize(); }

    // Median CPU seconds per iteration of a benchmark, if it ran.
    std::optional<double> seconds(const std::string &name) const
    {
        const auto found = times_.find(name);
        if (found == times_.end())
            return std::nullopt;
        if (found->second.median)
            return found->second.median;
        std::vector<double> each = found->second.each;
        if (each.empty())
            return std::nullopt;
        std::sort(each.begin(), each.end());
        const std::size_t mid = each.size() / 2;
        return each.size() % 2 != 0 ? each[mid] : (each[mid - 1] + each[mid]) / 2;
    }

  private:
    struct Times {
        std::vector<double> each;
        std::optional<double> median;
    };

    benchmark::BenchmarkReporter *display_;
    std::map<std::string, Times> times_;
};

// Written to stderr, so that JSON or CSV output on stdout stays well formed.
void printSummary(const SummaryReporter &reporter)
{
    const auto search = reporter.seconds("BM_SearchRxTurns");
    const auto floor = reporter.seconds("BM_BareLoopFloor");
    if (search && floor)
        std::fprintf(stderr,
                     "Turn search %.0f ns, bare loop %.0f ns: %.2fx the floor (target <= 1.50x)\n",
                     *search * 1e9, *floor * 1e9, *search / *floor);
    for (const char *name :
         {"BM_Calculate/defaults", "BM_Calculate/unreachable", "BM_Calculate/turn_cap"}) {
        if (const auto time = reporter.seconds(name))
            std::fprintf(stderr, "%s: %.3f ms\n", name, *time * 1e3);
    }
    if (const auto worst = reporter.seconds("BM_Calculate/turn_cap"))
        std::fprintf(stderr, "Worst case %.1f ms (target well under 50 ms)\n", *worst * 1e3);
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    // The default reporter honours --benchmark_format; the library keeps ownership of it.
    SummaryReporter reporter(benchmark::CreateDefaultDisplayReporter());
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    // A benchmark that found the code on another path than the one it names fails the run.
    if (wrongPath)
        return 1;
    printSummary(reporter);
    return 0;
}
