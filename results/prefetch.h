#pragma once

// Asking for memory ahead of its use, where the order things are gone through is not the order
// they lie in: a result's rows are put in rank order, their texts (the figures, the clocked
// reading) lie in the order the birds were clocked, and the rings clocked are looked for all
// over a table. Whatever goes through them asks for what it will need a few steps on, so that it
// comes from memory meanwhile rather than one piece at a time.

#include <cstddef>

#include "results/race_result.h"

namespace results {

inline void Prefetch(const void* address) {
#if defined(__GNUC__)
    __builtin_prefetch(address);
#else
    static_cast<void>(address);
#endif
}

// A row itself, all its cache lines.
inline void PrefetchRow(const ResultRow& row) {
    constexpr std::size_t kLine = 64;
    const auto* start = reinterpret_cast<const char*>(&row);
    for (std::size_t at = 0; at < sizeof row; at += kLine) Prefetch(start + at);
}

// The texts a row holds outside itself; reads the row.
inline void PrefetchTexts(const ResultRow& row) {
    for (const std::string* text :
         {&row.clocked, &row.figures.variation, &row.figures.FTSecs, &row.figures.velocity}) {
        Prefetch(text->data());
    }
}

}  // namespace results
