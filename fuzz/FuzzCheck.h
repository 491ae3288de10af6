#pragma once

#include <cstdlib>

/// A property a target checks: its failure is a crash the fuzzer keeps.
inline void Require(bool property) {
    if (!property)
        std::abort();
}
