// The plan file: every file the planner has written opens to the plan it was written from and is
// written back byte for byte; a file that is no plan is refused with its reason as data.
#include "plan/plan_file.h"

#include <cerrno>
#include <cstring>

#include "core/engine_error.h"
#include "test_support.h"

namespace kelvo {

namespace {

const std::string kData = KELVO_PLAN_DATA;

TCondition Condition(TConditionKind kind, char sign, int least, int most) {
    TCondition condition;
    condition.Kind = kind;
    condition.Sign = sign;
    condition.Least = least;
    condition.Most = most;
    return condition;
}

TCondition Group(char sign, int first, int last, int least, int most) {
    TCondition condition = Condition(TConditionKind::Group, sign, least, most);
    condition.First = first;
    condition.Last = last;
    return condition;
}

TCondition Base(std::string_view column, int least, int most) {
    TCondition condition = Condition(TConditionKind::Base, 0, least, most);
    std::copy(column.begin(), column.end(), condition.Base.begin());
    return condition;
}

TPlanReduction Reduction(const std::vector<std::string>& columns, std::size_t greedy,
                         std::size_t lowerBound, int spentMs, int reachedMs) {
    TPlanReduction reduction;
    reduction.Columns = KeysOf(columns);
    reduction.Report.Greedy = greedy;
    reduction.Report.Final = columns.size();
    reduction.Report.LowerBound = lowerBound;
    reduction.Report.Spent = std::chrono::milliseconds(spentMs);
    reduction.Report.Reached = std::chrono::milliseconds(reachedMs);
    return reduction;
}

// The plans the fixtures were written from by the planner's own writer, one each.
TPlan FullPlan() {
    TPlan plan;
    plan.Matches[0].Teams = "Betis - Sevilla";
    plan.Matches[0].Played = {true, true, false};
    plan.Matches[1].Played = {false, false, true};
    plan.Matches[4].Chances = {60, 25.5, 14.5};
    plan.Conditions = {Condition(TConditionKind::Signs, 'X', 0, 4), Group('1', 0, 3, 1, 4)};
    plan.ChancesShown = true;
    plan.Price = 1.5;
    plan.Guarantee = 12;
    plan.BudgetSeconds = 45;
    plan.Result = "12X";
    plan.Reduction = Reduction({"12111111111111", "X2111111111111"}, 3, 1, 1500, 20);
    plan.Reduction->Report.Stopped = true;
    plan.Reduction->Report.BoundPublished = true;
    return plan;
}

TPlan EveryCondition() {
    TPlan plan;
    for (int match = 4; match < kColumnLength; ++match) {
        plan.Matches[match].Played = {true, false, false};
    }
    plan.Matches[2].Played = {false, true, true};
    plan.Matches[5].Played = {true, true, false};
    plan.Matches[6].Played = {false, false, true};
    plan.Conditions = {Condition(TConditionKind::Signs, 'X', 0, 4),
                       Condition(TConditionKind::Variants, 0, 2, 6),
                       Condition(TConditionKind::Breaks, 0, 3, 9),
                       Condition(TConditionKind::Run, '1', 0, 8),
                       Condition(TConditionKind::Run, 0, 1, 9),
                       Group('X', 0, 3, 1, 2),
                       Base("1X21X1121X2112", 3, 9)};
    plan.Guarantee = 11;
    plan.Reduction =
        Reduction({"112X1121111111", "112X1X21111111", "11X11121111111"}, 5, 2, 30000, 1234);
    plan.Result = "1X21X1121X2112";
    return plan;
}

TPlan Anywhere() {
    TPlan plan = FullPlan();
    plan.Anywhere = true;
    plan.ChancesShown = false;
    plan.Price = 2;
    plan.Reduction =
        Reduction({"22222222222222", "12111111111111", "XXXXXXXXXXXXXX"}, 4, 1, 1500, 20);
    plan.Reduction->Report.SmallestPossible = true;
    plan.Result.clear();
    return plan;
}

TPlan NonAscii() {
    TPlan plan;
    plan.Matches[0].Teams = "Logroñés - Málaga";
    plan.Matches[1].Teams = "€uro FC - Cádiz";
    plan.Matches[2].Teams = "Atlético \"Osasuna\" \\ Alavés/Éibar";
    plan.Matches[3].Teams = "Tab\there ⚽ 𝄞 ü ß";
    plan.Matches[4].Teams = "Del\x7f and \x01 ctrl";
    plan.Matches[13].Teams = "Último - Ñandú";
    return plan;
}

TPlan Decimals() {
    TPlan plan;
    plan.Matches[0].Chances = {33.3, 33.3, 33.4};
    plan.Matches[1].Chances = {25.5, 49.5, 25};
    plan.Matches[2].Chances = {0.1, 99.9, 0};
    plan.Matches[3].Chances = {12.345, 45.655, 42};
    plan.Matches[4].Chances = {100, 0, 0};
    plan.Matches[5].Chances = {0.1 + 0.2, 1.0 / 3.0, 99.0 - 0.1 - 0.2 - 1.0 / 3.0};
    plan.ChancesShown = true;
    plan.Price = 0.75;
    return plan;
}

TPlan Limits() {
    TPlan plan = FullPlan();
    plan.Price = kMostPrice;
    plan.BudgetSeconds = kMostBudgetSeconds;
    plan.Guarantee = 11;
    plan.Reduction->Report.Spent = std::chrono::milliseconds(3600000);
    plan.Reduction->Report.Reached = std::chrono::milliseconds(3599999);
    plan.Reduction->Report.Greedy = 1000000;
    plan.Reduction->Report.LowerBound = 0;
    return plan;
}

// A file of the planner before a reduction knew its kind of bound, and before the optimiser
// could choose outside the development.
TPlan WithoutOptionalFields() {
    TPlan plan = FullPlan();
    plan.Reduction->Report.BoundPublished = false;
    return plan;
}

struct TFixture {
    std::string Name;
    TPlan Plan;
};

std::vector<TFixture> Fixtures() {
    return {{"default.kelvo", TPlan()},
            {"full.kelvo", FullPlan()},
            {"every_condition.kelvo", EveryCondition()},
            {"anywhere.kelvo", Anywhere()},
            {"non_ascii.kelvo", NonAscii()},
            {"decimals.kelvo", Decimals()},
            {"limits.kelvo", Limits()},
            {"without_optional_fields.kelvo", WithoutOptionalFields()}};
}

void ExpectSamePlan(const TPlan& read, const TPlan& expected, const std::string& name) {
    SCOPED_TRACE(name);
    for (std::size_t match = 0; match < read.Matches.size(); ++match) {
        EXPECT_EQ(read.Matches[match].Teams, expected.Matches[match].Teams) << match;
        EXPECT_EQ(read.Matches[match].Played, expected.Matches[match].Played) << match;
        EXPECT_EQ(read.Matches[match].Chances, expected.Matches[match].Chances) << match;
    }
    EXPECT_EQ(read.Conditions, expected.Conditions);
    EXPECT_EQ(read.ChancesShown, expected.ChancesShown);
    EXPECT_EQ(read.Price, expected.Price);
    EXPECT_EQ(read.Guarantee, expected.Guarantee);
    EXPECT_EQ(read.BudgetSeconds, expected.BudgetSeconds);
    EXPECT_EQ(read.Anywhere, expected.Anywhere);
    EXPECT_EQ(read.Result, expected.Result);
    ASSERT_EQ(read.Reduction.has_value(), expected.Reduction.has_value());
    if (read.Reduction) {
        EXPECT_EQ(read.Reduction->Columns, expected.Reduction->Columns);
        const TReductionReport& report = read.Reduction->Report;
        const TReductionReport& wanted = expected.Reduction->Report;
        EXPECT_EQ(report.Greedy, wanted.Greedy);
        EXPECT_EQ(report.Final, wanted.Final);
        EXPECT_EQ(report.LowerBound, wanted.LowerBound);
        EXPECT_EQ(report.BoundPublished, wanted.BoundPublished);
        EXPECT_EQ(report.SmallestPossible, wanted.SmallestPossible);
        EXPECT_EQ(report.Spent, wanted.Spent);
        EXPECT_EQ(report.Reached, wanted.Reached);
        EXPECT_EQ(report.Stopped, wanted.Stopped);
    }
    EXPECT_TRUE(read == expected);
}

std::string Replaced(std::string bytes, const std::string& from, const std::string& to) {
    const std::size_t at = bytes.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? bytes : bytes.replace(at, from.size(), to);
}

std::string ReplacedAll(std::string bytes, const std::string& from, const std::string& to) {
    for (std::size_t at = bytes.find(from); at != std::string::npos;
         at = bytes.find(from, at + to.size())) {
        bytes.replace(at, from.size(), to);
    }
    return bytes;
}

// The week's pool of a plan of format 1 as format 2 writes it: the defaults it is read with.
constexpr std::string_view kDefaultPleno = R"(    "pleno": {
        "chances": {
            "away": [
                40,
                35,
                15,
                10
            ],
            "home": [
                30,
                35,
                20,
                15
            ]
        },
        "chosen": [
        ],
        "public": {
            "away": [
                40,
                35,
                15,
                10
            ],
            "home": [
                30,
                35,
                20,
                15
            ]
        },
        "teams": ""
    },
)";
constexpr std::string_view kDefaultPrizeRules = R"(    "prizeRules": {
        "shares": [
            16,
            7.5,
            7.5,
            7.5,
            9
        ],
        "specialShare": 7.5
    },
)";
constexpr std::string_view kDefaultPublic = R"(            "public": [
                50,
                30,
                20
            ],
)";

