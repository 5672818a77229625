// Decides by exhaustive search whether a covering code of a shape has a given size or fewer:
// prints a code of that size, or that none exists, or that the search gave up after --nodes
// nodes. A code of one word fewer than the construction found to exist nowhere proves the
// construction smallest; such shapes are listed in optimise/covering_constructions.cpp.
//
//   kelvo_exhaustive_search --triples 1 --doubles 3 --radius 1 --size 5
#include <cstdint>
#include <iostream>

#include <CLI/CLI.hpp>

#include "optimise/exhaustive_search.h"
#include "search_clock.h"

using namespace kelvo;

int main(int argc, char** argv) {
    CLI::App app{"Decides whether a covering code of a shape has a given size or fewer",
                 "kelvo_exhaustive_search"};
    int triples = 0;
    int doubles = 0;
    int radius = 1;
    std::size_t size = 1;
    TSearchClock clock;
    TExhaustiveLimits limits;
    app.add_option("--triples,-t", triples, "Ternary positions")->capture_default_str();
    app.add_option("--doubles,-b", doubles, "Binary positions")->capture_default_str();
    app.add_option("--radius,-R", radius, "Covering radius")->capture_default_str();
    app.add_option("--size,-s", size, "Words the code may have")->required();
    app.add_option("--nodes", limits.Nodes, "Give up after this many nodes of the tree")
        ->capture_default_str();
    CLI11_PARSE(app, argc, argv);

    try {
        const TExhaustiveResult result = SearchCodeOfSize(triples, doubles, radius, size, limits);
        switch (result.Answer) {
            case TExhaustiveAnswer::Exists:
                std::cout << "a code of " << result.Code.Size() << " words:";
                for (std::size_t i = 0; i < result.Code.Words.size(); ++i) {
                    std::cout << (i % static_cast<std::size_t>(result.Code.Length()) == 0 ? " "
                                                                                          : "")
                              << static_cast<int>(result.Code.Words[i]);
                }
                std::cout << '\n';
                break;
            case TExhaustiveAnswer::None:
                std::cout << "no code of " << size << " words or fewer\n";
                break;
            case TExhaustiveAnswer::Undecided:
                std::cout << "undecided\n";
                break;
        }
        std::cout << result.Nodes << " nodes, " << clock.Elapsed() << " s\n";
    } catch (const std::invalid_argument& error) {
        std::cerr << "kelvo_exhaustive_search: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
