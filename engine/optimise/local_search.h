// The weighted local search that shrinks a reduced set while keeping every column covered.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <stop_token>
#include <vector>

#include "core/progress.h"
#include "optimise/candidate_cover.h"
#include "optimise/covered_lists.h"
#include "reduce/coverage.h"

namespace kelvo {

// Told the smallest size any search has found so far.
using TSearchProgress = std::function<void(std::size_t best)>;

// When a search stops, and what it starts from.
struct TSearchLimits {
    // Independent searches, run side by side, each from its own seed; the smallest set wins, the
    // first search's on a tie.
    int Searches = 1;
    // Seeds the first search; the others take the following seeds. The same seed and Steps give
    // the same result on every machine.
    std::uint64_t Seed = 1;
    // Steps each search takes, 0 for no limit.
    std::uint64_t Steps = 0;
    // No search takes a step after this.
    TClock::time_point Deadline = TClock::time_point::max();
    // A search that reaches a set of this size stops: no smaller one exists, or one this small is
    // enough. Without Steps, once one search reaches it, the others stop too.
    std::size_t Floor = 0;
    // Once a stop is requested, every search stops as if its budget had run out.
    std::stop_token Stop;
    // The clock of the deadline and of the times reported; called from every search's thread.
    std::function<TClock::time_point()> Now = TClock::now;
    // Called on the calling thread now and then with the smallest size found so far; may be empty.
    TSearchProgress Progress;  // When not empty, a covering set the second, fourth, ... search
                               // starts from instead of the
    // start: two starts far apart lead the searches to different sets.
    std::span<const std::size_t> Alternative;
};

struct TSearchResult {
    // The column numbers of the smallest covering set found, ascending.
    std::vector<std::size_t> Chosen;
    // When that size was first reached, from the start of the search (zero for the start itself).
    std::chrono::steady_clock::duration Reached{};
};

// Searches for a set of columns of `coverage` smaller than `start` that still covers every column,
// by weighted local search: uncovered columns gain weight every step they stay uncovered, a step
// removes the chosen column whose removal costs least and adds the best column covering a random
// uncovered one. `start` must cover every column; the result is never larger. Throws
// std::bad_alloc when memory runs out.
TSearchResult ShrinkCover(const TCoverage& coverage, std::span<const std::size_t> start,
                          const TSearchLimits& limits);
// The same search, walking the lists of the coverage's covered columns.
TSearchResult ShrinkCover(const TCoveredLists& lists, std::span<const std::size_t> start,
                          const TSearchLimits& limits);
// The same search choosing among the candidates of `candidates` to cover its rows: `start` and
// the result are candidate numbers.
TSearchResult ShrinkCover(const TCandidateCover& candidates, std::span<const std::size_t> start,
                          const TSearchLimits& limits);

}  // namespace kelvo
