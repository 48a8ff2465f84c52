#pragma once

// A result's rows are in rank order, but the texts they hold outside themselves (the figures, the
// clocked reading) lie in memory in the order the birds were clocked. Whatever goes through the
// rows in rank order asks for the texts of a row ahead while it works on the one in hand, so that
// they come from memory meanwhile rather than one by one.

#include "results/race_result.h"

namespace results {

inline void PrefetchRow(const ResultRow& row) {
#if defined(__GNUC__)
    __builtin_prefetch(&row);
    for (const std::string* text :
         {&row.clocked, &row.figures.variation, &row.figures.FTSecs, &row.figures.velocity}) {
        __builtin_prefetch(text->data());
    }
#else
    static_cast<void>(row);
#endif
}

}  // namespace results
