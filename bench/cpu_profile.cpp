#include "bench/cpu_profile.h"

#include "bench/process_run.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

double ownCpuShare(const std::string& program, std::string& report)
{
    char path[] = "/tmp/starwhirl-perf-XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0)
        throw std::runtime_error("cannot create a temporary file for perf");
    close(fd);
    double share = -1.0;
    if (runProcess({"perf", "record", "-q", "-e", "cpu-clock", "-F", "2000", "-o", path, "--", program})
            .exitStatus == 0) {
        share = 0.0;
        std::string programName = program.substr(program.rfind('/') + 1);
        for (const std::string& line : runProcess({"perf", "report", "-i", path, "--sort", "dso", "--stdio", "-q"}).lines) {
            double percent = 0.0;
            char dso[400] = {};
            if (std::sscanf(line.c_str(), " %lf%% %399s", &percent, dso) != 2)
                continue;
            report += line + "\n";
            if (programName == dso)
                share += percent;
        }
    }
    unlink(path);
    return share;
}
