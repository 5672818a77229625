// How a fuzz target states what must hold whatever the bytes.
#pragma once

#include <cstdio>
#include <cstdlib>

// Aborts with "invariant broken: `what`" unless `holds`, so that libFuzzer keeps the input that
// broke it.
inline void RequireInvariant(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}
