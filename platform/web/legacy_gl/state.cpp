#include "platform/web/legacy_gl/state.h"

#include <cstdio>
#include <set>
#include <string>

namespace legacy_gl {

State& state()
{
    static State theState;
    return theState;
}

void unsupported(const char* what)
{
    static std::set<std::string> said;
    if (said.insert(what).second)
        std::fprintf(stderr, "starwhirl: the web build's GL layer does not support %s\n", what);
}

}  // namespace legacy_gl
