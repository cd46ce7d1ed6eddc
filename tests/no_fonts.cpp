#include "tests/no_fonts.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

NoFonts::NoFonts()
{
    char path[] = "/tmp/starwhirl-no-fonts-XXXXXX";
    int fd = mkstemp(path);
    EXPECT_GE(fd, 0) << "cannot create " << path;
    const std::string config = "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n";
    EXPECT_EQ(write(fd, config.data(), config.size()), ssize_t(config.size()));
    close(fd);
    path_ = path;
    setenv("FONTCONFIG_FILE", path, 1);
}

NoFonts::~NoFonts()
{
    unsetenv("FONTCONFIG_FILE");
    std::remove(path_.c_str());
}
