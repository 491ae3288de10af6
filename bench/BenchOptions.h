#pragma once

#include <cstdlib>
#include <cstring>

/// The number after a "--name" on the command line, or fallback without one.
inline int option(int argc, char** argv, const char* name, int fallback) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], name) == 0)
            return std::atoi(argv[i + 1]);
    return fallback;
}
