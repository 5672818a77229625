// Searches for a matrix-method covering code of n ternary (or binary) positions: a check matrix
// H = [I_k | A] and a small syndrome set S, the code {x : H x^T in S} of |S| * q^(n-k) words and
// radius R. Prints each new smallest |S| as it is found, then H row by row and the code as a
// TMatrixCode to paste into optimise/covering_constructions.cpp.
//
//   kelvo_matrix_search --length 9 --rows 6 --radius 1 --seed 1 --matrices 5000 --seconds 300
#include <cstdint>
#include <iostream>
#include <string>

#include <CLI/CLI.hpp>

#include "optimise/matrix_search.h"
#include "optimise/syndrome_cover.h"
#include "search_clock.h"

using namespace kelvo;

namespace {

std::string List(const std::vector<int>& values) {
    std::string text = "{";
    for (std::size_t i = 0; i < values.size(); ++i) {
        text += (i == 0 ? "" : ", ") + std::to_string(values[i]);
    }
    return text + "}";
}

// Row i of H: digit i of every column, as TMatrixCode stores them.
void PrintRows(const TMatrixCode& code) {
    for (int i = 0, place = 1; i < code.Rows; ++i, place *= code.Radix) {
        std::string row;
        for (int column : code.Columns) {
            row += static_cast<char>('0' + column / place % code.Radix);
        }
        std::cout << row << '\n';
    }
}

std::uint64_t Words(const TMatrixCode& code) {
    std::uint64_t words = code.Syndromes.size();
    for (std::size_t i = static_cast<std::size_t>(code.Rows); i < code.Columns.size(); ++i) {
        words *= static_cast<std::uint64_t>(code.Radix);
    }
    return words;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Searches check matrices of matrix-method covering codes", "kelvo_matrix_search"};
    int radix = 3;
    int length = 0;
    int rows = 0;
    int radius = 1;
    TSearchClock clock;
    TMatrixSearchLimits limits;
    app.add_option("--radix", radix, "Signs per position, 3 (triples) or 2 (doubles)")
        ->capture_default_str();
    app.add_option("--length,-n", length, "Positions of the code")->required();
    app.add_option("--rows,-k", rows, "Check rows of H")->required();
    app.add_option("--radius,-R", radius, "Covering radius")->capture_default_str();
    app.add_option("--seed", limits.Seed, "Seed of the search")->capture_default_str();
    app.add_option("--matrices", limits.Matrices, "Matrices tried after the first")
        ->capture_default_str();
    app.add_option("--steps", limits.StepsPerMatrix, "Tabu steps of each matrix's syndrome cover")
        ->capture_default_str();
    clock.AddOption(app);
    app.add_option("--target", limits.Target, "Stop at a syndrome set this small")
        ->capture_default_str();
    app.add_option("--temperature", limits.Temperature,
                   "Annealing temperature, in syndromes left uncovered at the next size")
        ->capture_default_str();
    CLI11_PARSE(app, argc, argv);

    limits.Deadline = clock.Deadline();
    limits.Progress = [&](const TMatrixCode& code, std::uint64_t matrix) {
        std::cout << "matrix " << matrix << ": |S| = " << code.Syndromes.size() << " ("
                  << Words(code) << " words) at " << clock.Elapsed() << " s" << std::endl;
    };
    try {
        const TMatrixSearchResult result = SearchMatrixCode(radix, length, rows, radius, limits);
        const TMatrixCode& code = result.Code;
        // Checked syndrome by syndrome against every combination of columns, apart from the
        // search's own bookkeeping, before it is offered for the catalogue.
        if (!CoversEverySyndrome(code)) {
            std::cerr << "kelvo_matrix_search: the code found leaves a syndrome uncovered\n";
            return 1;
        }
        std::cout << "best |S| = " << code.Syndromes.size() << " (" << Words(code)
                  << " words), matrix " << result.FoundAt << " of " << result.Tried << " tried, "
                  << clock.Elapsed() << " s\nH, row i holding digit i of each column:\n";
        PrintRows(code);
        std::cout << "TMatrixCode{" << code.Radix << ", " << code.Rows << ", " << code.Radius
                  << ", " << List(code.Columns) << ", " << List(code.Syndromes) << "}\n";
    } catch (const std::invalid_argument& error) {
        std::cerr << "kelvo_matrix_search: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
