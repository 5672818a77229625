// Fuzzes the plan file's reader: whatever the bytes, it gives a plan or a TPlanFileError with its
// reason, never a crash, a hang or memory without bound; and a plan it accepts, written back,
// reads as the same plan and is written back to the same bytes.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_invariant.h"
#include "plan/plan_file.h"

using namespace kelvo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    TPlan plan;
    try {
        plan = ParsePlan(bytes);
    } catch (const TPlanFileError& error) {
        RequireInvariant(!std::string_view(error.what()).empty(), "a refusal says why");
        return 0;
    }
    const std::string written = PlanBytes(plan);
    const TPlan read = ParsePlan(written);
    RequireInvariant(read == plan, "a plan written back reads as the same plan");
    RequireInvariant(PlanBytes(read) == written, "a plan read back is written to the same bytes");
    return 0;
}
