#include "bench/allocation_report.h"

#include "bench/process_run.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>

AllocationCounts countAllocations(const std::string& program, const std::string& counterLibrary)
{
    char path[] = "/tmp/starwhirl-allocations-XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0)
        throw std::runtime_error("cannot create a temporary file for the allocation counts");
    close(fd);
    ProcessRun run = runProcess({"stdbuf", "-oL", program},
                                {"LD_PRELOAD=" + counterLibrary, std::string("STARWHIRL_ALLOC_REPORT=") + path});
    AllocationCounts counts;
    std::ifstream report(path);
    std::string line;
    while (std::getline(report, line)) {
        std::size_t space = line.rfind(' ');
        counts[line.substr(0, space)] = std::stoul(line.substr(space + 1));
    }
    unlink(path);
    if (run.exitStatus != 0)
        throw std::runtime_error(program + " ended with status " + std::to_string(run.exitStatus) +
                                 " while its allocations were counted");
    if (counts.count("presentations") == 0)
        throw std::runtime_error("the allocation counter wrote no report for " + program);
    return counts;
}

unsigned long allocationsBy(const AllocationCounts& counts, const std::string& who)
{
    auto found = counts.find("by " + who);
    return found == counts.end() ? 0 : found->second;
}
