#include "capture/interruption.h"

#include <csignal>
#include <cstdlib>
#include <initializer_list>

namespace {

volatile std::sig_atomic_t caught = 0;

void note(int signal)
{
    caught = signal;
}

}  // namespace

void catchInterruptions()
{
    struct sigaction action = {};
    action.sa_handler = note;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a write to ffmpeg blocked on a full pipe must return.
    action.sa_flags = 0;
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
}

int interruption()
{
    return caught;
}

void endAsInterrupted(int signal)
{
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    std::_Exit(128 + signal);
}