// The bytes of a plan file of format 1 as they are written back: in format 3, with the week's
// pool format 2 added, everything else as it was.
std::string InFormat3(const std::string& bytes) {
    std::string written =
        ReplacedAll(bytes, "            ],\n            \"signs\"",
                    "            ],\n" + std::string(kDefaultPublic) + "            \"signs\"");
    written = Replaced(written, "    \"matches\"", "    \"jackpot\": 0,\n    \"matches\"");
    written = Replaced(written, "    \"price\"", std::string(kDefaultPleno) + "    \"price\"");
    written = Replaced(written, "\n    \"re", "\n" + std::string(kDefaultPrizeRules) + "    \"re");
    return Replaced(written, "    \"version\": 1", "    \"takings\": 2500000,\n    \"version\": 3");
}

TPlanRefusal Refusal(TPlanFault fault) {
    TPlanRefusal refusal;
    refusal.Fault = fault;
    return refusal;
}

TPlanRefusal FieldRefusal(const std::string& field, int match = 0) {
    TPlanRefusal refusal = Refusal(TPlanFault::BadField);
    refusal.Field = field;
    refusal.Match = match;
    return refusal;
}

TPlanRefusal ConditionRefusal(int index, TConditionFault fault, const TCondition& condition) {
    TPlanRefusal refusal = Refusal(TPlanFault::BadCondition);
    refusal.Index = index;
    refusal.ConditionFault = fault;
    refusal.Condition = condition;
    return refusal;
}

