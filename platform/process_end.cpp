#include "platform/process_end.h"

#include <cstdlib>

namespace platform {

void endProcess(int status)
{
    std::exit(status);
}

}  // namespace platform
