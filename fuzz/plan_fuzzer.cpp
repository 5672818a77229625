// Fuzzes the plan file's reader: whatever the bytes, it gives a plan or a TPlanFileError with its
// reason, never a crash, a hang or memory without bound; and a plan it accepts, written back,
// reads as the same plan and is written back to the same bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "plan/plan_file.h"

using namespace kelvo;

namespace {

void Require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    TPlan plan;
    try {
        plan = ParsePlan(bytes);
    } catch (const TPlanFileError& error) {
        Require(!std::string_view(error.what()).empty(), "a refusal says why");
        return 0;
    }
    const std::string written = PlanBytes(plan);
    const TPlan read = ParsePlan(written);
    Require(read == plan, "a plan written back reads as the same plan");
    Require(PlanBytes(read) == written, "a plan read back is written to the same bytes");
    return 0;
}