TPlanRefusal ColumnRefusal(int index, const std::string& column) {
    TPlanRefusal refusal = Refusal(TPlanFault::ForeignColumn);
    refusal.Index = index;
    refusal.Column = column;
    return refusal;
}

std::string ConditionJson(const std::string& kind, const std::string& sign, int first, int last,
                          const std::string& base, int least, int most) {
    return "{\"kind\": \"" + kind + "\", \"sign\": \"" + sign +
           "\", \"first\": " + std::to_string(first) + ", \"last\": " + std::to_string(last) +
           ", \"base\": \"" + base + "\", \"least\": " + std::to_string(least) +
           ", \"most\": " + std::to_string(most) + "}";
}

}  // namespace

TEST(plan_file, every_plan_file_of_the_planner_opens_to_the_plan_it_was_written_from) {
    for (const TFixture& fixture : Fixtures()) {
        ExpectSamePlan(OpenPlan(kData + "/" + fixture.Name), fixture.Plan, fixture.Name);
    }
}

TEST(plan_file, saving_an_opened_plan_writes_the_bytes_it_was_read_from_in_format_3) {
    for (const TFixture& fixture : Fixtures()) {
        const std::string bytes = ReadBytes(kData + "/" + fixture.Name);
        EXPECT_EQ(PlanBytes(fixture.Plan), PlanBytes(ParsePlan(bytes))) << fixture.Name;
        if (fixture.Name != "without_optional_fields.kelvo") {
            EXPECT_EQ(PlanBytes(fixture.Plan), InFormat3(bytes)) << fixture.Name;
            // Written again in format 3, the plan is read back and written in the same bytes.
            EXPECT_EQ(PlanBytes(ParsePlan(InFormat3(bytes))), InFormat3(bytes)) << fixture.Name;
        }
    }
    // The fields an older file lacks are written with the values it was read as.
    EXPECT_EQ(PlanBytes(WithoutOptionalFields()),
              InFormat3(Replaced(ReadBytes(kData + "/full.kelvo"), "\"boundPublished\": true",
                                 "\"boundPublished\": false")));
}

