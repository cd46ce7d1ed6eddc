#include "bench/machine_load.h"

#include <unistd.h>

#include <cstdio>

double loadAverage()
{
    double load = -1.0;
    if (std::FILE* file = std::fopen("/proc/loadavg", "r")) {
        if (std::fscanf(file, "%lf", &load) != 1)
            load = -1.0;
        std::fclose(file);
    }
    return load;
}

long coreCount()
{
    return sysconf(_SC_NPROCESSORS_ONLN);
}
