// Measures the show against the floor (the same window, presentations and
// console lines with nothing drawn) in the same run, alternating the two, and
// prints one table. Every figure that depends on the machine is also given as
// a ratio to the floor's, since these machines are shared and noisy.
//
//   starwhirl-bench [--runs N] [--previous PROGRAM]   (on an X server: make bench)
//
// With --previous, another build of the show (the previous release's) is
// launched in the same alternation and compared with this one.
//
// Start-up is timed apart, in an alternation of short launches: the show, a
// bare GLUT program that only clears and presents, and the show started the
// plain way on one thread, each ended after its first line.
#include "app/timeline.h"
#include "bench/allocation_report.h"
#include "bench/cpu_profile.h"
#include "bench/frame_gap_plot.h"
#include "bench/machine_load.h"
#include "bench/process_run.h"
#include "bench/startup_alternation.h"
#include "bench/startup_breakdown.h"
#include "bench/statistics.h"
#include "platform/standard_streams.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

const std::string showProgram = STARWHIRL_SHOW;
const std::string floorProgram = STARWHIRL_FLOOR;
const std::string allocationCounter = STARWHIRL_ALLOC_COUNTER;
const std::string startupStepsProgram = STARWHIRL_STARTUP_STEPS;
const std::string straightProgram = STARWHIRL_STRAIGHT;
constexpr int startupRounds = 20;
constexpr int lastFrameLine = endFrame;
// Frames 0 to 4199 are presented; the allocation counter spans the
// presentations of frames 1 to 4199.
constexpr int countedFrames = lastFrameLine - 2;

[[noreturn]] void stop(const std::string& message)
{
    std::fprintf(stderr, "starwhirl-bench: %s\n", message.c_str());
    std::exit(1);
}

std::string expectedLine(int frame)
{
    char line[32];
    std::snprintf(line, sizeof line, "%f", double(frame));
    return line;
}

// Console lines read as they are written, not when a pipe buffer fills.
ProcessRun runLineBuffered(const std::string& program, const std::vector<std::string>& arguments = {},
                           const std::vector<std::string>& environment = {})
{
    std::vector<std::string> argv = {"stdbuf", "-oL", program};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    ProcessRun run = runProcess(argv, environment);
    if (run.exitStatus != 0)
        stop(program + " ended with status " + std::to_string(run.exitStatus));
    return run;
}

void checkWholeShow(const ProcessRun& run, const std::string& program)
{
    if (run.lines.size() != std::size_t(lastFrameLine))
        stop(program + " printed " + std::to_string(run.lines.size()) + " lines, not " +
             std::to_string(lastFrameLine));
    for (int frame = 1; frame <= lastFrameLine; ++frame) {
        if (run.lines[std::size_t(frame - 1)] != expectedLine(frame))
            stop(program + ": line " + std::to_string(frame) + " is \"" + run.lines[std::size_t(frame - 1)] + "\"");
    }
}

struct Series {
    std::vector<double> wallMs, gapMedianMs, gapP99Ms, gapMaxMs, peakMiB, minorFaults;

    void add(const ProcessRun& run)
    {
        wallMs.push_back(run.wallMs);
        std::vector<double> gaps = gapsBetween(run.lineArrivalMs);
        gapMedianMs.push_back(median(gaps));
        gapP99Ms.push_back(percentile(gaps, 99.0));
        gapMaxMs.push_back(maximum(gaps));
        peakMiB.push_back(double(run.peakResidentKiB) / 1024.0);
        minorFaults.push_back(double(run.minorFaults));
    }
};

std::string ratio(double show, double floor)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", floor > 0.0 ? show / floor : 0.0);
    return text;
}

void row(const char* what, const char* format, double show, double floor, const std::string& note = "")
{
    char showText[32], floorText[32];
    std::snprintf(showText, sizeof showText, format, show);
    std::snprintf(floorText, sizeof floorText, format, floor);
    std::printf("| %s | %s | %s | %s%s |\n", what, showText, floorText, ratio(show, floor).c_str(), note.c_str());
}