TEST(plan_file, numbers_are_written_as_the_planner_always_wrote_them) {
    // What Qt's writer gave for each chance: whole numbers as integers, others in their shortest
    // digits, in exponent form only where that is shorter.
    const std::vector<std::pair<double, std::string>> cases = {{50, "50"},
                                                               {25.5, "25.5"},
                                                               {0.75, "0.75"},
                                                               {0.001, "0.001"},
                                                               {0.0001, "1e-04"},
                                                               {1e-05, "1e-05"},
                                                               {0.0005, "5e-04"},
                                                               {1.5e-07, "1.5e-07"},
                                                               {0.00015, "0.00015"},
                                                               {-0.0, "0"},
                                                               {0.1 + 0.2, "0.30000000000000004"},
                                                               {5e-324, "5e-324"},
                                                               {33.3, "33.3"},
                                                               {100, "100"}};
    for (const auto& [chance, text] : cases) {
        TPlan plan;
        plan.Matches[0].Chances[0] = chance;
        const std::string bytes = PlanBytes(plan);
        EXPECT_NE(bytes.find("\"chances\": [\n                " + text + ",\n"), std::string::npos)
            << text;
        EXPECT_EQ(ParsePlan(bytes), plan) << text;
    }
    // The price, beyond the chances' range: Qt's writer on the same doubles.
    const std::vector<std::pair<double, std::string>> prices = {
        {1000, "1000"},
        {1e6, "1000000"},
        {1e15, "1000000000000000"},
        {1e16, "1e+16"},
        {12345678901234567890.0, "12345678901234567000"},
        {1.25e22, "1.25e+22"},
        {1.7976931348623157e308, "1.7976931348623157e+308"},
        {-1.5, "-1.5"},
        {123456.5, "123456.5"}};
    for (const auto& [price, text] : prices) {
        TPlan plan;
        plan.Price = price;
        EXPECT_NE(PlanBytes(plan).find("\n    \"price\": " + text + ",\n"), std::string::npos)
            << text;
    }
}

