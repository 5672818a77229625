// Searches for a matrix-method covering code of n ternary (or binary) positions: a check matrix
// H = [I_k | A] and a small syndrome set S, the code {x : H x^T in S} of |S| * q^(n-k) words and
// radius R. With --doubles the code has binary positions after the ternary ones too, and a second
// check matrix of --binary-rows rows over GF(2) for them. Prints each new smallest |S| as it is
// found, then H row by row and the code as a TMatrixCode (TMixedMatrixCode for a mixed code) to
// paste into optimise/covering_constructions.cpp.
//
//   kelvo_matrix_search --length 9 --rows 6 --radius 1 --seed 1 --matrices 5000 --seconds 300
//   kelvo_matrix_search --length 4 --rows 3 --doubles 4 --binary-rows 3 --radius 1
#include <cstdint>
#include <iostream>
#include <stdexcept>
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

// Row i of each H: digit i of every column of its kind, as TMixedMatrixCode stores them.
void PrintRows(const TMixedMatrixCode& code) {
    for (const bool ternary : {true, false}) {
        const int radix = ternary ? 3 : 2;
        const std::vector<int>& columns = ternary ? code.TernaryColumns : code.BinaryColumns;
        for (int i = 0, place = 1; i < (ternary ? code.TernaryRows : code.BinaryRows);
             ++i, place *= radix) {
            std::string row;
            for (int column : columns) {
                row += static_cast<char>('0' + column / place % radix);
            }
            std::cout << row << '\n';
        }
    }
}

// The code as it is pasted into the catalogue: a TMatrixCode when it has one kind of position.
std::string Literal(const TMixedMatrixCode& code) {
    const std::string tail = ", " + std::to_string(code.Radius) + ", ";
    if (code.BinaryColumns.empty() || code.TernaryColumns.empty()) {
        const bool ternary = code.BinaryColumns.empty();
        return "TMatrixCode{" + std::string(ternary ? "3, " : "2, ") +
               std::to_string(ternary ? code.TernaryRows : code.BinaryRows) + tail +
               List(ternary ? code.TernaryColumns : code.BinaryColumns) + ", " +
               List(code.Syndromes) + "}";
    }
    return "TMixedMatrixCode{" + std::to_string(code.TernaryRows) + ", " +
           std::to_string(code.BinaryRows) + tail + List(code.TernaryColumns) + ", " +
           List(code.BinaryColumns) + ", " + List(code.Syndromes) + "}";
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Searches check matrices of matrix-method covering codes", "kelvo_matrix_search"};
    int radix = 3;
    int length = 0;
    int rows = 0;
    int radius = 1;
    int doubles = 0;
    int binaryRows = 0;
    TSearchClock clock;
    TMatrixSearchLimits limits;
    app.add_option("--radix", radix, "Signs per position, 3 (triples) or 2 (doubles)")
        ->capture_default_str();
    app.add_option("--length,-n", length, "Positions of the code")->required();
    app.add_option("--rows,-k", rows, "Check rows of H")->required();
    app.add_option("--radius,-R", radius, "Covering radius")->capture_default_str();
    app.add_option("--doubles", doubles, "Binary positions after the ternary ones (radix 3)")
        ->capture_default_str();
    app.add_option("--binary-rows", binaryRows, "Check rows over GF(2) of the binary positions")
        ->capture_default_str();
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
    limits.Progress = [&](const TMixedMatrixCode& code, std::uint64_t matrix) {
        std::cout << "matrix " << matrix << ": |S| = " << code.Syndromes.size() << " ("
                  << MixedMatrixCodeSize(code) << " words) at " << clock.Elapsed() << " s"
                  << std::endl;
    };
    try {
        if (radix != 2 && radix != 3) {
            throw std::invalid_argument("--radix must be 2 or 3");
        }
        if (radix == 2 && (doubles != 0 || binaryRows != 0)) {
            throw std::invalid_argument("--doubles and --binary-rows need --radix 3");
        }
        const bool ternary = radix == 3;
        const TMatrixSearchResult result =
            SearchMatrixCode(ternary ? length : 0, ternary ? doubles : length, ternary ? rows : 0,
                             ternary ? binaryRows : rows, radius, limits);
        const TMixedMatrixCode& code = result.Code;
        // Checked syndrome by syndrome against every combination of columns, apart from the
        // search's own bookkeeping, before it is offered for the catalogue.
        if (!CoversEverySyndrome(code)) {
            std::cerr << "kelvo_matrix_search: the code found leaves a syndrome uncovered\n";
            return 1;
        }
        std::cout << "best |S| = " << code.Syndromes.size() << " (" << MixedMatrixCodeSize(code)
                  << " words), matrix " << result.FoundAt << " of " << result.Tried << " tried, "
                  << clock.Elapsed() << " s\nH, row i holding digit i of each column:\n";
        PrintRows(code);
        std::cout << Literal(code) << "\n";
    } catch (const std::invalid_argument& error) {
        std::cerr << "kelvo_matrix_search: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