// Medians of each step over `runs` fresh processes, in the steps' order.
std::vector<TimedStep> startupStepMedians(const std::vector<std::string>& stepsProgram, int runs,
                                          std::string& renderer)
{
    std::vector<std::string> names;
    std::map<std::string, std::vector<double>> times, faults;
    for (int run = 0; run < runs; ++run) {
        ProcessRun steps = runProcess(stepsProgram);
        if (steps.exitStatus != 0 || steps.lines.empty())
            stop("the start-up steps could not be timed (status " + std::to_string(steps.exitStatus) + ")");
        renderer = steps.lines.front();
        for (std::size_t i = 1; i < steps.lines.size(); ++i) {
            // milliseconds, minor faults, name
            const std::string& line = steps.lines[i];
            std::size_t first = line.find('\t'), second = line.find('\t', first + 1);
            std::string name = line.substr(second + 1);
            if (times.count(name) == 0)
                names.push_back(name);
            times[name].push_back(std::stod(line.substr(0, first)));
            faults[name].push_back(std::stod(line.substr(first + 1, second - first - 1)));
        }
    }
    std::vector<TimedStep> medians;
    for (const std::string& name : names)
        medians.push_back({name, median(times[name]), median(faults[name])});
    return medians;
}

void printSteps(const std::vector<TimedStep>& steps)
{
    std::printf("| Step | ms | minor page faults |\n|---|---:|---:|\n");
    double ms = 0.0, faults = 0.0;
    for (const TimedStep& step : steps) {
        std::printf("| %s | %.2f | %.0f |\n", step.name.c_str(), step.ms, step.minorFaults);
        ms += step.ms;
        faults += step.minorFaults;
    }
    std::printf("| (sum of the medians) | %.2f | %.0f |\n", ms, faults);
}

std::string medianAndSpread(const std::vector<double>& samples, const char* format)
{
    char text[64];
    std::snprintf(text, sizeof text, format, median(samples));
    char spreadText[32];
    std::snprintf(spreadText, sizeof spreadText, " (spread %.0f %%)", 100.0 * spread(samples));
    return text + std::string(spreadText);
}

// This build against the previous release's, both launched in the same
// alternation as the floor.
void printAgainstPrevious(const std::string& previousProgram, const Series& show, const Series& previous,
                          const Series& floor)
{
    std::printf("\nAgainst the previous release (%s), launched in the same alternation; median (spread) of %zu "
                "runs each:\n\n",
                previousProgram.c_str(), show.wallMs.size());
    std::printf("| Measure | this build | previous release | floor | this / previous |\n|---|---:|---:|---:|---:|\n");
    auto line = [](const char* what, const std::vector<double>& mine, const std::vector<double>& theirs,
                   const std::vector<double>& floors, const char* format) {
        std::printf("| %s | %s | %s | %s | %s |\n", what, medianAndSpread(mine, format).c_str(),
                    medianAndSpread(theirs, format).c_str(), medianAndSpread(floors, format).c_str(),
                    ratio(median(mine), median(theirs)).c_str());
    };
    line("whole show, launch to exit (ms)", show.wallMs, previous.wallMs, floor.wallMs, "%.0f");
    line("frame gap, 99th percentile (ms)", show.gapP99Ms, previous.gapP99Ms, floor.gapP99Ms, "%.3f");
    line("peak resident memory (MiB)", show.peakMiB, previous.peakMiB, floor.peakMiB, "%.1f");
    line("minor page faults, whole run", show.minorFaults, previous.minorFaults, floor.minorFaults, "%.0f");
    std::printf("\n(Its start-up is in the start-up table above.)\n");
}

struct BenchOptions {
    int runs = 5;
    std::string previousProgram;  // empty: no previous release to compare with
};

BenchOptions parseOptions(int argc, char** argv)
{
    BenchOptions options;
    bool usable = true;
    for (int i = 1; i < argc; i += 2) {
        if (i + 1 < argc && std::strcmp(argv[i], "--runs") == 0)
            options.runs = std::atoi(argv[i + 1]);
        else if (i + 1 < argc && std::strcmp(argv[i], "--previous") == 0)
            options.previousProgram = argv[i + 1];
        else
            usable = false;
    }
    if (options.runs < 1 || !usable)
        stop("usage: starwhirl-bench [--runs N] [--previous PROGRAM]   (N >= 1)");
    return options;
}

// Where each program's start-up lies in Measurements::startups.
enum StartupIndex { showStartup, bareStartup, straightStartup, previousStartup };

