#include "bench/startup_alternation.h"

#include "bench/process_run.h"
#include "bench/statistics.h"

#include <unistd.h>

#include <cstdio>
#include <stdexcept>

void alternateStartups(std::vector<StartupProgram>& programs, int rounds)
{
    for (int round = 0; round < rounds; ++round) {
        for (StartupProgram& program : programs) {
            std::vector<std::string> argv = {"stdbuf", "-oL"};
            argv.insert(argv.end(), program.argv.begin(), program.argv.end());
            ProcessRun run = runToFirstLine(argv);
            if (run.lines.empty())
                throw std::runtime_error(program.argv.front() + " ended (status " + std::to_string(run.exitStatus) +
                                         ") before its first line");
            program.firstLineMs.push_back(run.lineArrivalMs.front());
            // The X server and the kernel settle the last program's leaving
            // before the next one starts, as between launches by hand.
            sleep(1);
        }
    }
}

void printStartups(const std::vector<StartupProgram>& programs, const StartupProgram& bare)
{
    std::printf("| Program | median ms | smallest | largest | spread (largest - smallest) | median over the bare "
                "program's |\n|---|---:|---:|---:|---:|---:|\n");
    const double bareMs = median(bare.firstLineMs);
    for (const StartupProgram& program : programs) {
        const std::vector<double>& ms = program.firstLineMs;
        std::printf("| %s | %.1f | %.1f | %.1f | %.1f | %+.1f |\n", program.name.c_str(), median(ms), minimum(ms),
                    maximum(ms), range(ms), median(ms) - bareMs);
    }
}
