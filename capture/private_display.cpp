#include "capture/private_display.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>

namespace {

// Everything written to the file behind `fd`, from its start.
std::string contentsOf(int fd)
{
    std::string text;
    char chunk[4096];
    ssize_t got;
    for (off_t at = 0; (got = pread(fd, chunk, sizeof chunk, at)) > 0; at += got)
        text.append(chunk, std::size_t(got));
    return text;
}

}  // namespace

std::unique_ptr<PrivateDisplay> PrivateDisplay::start(std::string& error, std::string& serverSaid)
{
    std::unique_ptr<PrivateDisplay> display(new PrivateDisplay);
    // The server's own messages (display numbers it found taken, and the
    // like) are kept from the user's terminal, and shown only when it does
    // not start.
    int said = memfd_create("Xvfb messages", MFD_CLOEXEC);
    // The server writes its display number to descriptor 1, our pipe, once
    // it accepts connections. -terminate: it ends when its one client, this
    // process, is gone, however this process ends.
    ChildProcess::Start started = display->server_.start(
        {"Xvfb", "-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-terminate"},
        ChildProcess::Pipe::fromItsOutput, error, {}, said);
    if (started != ChildProcess::Start::started) {
        if (said >= 0)
            close(said);
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
        display->server_.wait();
        if (said >= 0)
            serverSaid = contentsOf(said);
        error = "no X display, and the virtual X server (Xvfb) did not start";
    }
    if (said >= 0)
        close(said);
    if (number.empty())
        return nullptr;
    setenv("DISPLAY", (":" + number).c_str(), 1);
    return display;
}

PrivateDisplay::~PrivateDisplay()
{
    server_.kill(SIGTERM);
    server_.wait();
}