// Everything one run of the benchmark measures, before anything is printed.
struct Measurements {
    double loadBefore = 0.0;
    Series show, keptShow, floor, previous;
    // In the order of StartupIndex.
    std::vector<StartupProgram> startups;
    std::vector<double> plottedShow, plottedFloor;
    AllocationCounts showAllocations, floorAllocations;
    double ownShare = -1.0;  // negative: perf cannot sample here
    std::string perfReport, renderer;
    std::vector<TimedStep> steps, fontSteps;
    std::string plot, plotted;  // plotted: empty, or why there is no plot
};

Measurements collect(const BenchOptions& options)
{
    const int runs = options.runs;
    const std::string& previousProgram = options.previousProgram;
    Measurements m;
    m.loadBefore = loadAverage();
    for (int run = 1; run <= runs; ++run) {
        std::fprintf(stderr, "run %d of %d: show, show keeping copies, floor%s\n", run, runs,
                     previousProgram.empty() ? "" : ", previous release");
        ProcessRun shown = runLineBuffered(showProgram);
        checkWholeShow(shown, showProgram);
        m.show.add(shown);
        ProcessRun kept = runLineBuffered(showProgram, {}, {"STARWHIRL_KEEP_FRAME=1"});
        checkWholeShow(kept, showProgram);
        m.keptShow.add(kept);
        ProcessRun bare = runLineBuffered(floorProgram);
        checkWholeShow(bare, floorProgram);
        m.floor.add(bare);
        if (run == 1) {
            m.plottedShow = shown.lineArrivalMs;
            m.plottedFloor = bare.lineArrivalMs;
        }
        if (!previousProgram.empty()) {
            ProcessRun before = runLineBuffered(previousProgram);
            checkWholeShow(before, previousProgram);
            m.previous.add(before);
        }
    }

    m.startups = {{"the show", {showProgram}, {}},
                  {"bare GLUT program (clears and presents)", {floorProgram, "--first-frame"}, {}},
                  {"the show started straight (one thread, the C library's allocator)", {straightProgram}, {}}};
    if (!previousProgram.empty())
        m.startups.push_back({"the previous release", {previousProgram}, {}});
    std::fprintf(stderr, "launching each of the %zu programs %d times in turn, to time their start-up\n",
                 m.startups.size(), startupRounds);
    alternateStartups(m.startups, startupRounds);

    std::fprintf(stderr, "counting allocations\n");
    m.showAllocations = countAllocations(showProgram, allocationCounter);
    m.floorAllocations = countAllocations(floorProgram, allocationCounter);
    std::fprintf(stderr, "sampling the show's CPU time with perf\n");
    m.ownShare = ownCpuShare(showProgram, m.perfReport);

    std::fprintf(stderr, "timing the start-up steps in fresh processes\n");
    m.steps = startupStepMedians({startupStepsProgram}, runs, m.renderer);
    m.fontSteps = startupStepMedians({startupStepsProgram, "--font"}, runs, m.renderer);

    m.plot = std::string(STARWHIRL_BENCH_DIR) + "/frame-gaps";
    try {
        m.plotted = plotFrameGaps(m.plottedShow, m.plottedFloor, m.plot);
    } catch (const std::exception& error) {
        m.plotted = error.what();
    }
    return m;
}

