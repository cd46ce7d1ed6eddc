#include "capture/complaint.h"

#include <cstdio>

int complain(const std::string& message, int status)
{
    std::fprintf(stderr, "starwhirl-capture: %s\n", message.c_str());
    return status;
}
