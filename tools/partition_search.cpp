// Searches for a subnormal partition: a covering code of radius R cut into parts of radius R + 1
// each, the first half of PartitionSum. Either the parts of a given code (the construction of
// the shape in optimise/covering_constructions, by default) or a new code of --size words with
// its parts. Prints the labels as a string of digits, one per word in the order of the code's
// words, and for a new code its words, to paste into the catalogue.
//
//   kelvo_partition_search --triples 6 --radius 1 --parts 3 --seed 1 --steps 1000000
#include <cstdint>
#include <iostream>
#include <string>

#include <CLI/CLI.hpp>

#include "optimise/partition_search.h"
#include "search_clock.h"

using namespace kelvo;

namespace {

// Word w of a pure code as TMatrixCode stores a word list: sum of digit i times radix^i.
std::string WordNumbers(const TCode& code) {
    const int radix = code.Doubles == 0 ? 3 : 2;
    std::string text = "{";
    for (std::size_t w = 0; w < code.Size(); ++w) {
        long number = 0;
        for (int p = 0, place = 1; p < code.Length(); ++p, place *= radix) {
            number += code.Words[w * static_cast<std::size_t>(code.Length()) +
                                 static_cast<std::size_t>(p)] *
                      place;
        }
        text += (w == 0 ? "" : ", ") + std::to_string(number);
    }
    return text + "}";
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Searches subnormal partitions of covering codes", "kelvo_partition_search"};
    int triples = 0;
    int doubles = 0;
    int radius = 1;
    int parts = 3;
    std::size_t size = 0;
    int functional = 0;
    TSearchClock clock;
    TPartitionSearchLimits limits;
    app.add_option("--triples,-t", triples, "Ternary positions")->capture_default_str();
    app.add_option("--doubles,-b", doubles, "Binary positions")->capture_default_str();
    app.add_option("--radius,-R", radius, "Radius of the code; each part gets one more")
        ->capture_default_str();
    app.add_option("--parts", parts, "Parts, 2 or 3")->capture_default_str();
    app.add_option("--size", size,
                   "Search a new code of this many words too; 0 cuts the shape's construction")
        ->capture_default_str();
    app.add_option("--functional", functional,
                   "Try instead every labelling by a linear functional on the last K positions "
                   "of the shape's construction")
        ->capture_default_str();
    app.add_option("--seed", limits.Seed, "Seed of the search")->capture_default_str();
    app.add_option("--steps", limits.Steps, "Moves tried")->capture_default_str();
    clock.AddOption(app);
    app.add_option("--temperature", limits.Temperature,
                   "Worse moves are taken with probability exp(-bare words / temperature)")
        ->capture_default_str();
    app.add_option("--tenure", limits.Tenure,
                   "With --size: a word moved is not moved again for this many moves")
        ->capture_default_str();
    CLI11_PARSE(app, argc, argv);

    limits.Deadline = clock.Deadline();
    try {
        if (functional > 0) {
            const std::vector<int> c = FunctionalPartition(
                SmallestConstruction(triples, doubles, radius), parts, functional);
            if (c.empty()) {
                std::cout << "no functional on the last " << functional << " positions cuts it\n";
                return 1;
            }
            std::string text;
            for (int coefficient : c) {
                text += (text.empty() ? "" : ", ") + std::to_string(coefficient);
            }
            std::cout << "functional {" << text << "}\n";
            return 0;
        }
        const TPartitionSearchResult result =
            size == 0
                ? SearchPartition(SmallestConstruction(triples, doubles, radius), parts, limits)
                : SearchPartitionedCode(triples, doubles, radius, size, parts, limits);
        std::cout << "bare " << result.Bare << " after " << result.Steps << " moves, "
                  << clock.Elapsed() << " s\n";
        if (result.Bare > 0) {
            return 1;
        }
        std::string labels;
        for (std::uint8_t label : result.Labels) {
            labels += static_cast<char>('0' + label);
        }
        std::cout << "labels \"" << labels << "\"\n";
        if (size > 0) {
            std::cout << "words " << WordNumbers(result.Code) << '\n';
        }
    } catch (const std::invalid_argument& error) {
        std::cerr << "kelvo_partition_search: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