void printTables(const BenchOptions& options, const Measurements& m)
{
    const int runs = options.runs;
    const Series &show = m.show, &keptShow = m.keptShow, &floor = m.floor;
    // Copies: a count that is missing reads as 0 through operator[].
    AllocationCounts showAllocations = m.showAllocations, floorAllocations = m.floorAllocations;
    const double ownShare = m.ownShare;
    std::printf("\nstarwhirl against the floor, median of %d alternating runs each; GL renderer: %s; %ld cores\n\n",
                runs, m.renderer.c_str(), coreCount());
    std::printf("| Measure | show | floor | show / floor |\n|---|---:|---:|---:|\n");
    row("whole show, launch to exit (s)", "%.2f", median(show.wallMs) / 1000.0, median(floor.wallMs) / 1000.0);
    row("whole show keeping copies, STARWHIRL_KEEP_FRAME=1 (s)", "%.2f", median(keptShow.wallMs) / 1000.0,
        median(floor.wallMs) / 1000.0);
    double startupShow = median(m.startups[showStartup].firstLineMs);
    double startupFloor = median(m.startups[bareStartup].firstLineMs);
    char extra[64];
    std::snprintf(extra, sizeof extra, " (+%.1f ms)", startupShow - startupFloor);
    row("start-up, launch to first frame (ms; floor: the bare program)", "%.1f", startupShow, startupFloor, extra);
    row("frame gap, median (ms)", "%.3f", median(show.gapMedianMs), median(floor.gapMedianMs));
    row("frame gap, 99th percentile (ms)", "%.3f", median(show.gapP99Ms), median(floor.gapP99Ms));
    row("frame gap, maximum (ms)", "%.2f", median(show.gapMaxMs), median(floor.gapMaxMs));
    double peakShow = median(show.peakMiB), peakFloor = median(floor.peakMiB);
    std::snprintf(extra, sizeof extra, " (+%.1f MiB)", peakShow - peakFloor);
    row("peak resident memory (MiB)", "%.1f", peakShow, peakFloor, extra);
    row("minor page faults, whole run", "%.0f", median(show.minorFaults), median(floor.minorFaults));
    double perFrameShow = double(showAllocations["between_second_and_last_presentation"]) / countedFrames;
    double perFrameFloor = double(floorAllocations["between_second_and_last_presentation"]) / countedFrames;
    row("allocations per frame after start-up, whole process", "%.1f", perFrameShow, perFrameFloor);
    double ownPerFrame = double(allocationsBy(showAllocations, "program")) / countedFrames;
    std::printf("| allocations per frame after start-up, our own code | %.1f | %.1f | |\n", ownPerFrame,
                double(allocationsBy(floorAllocations, "program")) / countedFrames);
    std::printf("| presentations (counted) | %lu | %lu | |\n", showAllocations["presentations"],
                floorAllocations["presentations"]);
    if (ownShare >= 0.0)
        std::printf("| CPU samples in our own code (%%) | %.2f | | |\n", ownShare);
    else
        std::printf("| CPU samples in our own code | perf cannot sample here | | |\n");

    std::printf("\nWorst single run: show's largest frame gap %.2f ms, floor's %.2f ms.\n",
                maximum(show.gapMaxMs), maximum(floor.gapMaxMs));

    std::printf("\nOf the show's %lu allocations from frame 1 to frame 4199, %lu came from our own code "
                "(its frame routine, text drawing and scene objects) rather than from a library it calls.\n",
                showAllocations["between_second_and_last_presentation"], allocationsBy(showAllocations, "program"));
    std::printf("\nAllocations per frame after start-up in the show, by the library that asked:\n\n");
    std::printf("| Library | per frame |\n|---|---:|\n");
    for (const auto& [key, count] : showAllocations) {
        if (key.rfind("by ", 0) == 0)
            std::printf("| %s | %.2f |\n", key.substr(3).c_str(), double(count) / countedFrames);
    }

    std::printf("\nStart-up, launch to the first console line; the programs launched in turn %d times, one second "
                "apart, each ended after that line:\n\n",
                startupRounds);
    printStartups(m.startups, m.startups[bareStartup]);

    std::printf("\nThe show's start-up as its main does it, each step timed once in a fresh process; median of %d "
                "processes:\n\n",
                runs);
    printSteps(m.steps);
    std::printf("\nThe font's steps one after another on one thread (in the show, all but the last run beside the "
                "window's opening); median of %d fresh processes:\n\n",
                runs);
    printSteps(m.fontSteps);

    if (!options.previousProgram.empty())
        printAgainstPrevious(options.previousProgram, show, m.previous, floor);

    if (!m.perfReport.empty())
        std::printf("\nThe show's CPU samples by library (perf report --sort dso):\n\n%s", m.perfReport.c_str());

    if (m.plotted.empty())
        std::printf("\nFrame gaps of the first show and floor runs, drawn against the frame number: %s.svg and .png\n",
                    m.plot.c_str());
    else
        std::printf("\nNo plot of the frame gaps: %s\n", m.plotted.c_str());
}