TEST(plan_file, files_that_are_no_plan_are_refused_with_the_reason) {
    const std::string valid = ReadBytes(kData + "/full.kelvo");
    const std::string noConditions = ReadBytes(kData + "/default.kelvo");
    const auto withCondition = [&](const std::string& condition) {
        return Replaced(noConditions, "\"conditions\": [\n    ]",
                        "\"conditions\": [" + condition + "]");
    };
    const std::vector<std::tuple<std::string, TPlanRefusal, std::string>> cases = {
        {"", Refusal(TPlanFault::Empty), "the file is empty"},
        {" \r\n\t\n", Refusal(TPlanFault::Empty), "the file is empty"},
        {"11111111111111\r\n", Refusal(TPlanFault::NotJson), "the file is damaged: it is not JSON"},
        {valid.substr(0, valid.size() / 2), Refusal(TPlanFault::NotJson),
         "the file is damaged: it is not JSON"},
        {valid + "}", Refusal(TPlanFault::NotJson), "the file is damaged: it is not JSON"},
        {Replaced(valid, "Betis", "Be\xfftis"), Refusal(TPlanFault::NotJson),
         "the file is damaged: it is not JSON"},
        {"[1, 2]", Refusal(TPlanFault::NotPlan), "the file is not a Kelvo plan"},
        {"{\"format\": \"otra cosa\"}", Refusal(TPlanFault::NotPlan),
         "the file is not a Kelvo plan"},
        {Replaced(valid, "\"format\": \"kelvo-plan\"", "\"format\": 1"),
         Refusal(TPlanFault::NotPlan), "the file is not a Kelvo plan"},
        {Replaced(valid, "\"version\": 1", "\"version\": \"uno\""),
         Refusal(TPlanFault::UnknownVersion), "the plan's format version is unknown"},
        {Replaced(valid, "\"version\": 1", "\"version\": 1.5"), Refusal(TPlanFault::UnknownVersion),
         "the plan's format version is unknown"},
        {Replaced(valid, "\"version\": 1", "\"version\": 0"), Refusal(TPlanFault::UnknownVersion),
         "the plan's format version is unknown"},
        {Replaced(valid, "\"version\": 1", "\"version\": 1e300"),
         Refusal(TPlanFault::UnknownVersion), "the plan's format version is unknown"},
        {Replaced(valid, "\"version\": 1", "\"version\": 4"),
         [] {
             TPlanRefusal refusal = Refusal(TPlanFault::NewerVersion);
             refusal.Version = 4;
             return refusal;
         }(),
         "the plan comes from a newer program (format 4); this one opens formats up to 3"},
        {Replaced(valid, "\"price\"", "\"precio\""), FieldRefusal("price"),
         "the field \"price\" is missing or out of range"},
        {Replaced(valid, "\"price\": 1.5", "\"price\": 1000.01"), FieldRefusal("price"),
         "the field \"price\" is missing or out of range"},
        {Replaced(valid, "\"price\": 1.5", "\"price\": -0.5"), FieldRefusal("price"),
         "the field \"price\" is missing or out of range"},
        // A number beyond the doubles is no JSON number, as it was not for the planner.
        {Replaced(valid, "\"price\": 1.5", "\"price\": 1e400"), Refusal(TPlanFault::NotJson),
         "the file is damaged: it is not JSON"},
        {"\"kelvo-plan\"", Refusal(TPlanFault::NotJson), "the file is damaged: it is not JSON"},
        {Replaced(valid, "\"price\": 1.5", "\"price\": \"1.5\""), FieldRefusal("price"),
         "the field \"price\" is missing or out of range"},
        {Replaced(valid, "\"budgetSeconds\": 45", "\"budgetSeconds\": 3601"),
         FieldRefusal("budgetSeconds"), "the field \"budgetSeconds\" is missing or out of range"},
        {Replaced(valid, "\"budgetSeconds\": 45", "\"budgetSeconds\": 4.5"),
         FieldRefusal("budgetSeconds"), "the field \"budgetSeconds\" is missing or out of range"},
        {Replaced(valid, "\"guarantee\": 12", "\"guarantee\": 14"), FieldRefusal("guarantee"),
         "the field \"guarantee\" is missing or out of range"},
        {Replaced(valid, "\"chancesShown\": true", "\"chancesShown\": 1"),
         FieldRefusal("chancesShown"), "the field \"chancesShown\" is missing or out of range"},
        {Replaced(valid, "\"anywhere\": false", "\"anywhere\": null"), FieldRefusal("anywhere"),
         "the field \"anywhere\" is missing or out of range"},
        {Replaced(valid, "\"result\": \"12X\"", "\"result\": \"12X12X12X12X12X\""),
         FieldRefusal("result"), "the field \"result\" is missing or out of range"},
        {Replaced(valid, "\"matches\"", "\"partidos\""), FieldRefusal("matches"),
         "the field \"matches\" is missing or out of range"},
        {Replaced(valid, "\"signs\": \"1X\"", "\"signs\": \"1X1\""), FieldRefusal("signs", 1),
         "the field \"signs\" of match 1 is missing or out of range"},
        {Replaced(valid, "\"signs\": \"2\"", "\"signs\": \"Y\""), FieldRefusal("signs", 2),
         "the field \"signs\" of match 2 is missing or out of range"},
        {Replaced(valid, "\"signs\": \"2\"", "\"signs\": \"\""), FieldRefusal("signs", 2),
         "the field \"signs\" of match 2 is missing or out of range"},
        {Replaced(valid, "60,", "100.5,"), FieldRefusal("chances", 5),
         "the field \"chances\" of match 5 is missing or out of range"},
        {Replaced(valid, "60,\n                25.5,", "60,"), FieldRefusal("chances", 5),
         "the field \"chances\" of match 5 is missing or out of range"},
        {Replaced(valid, "\"teams\": \"Betis - Sevilla\"", "\"team\": \"Betis - Sevilla\""),
         FieldRefusal("teams", 1), "the field \"teams\" of match 1 is missing or out of range"},
        {Replaced(valid, "\"matches\": [\n        {", "\"matches\": [\n        3, {"),
         FieldRefusal("matches"), "the field \"matches\" is missing or out of range"},
        {withCondition(ConditionJson("otra", "X", 1, 14, "", 0, 4)), FieldRefusal("kind"),
         "the field \"kind\" is missing or out of range"},
        {withCondition(ConditionJson("signs", "XX", 1, 14, "", 0, 4)), FieldRefusal("sign"),
         "the field \"sign\" is missing or out of range"},
        {withCondition(ConditionJson("group", "X", 0, 4, "", 0, 4)), FieldRefusal("first"),
         "the field \"first\" is missing or out of range"},
        {withCondition(ConditionJson("base", "", 1, 14, "1X2", 0, 4)), FieldRefusal("base"),
         "the field \"base\" is missing or out of range"},
        {withCondition(ConditionJson("signs", "X", 1, 14, "", 0, 15)), FieldRefusal("most"),
         "the field \"most\" is missing or out of range"},
        {withCondition("[]"), FieldRefusal("conditions"),
         "the field \"conditions\" is missing or out of range"},
        {withCondition(ConditionJson("signs", "Y", 1, 14, "", 0, 4)),
         ConditionRefusal(1, TConditionFault::Sign, Condition(TConditionKind::Signs, 'Y', 0, 4)),
         "condition 1 cannot be met as written: its sign is not one its kind takes"},
        {withCondition(ConditionJson("run", "3", 1, 14, "", 0, 4)),
         ConditionRefusal(1, TConditionFault::Sign, Condition(TConditionKind::Run, '3', 0, 4)),
         "condition 1 cannot be met as written: its sign is not one its kind takes"},
        {withCondition(ConditionJson("signs", "1", 1, 14, "", 0, 4) + ", " +
                       ConditionJson("group", "X", 5, 2, "", 0, 1)),
         ConditionRefusal(2, TConditionFault::Backwards, Group('X', 4, 1, 0, 1)),
         "condition 2 cannot be met as written: its first match (5) comes after its last (2)"},
        {withCondition(ConditionJson("base", "", 1, 14, "1X21X1121X211Y", 0, 4)),
         ConditionRefusal(1, TConditionFault::Base, Base("1X21X1121X211Y", 0, 4)),
         "condition 1 cannot be met as written: its base column is not 14 signs 1, X and 2"},
        {withCondition(ConditionJson("breaks", "", 1, 14, "", 0, 14)),
         ConditionRefusal(1, TConditionFault::Bounds, Condition(TConditionKind::Breaks, 0, 0, 14)),
         "condition 1 cannot be met as written: its bounds are not within 0 to 13"},
        {withCondition(ConditionJson("group", "1", 1, 4, "", 0, 5)),
         ConditionRefusal(1, TConditionFault::Bounds, Group('1', 0, 3, 0, 5)),
         "condition 1 cannot be met as written: its bounds are not within 0 to 4"},
        {withCondition(ConditionJson("signs", "X", 1, 14, "", 5, 2)),
         ConditionRefusal(1, TConditionFault::LeastAboveMost,
                          Condition(TConditionKind::Signs, 'X', 5, 2)),
         "condition 1 cannot be met as written: its least (5) is above its most (2)"},
        {Replaced(valid, "\"X2111111111111\"", "\"X1111111111111\""),
         ColumnRefusal(2, "X1111111111111"),
         "reduced column 2 (X1111111111111) is not a column of the plan's development"},
        {Replaced(valid, "\"12111111111111\"", "\"1211111111111x\""),
         ColumnRefusal(1, "1211111111111x"),
         "reduced column 1 (1211111111111x) is not a column of the plan's development"},
        {Replaced(valid, "\"12111111111111\"", "\"1211111111111\""),
         ColumnRefusal(1, "1211111111111"),
         "reduced column 1 (1211111111111) is not a column of the plan's development"},
        {Replaced(Replaced(valid, "\"anywhere\": false", "\"anywhere\": true"),
                  "\"12111111111111\"", "\"121111111111112\""),
         ColumnRefusal(1, "121111111111112"),
         "reduced column 1 (121111111111112) is not a column of the plan's development"},
        {Replaced(valid, "\"12111111111111\"", "12"), FieldRefusal("columns"),
         "the field \"columns\" is missing or out of range"},
        {Replaced(valid, "\"final\": 2", "\"final\": 3"), FieldRefusal("final"),
         "the field \"final\" is missing or out of range"},
        {Replaced(valid, "\"greedy\": 3", "\"greedy\": 1125899906842625"), FieldRefusal("greedy"),
         "the field \"greedy\" is missing or out of range"},
        {Replaced(valid, "\"spentMs\": 1500", "\"spentMs\": 1099511627777"),
         FieldRefusal("spentMs"), "the field \"spentMs\" is missing or out of range"},
        {Replaced(valid, ",\n        \"stopped\": true", ""), FieldRefusal("stopped"),
         "the field \"stopped\" is missing or out of range"},
        {Replaced(valid, "\"boundPublished\": true", "\"boundPublished\": 1"),
         FieldRefusal("boundPublished"), "the field \"boundPublished\" is missing or out of range"},
        {Replaced(valid, "\"reduction\": {", "\"reduction\": [], \"x\": {"),
         FieldRefusal("reduction"), "the field \"reduction\" is missing or out of range"},
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

TEST(plan_file, values_at_the_limits_and_repeated_keys_are_read_as_the_planner_read_them) {
    const std::string valid = ReadBytes(kData + "/full.kelvo");
    // The last of a repeated key counts, as it did.
    EXPECT_EQ(ParsePlan(Replaced(valid, "\"price\": 1.5", "\"price\": 5000, \"price\": 1.5")),
              FullPlan());
    // A byte order mark and white space around the document are allowed.
    EXPECT_EQ(ParsePlan("\xef\xbb\xbf" + valid + "\n\n"), FullPlan());
    // A result is measured in the characters the player typed, not in bytes.
    TPlan accented = FullPlan();
    accented.Result = "ññññññññññññññ";
    EXPECT_EQ(ParsePlan(PlanBytes(accented)), accented);
    accented.Result += "ñ";
    EXPECT_THROW_MSG(ParsePlan(PlanBytes(accented)), TPlanFileError,
                     "the field \"result\" is missing or out of range");
    TPlan limits = Limits();
    limits.Price = 0;
    limits.BudgetSeconds = 0;
    limits.Matches[3].Chances = {0, 100, 0};
    EXPECT_EQ(ParsePlan(PlanBytes(limits)), limits);
}

TEST(plan_file, opening_names_the_file_and_changes_nothing) {
    TTempDir dir;
    const std::string path = dir / "plan.kelvo";
    const std::string damaged = Replaced(ReadBytes(kData + "/full.kelvo"), "\"price\": 1.5,", "");
    WriteBytes(path, damaged);
    EXPECT_THROW_MSG(OpenPlan(path), TPlanFileError,
                     path + ": the field \"price\" is missing or out of range");
    EXPECT_EQ(ReadBytes(path), damaged);
    EXPECT_THROW_MSG(OpenPlan(dir / "nope.kelvo"), TPlanFileError,
                     dir / "nope.kelvo" + ": the file cannot be read");
    try {
        OpenPlan(dir.Path().string());
        ADD_FAILURE() << "a folder was opened as a plan";
    } catch (const TPlanFileError& error) {
        EXPECT_TRUE(error.Refusal() == Refusal(TPlanFault::Unreadable));
    }
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"plan.kelvo"});
}

