#pragma once

#include <string>

// Says `message` as one line on standard error, in the capture program's
// name, and returns `status`, so that a caller can end with it.
int complain(const std::string& message, int status);
