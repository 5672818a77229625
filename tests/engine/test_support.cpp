#include "test_support.h"

#include "reduce/greedy.h"
#include "reduce/neighbours.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace kelvo {

std::vector<std::string> CompletedLog(int initial, int reduced) {
    return {"Comienzo de la Reduccion...",
            "Analizando columnas...",
            "Fin de analisis de Columnas.",
            "Buscando las reductoras...",
            "Reductoras Buscadas.",
            "Fin de la Reduccion.",
            "------------------------",
            "Columnas Iniciales: " + std::to_string(initial),
            "Columnas en la reducida: " + std::to_string(reduced),
            "*****----HECHO--------*****"};
}

std::vector<std::string> RandomColumns(std::mt19937& random, std::size_t count,
                                       const std::string& signs, int varying) {
    std::vector<std::string> columns(count, "11X1211X21X112");
    for (auto& column : columns) {
        for (int p = 0; p < varying; ++p) {
            column[static_cast<std::size_t>(p)] = signs[random() % signs.size()];
        }
    }
    return columns;
}

std::vector<std::string> CentreNeighbours(int matches) {
    std::vector<std::string> columns;
    for (int p = 0; p < matches; ++p) {
        for (const char sign : {'X', '2'}) {
            columns.emplace_back(kColumnLength, '1');
            columns.back()[static_cast<std::size_t>(p)] = sign;
        }
    }
    return columns;
}

std::vector<std::string> CandidateTexts(const TCandidateCover& candidates,
                                        const std::vector<std::size_t>& chosen) {
    std::vector<std::string> texts;
    for (const std::size_t k : chosen) {
        texts.push_back(ColumnText(candidates.Candidate(k)));
    }
    return texts;
}

std::vector<std::string> Development(const std::vector<std::string>& signsAt) {
    std::vector<std::string> columns{std::string(kColumnLength, '1')};
    for (std::size_t p = 0; p < signsAt.size(); ++p) {
        std::vector<std::string> next;
        for (const auto& column : columns) {
            for (const char sign : signsAt[p]) {
                next.push_back(column);
                next.back()[p] = sign;
            }
        }
        columns = std::move(next);
    }
    return columns;
}

std::vector<std::string> Development(int varying) {
    return Development(std::vector<std::string>(static_cast<std::size_t>(varying), "2X1"));
}

std::vector<std::string> ForecastProduct(const TForecast& forecast) {
    std::vector<std::string> columns{""};
    for (const std::string& group : forecast) {
        std::vector<std::string> next;
        for (const std::string& column : columns) {
            for (const char sign : group) {
                next.push_back(column + sign);
            }
        }
        columns = std::move(next);
    }
    return columns;
}

std::vector<std::string> SortedForecastProduct(const TForecast& forecast) {
    std::vector<std::string> columns = ForecastProduct(forecast);
    std::sort(columns.begin(), columns.end());
    return columns;
}

TForecast ForecastOf(const std::vector<std::string>& groups) {
    TForecast forecast;
    forecast.fill("1");
    std::copy(groups.begin(), groups.end(), forecast.begin());
    return forecast;
}

std::vector<TKey> KeysOf(const std::vector<std::string>& columns) {
    std::vector<TKey> keys;
    for (const auto& column : columns) {
        keys.push_back(MakeKey(column));
    }
    return keys;
}

std::vector<std::string> TextsOf(const TCoverage& coverage,
                                 const std::vector<std::size_t>& chosen) {
    std::vector<std::string> texts;
    for (const std::size_t k : chosen) {
        texts.push_back(ColumnText(coverage.Column(k)));
    }
    return texts;
}

bool LiterallyCovers(const std::vector<std::string>& columns,
                     const std::vector<std::string>& chosen, int radius) {
    for (const auto& column : columns) {
        bool covered = false;
        for (const auto& candidate : chosen) {
            int distance = 0;
            for (std::size_t p = 0; p < kColumnLength; ++p) {
                const char a = p < column.size() ? column[p] : '\0';
                const char b = p < candidate.size() ? candidate[p] : '\0';
                distance += a != b ? 1 : 0;
            }
            covered = covered || distance <= radius;
        }
        if (!covered) {
            return false;
        }
    }
    return true;
}

std::vector<std::size_t> LiterallyCovered(const TCoverage& coverage, std::size_t k, int radius) {
    std::vector<std::size_t> covered;
    for (std::size_t j = 0; j < coverage.Count(); ++j) {
        if (ColumnDistance(coverage.Column(k), coverage.Column(j)) <= radius) {
            covered.push_back(j);
        }
    }
    return covered;
}

// The fewest columns of `coverage` (at most 20 of them) that cover them all, by trying every
// subset: the union of each subset's covered columns is that of the subset without its lowest
// column plus that column's.
std::size_t ExhaustiveSmallestCover(const TCoverage& coverage, int radius) {
    const std::size_t count = coverage.Count();
    std::vector<std::uint32_t> covers(count, 0);
    for (std::size_t k = 0; k < count; ++k) {
        for (const std::size_t j : LiterallyCovered(coverage, k, radius)) {
            covers[k] |= std::uint32_t{1} << j;
        }
    }
    const std::uint32_t all = (std::uint32_t{1} << count) - 1;
    std::vector<std::uint32_t> unionOf(std::size_t{1} << count, 0);
    std::size_t smallest = count;
    for (std::uint32_t subset = 1; subset <= all; ++subset) {
        unionOf[subset] = unionOf[subset & (subset - 1)] | covers[std::countr_zero(subset)];
        if (unionOf[subset] == all) {
            smallest = std::min(smallest, static_cast<std::size_t>(std::popcount(subset)));
        }
    }
    return smallest;
}

std::vector<std::size_t> GreedyNumbers(const TCoverage& coverage,
                                       const std::vector<std::string>& columns, int radius) {
    const std::vector<TKey> keys = KeysOf(columns);
    std::vector<std::size_t> numbers;
    for (const TKey& key : SelectGreedyCover(AnalyseNeighbours(keys, radius, nullptr), nullptr)) {
        numbers.push_back(coverage.Find(key));
    }
    return numbers;
}

long double LiteralShareOfPool(long long bets, long double others) {
    const long double spread = 60 * std::sqrt(others) + 60;
    const auto first = static_cast<long long>(std::max<long double>(0, others - spread));
    const auto last = static_cast<long long>(others + spread);
    long double sum = 0;
    for (long long j = first; j <= last; ++j) {
        const long double weight =
            others == 0 ? (j == 0 ? 1 : 0)
                        : std::exp(static_cast<long double>(j) * std::log(others) - others -
                                   std::lgamma(static_cast<long double>(j) + 1));
        sum += weight / static_cast<long double>(bets + j);
    }
    return static_cast<long double>(bets) * sum;
}

}  // namespace kelvo
