// The budget in the plan file: the budget and, for columns chosen for one, how the choice went are
// written in format 3 and read back as they were; plans of formats 1 and 2 open without one; a
// value out of range is refused naming its field; and the one rule of what a budget pays for.
#include "plan/plan_file.h"

#include "test_support.h"

namespace kelvo {

namespace {

const std::string kData = KELVO_PLAN_DATA;

// The report of a choice by winnings of 2 columns for a budget of 2.
TBudgetReport WinningsReport() {
    TBudgetReport report;
    report.Budget = 2;
    report.Chosen = 2;
    report.Forecast = 100;
    report.Covered = 0.0123;
    report.Bound = 0.5;
    report.Greedy = 0.01;
    report.Winnings = TBudgetWinnings{1.25, 1.5, 1.25 / 1.5, 3.75, 1.2};
    report.BestPossible = false;
    report.Spent = std::chrono::milliseconds(2500);
    report.Reached = std::chrono::milliseconds(40);
    report.Stopped = true;
    return report;
}

// The plan budget.kelvo was written from: a budget in euros chosen for the winnings, and the
// columns chosen for it.
TPlan BudgetPlan() {
    TPlan plan;
    plan.Matches[0].Teams = "Betis - Sevilla";
    plan.ChancesShown = true;
    plan.Budget = TPlanBudget{1.5, TBudgetUnit::Euros, TBudgetGoal::Winnings};
    plan.Reduction =
        BudgetReduction(KeysOf({"11111111111111", "1X211111111111"}), WinningsReport());
    return plan;
}

std::string Replaced(std::string bytes, const std::string& from, const std::string& to) {
    const std::size_t at = bytes.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? bytes : bytes.replace(at, from.size(), to);
}

TPlanRefusal FieldRefusal(const std::string& field) {
    TPlanRefusal refusal;
    refusal.Fault = TPlanFault::BadField;
    refusal.Field = field;
    return refusal;
}

}  // namespace

TEST(plan_budget_file, a_budget_and_its_choice_are_written_in_these_bytes_and_read_back) {
    const std::string bytes = ReadBytes(kData + "/budget.kelvo");
    EXPECT_EQ(PlanBytes(BudgetPlan()), bytes);
    EXPECT_EQ(ParsePlan(bytes), BudgetPlan());
    // A budget of columns chosen for the chance, without winnings, written where its key sorts.
    TPlan plan = BudgetPlan();
    plan.Budget = TPlanBudget{};
    TBudgetReport report = WinningsReport();
    report.Winnings.reset();
    report.BestPossible = true;
    plan.Reduction = BudgetReduction(plan.Reduction->Columns, report);
    const std::string written = PlanBytes(plan);
    EXPECT_NE(written.find("    \"anywhere\": false,\n    \"budget\": {\n        \"amount\": 16,\n"
                           "        \"goal\": \"chance\",\n        \"unit\": \"columns\"\n    },\n"
                           "    \"budgetSeconds\": 30,\n"),
              std::string::npos);
    EXPECT_NE(written.find("        \"budgetChoice\": {\n            \"bestPossible\": true,\n"
                           "            \"bound\": 0.5,\n            \"budget\": 2,\n"
                           "            \"covered\": 0.0123,\n            \"forecast\": 100,\n"
                           "            \"greedy\": 0.01\n        },\n        \"columns\": [\n"),
              std::string::npos);
    EXPECT_EQ(ParsePlan(written), plan);
    // Without a budget nor a choice, neither is written.
    EXPECT_EQ(PlanBytes(TPlan()).find("budget\""), std::string::npos);
}

TEST(plan_budget_file, plans_of_formats_1_and_2_open_without_a_budget) {
    for (const char* name : {"full.kelvo", "pool.kelvo"}) {
        const TPlan plan = OpenPlan(kData + "/" + name);
        EXPECT_FALSE(plan.Budget) << name;
        ASSERT_EQ(plan.Reduction.has_value(), std::string(name) == "full.kelvo") << name;
    }
    EXPECT_FALSE(OpenPlan(kData + "/full.kelvo").Reduction->Budget);
    // A file of format 2 that holds a budget is read as format 2 was: without it.
    const TPlan asFormat2 =
        ParsePlan(Replaced(ReadBytes(kData + "/budget.kelvo"), "\"version\": 3", "\"version\": 2"));
    EXPECT_FALSE(asFormat2.Budget);
    ASSERT_TRUE(asFormat2.Reduction);
    EXPECT_FALSE(asFormat2.Reduction->Budget);
    EXPECT_EQ(asFormat2.Reduction->Columns, BudgetPlan().Reduction->Columns);
}

TEST(plan_budget_file, a_budget_value_out_of_range_is_refused_naming_its_field) {
    const std::string valid = ReadBytes(kData + "/budget.kelvo");
    const std::string columns = Replaced(valid, "\"unit\": \"euros\"", "\"unit\": \"columns\"");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {Replaced(valid, "\"amount\": 1.5", "\"amount\": 0.005"), "budget.amount"},
        {Replaced(valid, "\"amount\": 1.5", "\"amount\": 10000000.01"), "budget.amount"},
        {Replaced(valid, "\"amount\": 1.5", "\"amount\": \"1.5\""), "budget.amount"},
        {Replaced(columns, "\"amount\": 1.5", "\"amount\": 2.5"), "budget.amount"},
        {Replaced(columns, "\"amount\": 1.5", "\"amount\": 0"), "budget.amount"},
        {Replaced(columns, "\"amount\": 1.5", "\"amount\": 4782970"), "budget.amount"},
        {Replaced(valid, "\"unit\": \"euros\"", "\"unit\": \"pesetas\""), "budget.unit"},
        {Replaced(valid, "\"goal\": \"winnings\"", "\"goal\": 1"), "budget.goal"},
        {Replaced(valid, "\"budget\": {", "\"budget\": 16, \"x\": {"), "budget"},
        {Replaced(valid, "\"chancesShown\": true", "\"chancesShown\": false"), "chancesShown"},
        {Replaced(valid, "\"budget\": 2", "\"budget\": 1"), "budgetChoice.budget"},
        {Replaced(valid, "\"covered\": 0.0123", "\"covered\": 100.5"), "budgetChoice.covered"},
        {Replaced(valid, "\"forecast\": 100", "\"forecast\": -1"), "budgetChoice.forecast"},
        {Replaced(valid, "\"bestPossible\": false", "\"bestPossible\": 0"),
         "budgetChoice.bestPossible"},
        {Replaced(valid, "\"expected\": 1.25", "\"expected\": -1.25"),
         "budgetChoice.winnings.expected"},
        {Replaced(valid, "\"returnPerEuro\"", "\"return\""), "budgetChoice.winnings.returnPerEuro"},
        {Replaced(valid, "\"winnings\": {", "\"winnings\": [], \"x\": {"), "budgetChoice.winnings"},
    };
    for (const auto& [bytes, field] : cases) {
        try {
            ParsePlan(bytes);
            ADD_FAILURE() << "read: " << field;
        } catch (const TPlanFileError& error) {
            EXPECT_TRUE(error.Refusal() == FieldRefusal(field)) << field;
            EXPECT_EQ(std::string(error.what()),
                      "the field \"" + field + "\" is missing or out of range");
        }
    }
}

