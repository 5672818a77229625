// The guarantees a reduction can give, and the coverage radius each one asks for.
#pragma once

#include <string>

#include "core/column_key.h"
#include "core/engine_error.h"

namespace kelvo {

// If the winning column is in the file, some chosen column has at least this many signs right.
constexpr int kWeakestGuarantee = 11;
constexpr int kStrongestGuarantee = 13;

// Whether `guarantee` is one of the guarantees a reduction can give.
constexpr bool IsGuarantee(int guarantee) {
    return guarantee >= kWeakestGuarantee && guarantee <= kStrongestGuarantee;
}

// Throws TEngineError "Unknown guarantee N: the guarantees are 11, 12 and 13" unless IsGuarantee.
inline void RequireGuarantee(int guarantee) {
    if (!IsGuarantee(guarantee)) {
        throw TEngineError("Unknown guarantee " + std::to_string(guarantee) +
                           ": the guarantees are 11, 12 and 13");
    }
}

// The number of positions in which a covered column may differ from the column covering it.
constexpr int RadiusOf(int guarantee) {
    return kColumnLength - guarantee;
}

}  // namespace kelvo
