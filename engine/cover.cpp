#include "cover.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// Which ids the chosen columns cover so far, by id, with the count of distinct covered ids. The
// chosen records' ids are never dropped for want of room: the result is that of a covered list
// large enough for all of them.
class TCoveredList {
public:
    explicit TCoveredList(std::size_t count) : covered_(count + 1, 0) {}

    bool IsCovered(std::int32_t id) const { return covered_[static_cast<std::size_t>(id)] != 0; }
    // Marks `id` covered; false when it already was.
    bool Cover(std::int32_t id) {
        if (IsCovered(id)) {
            return false;
        }
        covered_[static_cast<std::size_t>(id)] = 1;
        ++coveredCount_;
        return true;
    }
    std::size_t Count() const { return coveredCount_; }
    // Whether ids 1..count are all covered.
    bool CoversAll() const { return coveredCount_ + 1 == covered_.size(); }

private:
    std::vector<std::uint8_t> covered_;
    std::size_t coveredCount_ = 0;
};

}  // namespace

std::vector<std::string> SelectCover(TColumnList& list, int L, const std::string& OutputPath,
                                     TRunHost& host, const TWriteCall& write) {
    const std::size_t n = list.Records.size();
    TCoveredList covered(n);
    std::vector<std::string> result;
    host.AddLogLine("Buscando las reductoras...");

    // A record's count of uncovered neighbours, kept up to date as ids get covered. The relation
    // is symmetric, so the records whose lists hold a newly covered id are the ids of its own list.
    // Choosing a record covers its whole list, so from then on its count is 0, as the chosen mark
    // in its list says; the passes read the counts alone.
    std::vector<int> uncovered(n);
    for (std::size_t r = 0; r < n; ++r) {
        uncovered[r] = static_cast<int>(list.Records[r].Neighbours.size());
    }

    TPacedPump pump(host, kSelectingPhase);
    const double toFraction = 1.0 / static_cast<double>(n);
    for (int target = L; target > 0;) {
        pump.Now();
        for (std::size_t r = 0; r < n; ++r) {
            pump.Work();
            if (uncovered[r] != target) {
                continue;
            }
            TColumnRecord& record = list.Records[r];
            result.push_back(record.Column);
            for (const std::int32_t id : record.Neighbours) {
                if (covered.Cover(id)) {
                    pump.SetProgress(static_cast<double>(covered.Count()) * toFraction);
                    const auto& newlyCovered = list.Records[static_cast<std::size_t>(id - 1)];
                    for (const std::int32_t holder : newlyCovered.Neighbours) {
                        --uncovered[static_cast<std::size_t>(holder - 1)];
                    }
                    pump.Work(static_cast<std::uint32_t>(newlyCovered.Neighbours.size()));
                }
            }
            record.Neighbours[0] = 0;
        }
        if (covered.CoversAll()) {
            SaveColumns(result, OutputPath + ".txt", write);
            break;
        }
        // Counts only fall, so a pass whose target lies above every count left would choose
        // nothing and leave the coverage as it is: go straight to the first target that can.
        const int highest = *std::max_element(uncovered.begin(), uncovered.end());
        target = std::min(target - 1, highest);
    }
    return result;
}