TEST(plan_file, a_failed_save_keeps_the_old_plan) {
    TTempDir dir;
    const std::string path = dir / "p.kelvo";
    WriteBytes(path, "old plan");
    TFileCalls full;
    full.Write = [](int, const void*, std::size_t) -> ssize_t {
        errno = ENOSPC;
        return -1;
    };
    EXPECT_THROW(SavePlan(FullPlan(), path, full), TEngineError);
    EXPECT_EQ(ReadBytes(path), "old plan");
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"p.kelvo"});
    SavePlan(FullPlan(), path);
    EXPECT_EQ(ReadBytes(path), InFormat3(ReadBytes(kData + "/full.kelvo")));
    EXPECT_EQ(OpenPlan(path), FullPlan());
}

TEST(plan_file,
     a_column_belongs_to_the_plan_when_its_signs_are_played_and_it_meets_the_conditions) {
    const TPlan plan = FullPlan();
    EXPECT_EQ(ForecastOf(plan)[0], "1X");
    EXPECT_EQ(ForecastOf(plan)[1], "2");
    EXPECT_EQ(ForecastOf(plan)[2], "12X");
    const std::vector<std::pair<std::string, bool>> cases = {
        {"12111111111111", true},  {"X2111111111111", true},  {"22111111111111", false},
        {"11111111111111", false}, {"X2XXXX11111111", false}, {"X2XX1111111111", false},
        {"2211111111111", false},  {"12111111111112", true},  {"1211111111111x", false},
        {"X2X11111111111", true}};
    for (const auto& [column, belongs] : cases) {
        EXPECT_EQ(IsColumnOfPlan(plan, MakeKey(column)), belongs) << column;
    }
}

}  // namespace kelvo
