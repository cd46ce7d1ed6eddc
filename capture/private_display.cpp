#include "capture/private_display.h"

#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>

std::unique_ptr<PrivateDisplay> PrivateDisplay::start(std::string& error)
{
    std::unique_ptr<PrivateDisplay> display(new PrivateDisplay);
    // The server writes its display number to descriptor 1, our pipe, once
    // it accepts connections. -terminate: it ends when its one client, this
    // process, is gone, however this process ends.
    if (!display->server_.start({"Xvfb", "-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                                 "-terminate"},
                                ChildProcess::Pipe::fromItsOutput, error)) {
        error = "no X display, and no virtual X server either: " + error + " (Debian package xvfb)";
        return nullptr;
    }
    std::string number;
    char c;
    ssize_t got;
    while ((got = read(display->server_.pipe(), &c, 1)) == 1 || (got < 0 && errno == EINTR)) {
        if (got == 1 && c == '\n')
            break;
        if (got == 1)
            number += c;
    }
    if (number.empty()) {
        error = "no X display, and the virtual X server (Xvfb) did not start";
        return nullptr;
    }
    setenv("DISPLAY", (":" + number).c_str(), 1);
    return display;
}

PrivateDisplay::~PrivateDisplay()
{
    server_.kill(SIGTERM);
    server_.wait();
}
