#pragma once

// What every program prints after its version, as GNU programs do.
inline constexpr char copyrightNotice[] =
    "Copyright (C) 2026 the starwhirl developers.\n"
    "MIT License <https://opensource.org/license/mit>: free to use, change and share; NO WARRANTY.\n";