TEST(plan_budget_file, a_budget_pays_for_its_columns_or_what_its_euros_buy) {
    const auto columnsFor = [](std::optional<TPlanBudget> budget, double price, int plenoResults) {
        TPlan plan;
        plan.Budget = budget;
        plan.Price = price;
        for (int result = 0; result < plenoResults; ++result) {
            plan.Pleno.Chosen[static_cast<std::size_t>(result)] = true;
        }
        return BudgetColumns(plan);
    };
    const TPlanBudget forty{40, TBudgetUnit::Columns, TBudgetGoal::Chance};
    const TPlanBudget thirty{30, TBudgetUnit::Euros, TBudgetGoal::Chance};
    EXPECT_EQ(columnsFor(std::nullopt, 0.75, 0), 0u);
    EXPECT_EQ(columnsFor(forty, 0.75, 0), 40u);
    EXPECT_EQ(columnsFor(forty, 0, 2), 40u);
    EXPECT_EQ(columnsFor(thirty, 0.75, 0), 40u);
    EXPECT_EQ(columnsFor(thirty, 0.75, 2), 20u);
    EXPECT_EQ(columnsFor(thirty, 0.7, 0), 42u);
    EXPECT_EQ(columnsFor(TPlanBudget{0.74, TBudgetUnit::Euros, TBudgetGoal::Chance}, 0.75, 0), 0u);
    EXPECT_EQ(columnsFor(thirty, 0, 0), 0u);

    const TPlanReduction reduction = BudgetReduction(KeysOf({"11111111111111"}), WinningsReport());
    EXPECT_EQ(reduction.Report.Final, 1u);
    EXPECT_EQ(reduction.Report.Spent, std::chrono::milliseconds(2500));
    EXPECT_EQ(reduction.Report.Reached, std::chrono::milliseconds(40));
    EXPECT_TRUE(reduction.Report.Stopped);
    EXPECT_EQ(reduction.Report.Greedy, 0u);
    EXPECT_EQ(reduction.Report.LowerBound, 0u);
    EXPECT_EQ(reduction.Budget, WinningsReport());
}

}  // namespace kelvo