// Every goal is against the floor measured in the same run, but a machine
// busy with other work still spreads the runs too widely for a verdict: then
// the figures are shown and no goal is judged.
void judgeGoals(const BenchOptions& options, const Measurements& m)
{
    const Series &show = m.show, &floor = m.floor;
    const std::vector<double>& showStartups = m.startups[showStartup].firstLineMs;
    const std::vector<double>& bareStartups = m.startups[bareStartup].firstLineMs;
    const double startupShow = median(showStartups), startupFloor = median(bareStartups);
    const double startupStraight = median(m.startups[straightStartup].firstLineMs);
    const double peakShow = median(show.peakMiB), peakFloor = median(floor.peakMiB);
    const double ownShare = m.ownShare;
    const double ownPerFrame = double(allocationsBy(m.showAllocations, "program")) / countedFrames;
    const long cores = coreCount();
    const double floorSpread = spread(floor.wallMs);
    const double allowedSpread = 0.10;
    // The load average is read before the runs only: the runs themselves
    // keep both cores busy.
    bool busy = m.loadBefore > double(cores) || floorSpread > allowedSpread;
    std::printf("\nMachine: load average %.2f before the runs, %ld cores; the floor's whole-show times spread "
                "by %.1f %% (allowed %.0f %%).\n",
                m.loadBefore, cores, 100.0 * floorSpread, 100.0 * allowedSpread);
    auto judge = [busy](bool met) { return busy ? "not judged" : met ? "met" : "NOT MET"; };
    std::printf("\nGoals, each against the floor of the same run:\n");
    if (busy)
        std::printf("(The machine was busy: the figures above are unreliable and no goal is judged. "
                    "Run make bench again when it is idle.)\n");
    double p99Ratio = median(show.gapP99Ms) / median(floor.gapP99Ms);
    double maxRatio = median(show.gapMaxMs) / median(floor.gapMaxMs);
    std::printf("- start-up at most 45 ms more than the bare program's: %s (+%.1f ms)\n",
                judge(startupShow - startupFloor <= 45.0), startupShow - startupFloor);
    std::printf("- start-up over the bare program's at most half the straight start-up's: %s (+%.1f ms against "
                "+%.1f ms)\n",
                judge(startupShow - startupFloor <= 0.5 * (startupStraight - startupFloor)),
                startupShow - startupFloor, startupStraight - startupFloor);
    std::printf("- start-up spread (largest - smallest) under 50 ms: %s (%.1f ms; the bare program's own %.1f ms)\n",
                judge(range(showStartups) < 50.0), range(showStartups), range(bareStartups));
    std::printf("- frame gap 99th percentile at most 3 times the floor's: %s (%.2f times)\n", judge(p99Ratio <= 3.0),
                p99Ratio);
    std::printf("- largest frame gap at most 3 times the floor's: %s (%.2f times)\n", judge(maxRatio <= 3.0),
                maxRatio);
    std::printf("- peak memory at most 48 MiB more than the floor's: %s (+%.1f MiB)\n",
                judge(peakShow - peakFloor <= 48.0), peakShow - peakFloor);
    if (ownShare >= 0.0)
        std::printf("- our own code under 1%% of the show's CPU samples: %s (%.2f %%)\n", judge(ownShare < 1.0),
                    ownShare);
    std::printf("- no allocations per frame in our own code: %s (%.2f)\n", judge(ownPerFrame == 0.0), ownPerFrame);
    if (!options.previousProgram.empty()) {
        double overFloor = startupShow - startupFloor;
        double previousOverFloor = median(m.startups[previousStartup].firstLineMs) - startupFloor;
        double wholeRatio = median(show.wallMs) / median(m.previous.wallMs);
        double previousP99Ratio = median(show.gapP99Ms) / median(m.previous.gapP99Ms);
        std::printf("- start-up over the floor at most half the previous release's: %s (%s times)\n",
                    judge(overFloor <= 0.5 * previousOverFloor), ratio(overFloor, previousOverFloor).c_str());
        std::printf("- whole show within 5 %% of the previous release's: %s (%.3f times)\n", judge(wholeRatio <= 1.05),
                    wholeRatio);
        std::printf("- frame gap 99th percentile within 5 %% of the previous release's: %s (%.3f times)\n",
                    judge(previousP99Ratio <= 1.05), previousP99Ratio);
    }
}

}  // namespace

static int measure(int argc, char** argv)
{
    BenchOptions options = parseOptions(argc, argv);
    if (!std::getenv("DISPLAY"))
        stop("needs an X display; run it with `make bench`");
    Measurements measured = collect(options);
    printTables(options, measured);
    judgeGoals(options, measured);
    return 0;
}

int main(int argc, char** argv)
{
    platform::reopenClosedStandardStreams();
    try {
        return measure(argc, argv);
    } catch (const std::exception& error) {
        stop(error.what());
    }
}
