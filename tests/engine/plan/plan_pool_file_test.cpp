// The week's pool in the plan file: the public's percentages, the takings, the jackpot, the prize
// rules and the Pleno al 15 are written as format 2 has them and read back as they were; a plan of
// format 1 opens with their defaults; a value out of range is refused naming its field.
#include "plan/plan_file.h"

#include "test_support.h"

namespace kelvo {

namespace {

const std::string kData = KELVO_PLAN_DATA;

// The plan pool.kelvo was written from: every field of the week's pool away from its default.
TPlan PoolPlan() {
    TPlan plan;
    plan.Matches[0].Teams = "Betis - Sevilla";
    plan.Matches[0].Public = {62.5, 22.5, 15};
    plan.Matches[13].Public = {10, 20, 70};
    plan.Takings = 4123456.25;
    plan.Jackpot = 1500000;
    plan.Rules.SpecialShare = 10;
    plan.Rules.Shares = {20, 8, 6.5, 0, 100};
    plan.Pleno.Teams = "Atlético - Cádiz";
    for (const int result :
         {ParsePlenoResult("0-0"), ParsePlenoResult("1-M"), ParsePlenoResult("M-2")}) {
        plan.Pleno.Chosen[static_cast<std::size_t>(result)] = true;
    }
    plan.Pleno.Chances = {{{25, 40, 20, 15}, {35, 30, 20, 15}}};
    plan.Pleno.Public = {{{20, 45, 25, 10}, {0, 30, 100, 12.5}}};
    return plan;
}

std::string Replaced(std::string bytes, const std::string& from, const std::string& to) {
    const std::size_t at = bytes.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? bytes : bytes.replace(at, from.size(), to);
}

TPlanRefusal FieldRefusal(const std::string& field, int match = 0) {
    TPlanRefusal refusal;
    refusal.Fault = TPlanFault::BadField;
    refusal.Field = field;
    refusal.Match = match;
    return refusal;
}

}  // namespace

TEST(plan_pool_file, the_weeks_pool_is_written_in_these_bytes_and_read_back_as_it_was) {
    const std::string bytes = ReadBytes(kData + "/pool.kelvo");
    // Written back in format 3, which holds the pool as format 2 did.
    EXPECT_EQ(PlanBytes(PoolPlan()), Replaced(bytes, "\"version\": 2", "\"version\": 3"));
    EXPECT_EQ(ParsePlan(bytes), PoolPlan());
}

TEST(plan_pool_file, a_plan_of_format_1_opens_with_the_defaults_of_the_weeks_pool) {
    const TPlan plan = OpenPlan(kData + "/full.kelvo");
    const TPlan defaults;
    EXPECT_EQ(plan.Takings, kDefaultTakings);
    EXPECT_EQ(plan.Jackpot, 0);
    EXPECT_EQ(plan.Rules, defaults.Rules);
    EXPECT_EQ(plan.Pleno, defaults.Pleno);
    for (const TPlanMatch& match : plan.Matches) {
        EXPECT_EQ(match.Public, (std::array<double, 3>{50, 30, 20}));
    }
    // The pool's fields are part of format 2 only: a file of format 2 without them is damaged,
    // and one of format 1 that holds them is read as format 1 was.
    const std::string pool = ReadBytes(kData + "/pool.kelvo");
    EXPECT_THROW_MSG(ParsePlan(Replaced(pool, "\"takings\"", "\"recaudacion\"")), TPlanFileError,
                     "the field \"takings\" is missing or out of range");
    TPlan asFormat1 = ParsePlan(Replaced(pool, "\"version\": 2", "\"version\": 1"));
    EXPECT_EQ(asFormat1.Takings, kDefaultTakings);
    EXPECT_EQ(asFormat1.Pleno, defaults.Pleno);
    asFormat1.Matches[0].Public = PoolPlan().Matches[0].Public;
    asFormat1.Matches[13].Public = PoolPlan().Matches[13].Public;
    asFormat1.Takings = PoolPlan().Takings;
    asFormat1.Jackpot = PoolPlan().Jackpot;
    asFormat1.Rules = PoolPlan().Rules;
    asFormat1.Pleno = PoolPlan().Pleno;
    EXPECT_EQ(asFormat1, PoolPlan());
}

TEST(plan_pool_file, a_value_of_the_weeks_pool_out_of_range_is_refused_naming_its_field) {
    const std::string valid = ReadBytes(kData + "/pool.kelvo");
    const std::string chosen = "\"chosen\": [\n            \"0-0\",";
    const std::vector<std::tuple<std::string, TPlanRefusal, std::string>> cases = {
        {Replaced(valid, "62.5,", "100.5,"), FieldRefusal("public", 1),
         "the field \"public\" of match 1 is missing or out of range"},
        {Replaced(valid, "62.5,", "-1,"), FieldRefusal("public", 1),
         "the field \"public\" of match 1 is missing or out of range"},
        {Replaced(valid, "                10,\n                20,\n", "                10,\n"),
         FieldRefusal("public", 14), "the field \"public\" of match 14 is missing or out of range"},
        {Replaced(valid, "\"takings\": 4123456.25", "\"takings\": 10000000000.5"),
         FieldRefusal("takings"), "the field \"takings\" is missing or out of range"},
        {Replaced(valid, "\"takings\": 4123456.25", "\"takings\": -0.25"), FieldRefusal("takings"),
         "the field \"takings\" is missing or out of range"},
        {Replaced(valid, "\"jackpot\": 1500000", "\"jackpot\": \"1500000\""),
         FieldRefusal("jackpot"), "the field \"jackpot\" is missing or out of range"},
        {Replaced(valid, "\"jackpot\": 1500000", "\"jackpot\": 10000000001"),
         FieldRefusal("jackpot"), "the field \"jackpot\" is missing or out of range"},
        {Replaced(valid, "\"prizeRules\": {", "\"prizeRules\": [], \"x\": {"),
         FieldRefusal("prizeRules"), "the field \"prizeRules\" is missing or out of range"},
        {Replaced(valid, "\"specialShare\": 10", "\"specialShare\": 100.5"),
         FieldRefusal("prizeRules.specialShare"),
         "the field \"prizeRules.specialShare\" is missing or out of range"},
        {Replaced(valid, "            100\n        ]",
                  "            100,\n            1\n        ]"),
         FieldRefusal("prizeRules.shares"),
         "the field \"prizeRules.shares\" is missing or out of range"},
        {Replaced(valid, "            6.5,\n", "            -6.5,\n"),
         FieldRefusal("prizeRules.shares"),
         "the field \"prizeRules.shares\" is missing or out of range"},
        {Replaced(valid, "\"pleno\"", "\"pleno15\""), FieldRefusal("pleno"),
         "the field \"pleno\" is missing or out of range"},
        {Replaced(valid, "\"teams\": \"Atlético - Cádiz\"", "\"teams\": 15"),
         FieldRefusal("pleno.teams"), "the field \"pleno.teams\" is missing or out of range"},
        {Replaced(valid, chosen, "\"chosen\": [\n            \"0-3\","),
         FieldRefusal("pleno.chosen"), "the field \"pleno.chosen\" is missing or out of range"},
        {Replaced(valid, chosen, "\"chosen\": [\n            \"M-2\","),
         FieldRefusal("pleno.chosen"), "the field \"pleno.chosen\" is missing or out of range"},
        {Replaced(valid, chosen, "\"chosen\": [\n            0,"), FieldRefusal("pleno.chosen"),
         "the field \"pleno.chosen\" is missing or out of range"},
        {Replaced(valid, "                25,\n                40,", "                25,"),
         FieldRefusal("pleno.chances.home"),
         "the field \"pleno.chances.home\" is missing or out of range"},
        {Replaced(valid, "                100,\n", "                100.1,\n"),
         FieldRefusal("pleno.public.away"),
         "the field \"pleno.public.away\" is missing or out of range"},
        {Replaced(valid, "\"public\": {", "\"public\": 1, \"x\": {"), FieldRefusal("pleno.public"),
         "the field \"pleno.public\" is missing or out of range"},
    };
    for (const auto& [bytes, refusal, sentence] : cases) {
        try {
            ParsePlan(bytes);
            ADD_FAILURE() << "read: " << sentence;
        } catch (const TPlanFileError& error) {
            EXPECT_TRUE(error.Refusal() == refusal) << sentence;
            EXPECT_EQ(std::string(error.what()), sentence);
        }
    }
}

TEST(plan_pool_file, values_of_the_weeks_pool_at_their_limits_are_read_back_as_they_were) {
    TPlan plan = PoolPlan();
    plan.Takings = kMostTakings;
    plan.Jackpot = 0;
    plan.Rules.SpecialShare = 100;
    plan.Pleno.Chosen.fill(true);
    plan.Pleno.Chances = {{{0, 100, 0, 0}, {100, 0, 0, 0}}};
    plan.Matches[5].Public = {0, 100, 0};
    EXPECT_EQ(ParsePlan(PlanBytes(plan)), plan);
    // The results chosen are read in any order, and written in the order of their goals.
    const std::string shuffled =
        Replaced(ReadBytes(kData + "/pool.kelvo"), "\"0-0\",\n            \"1-M\"",
                 "\"1-M\",\n            \"0-0\"");
    EXPECT_EQ(ParsePlan(shuffled), PoolPlan());
}

}  // namespace kelvo
