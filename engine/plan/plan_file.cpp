#include "plan/plan_file.h"

// A library reads the JSON rather than a parser of our own: a plan file comes from anywhere (a
// mail, a stick, another program), and nlohmann's parser already refuses what JSON does not
// allow (bad UTF-8, bad escapes, trailing bytes, numbers JSON cannot hold) and is fuzzed by its
// authors. The writer stays ours: the bytes must be the very ones the planner has always written
// (Qt's indented JSON), which no library's writer gives.
#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <utility>
#include <vector>

#include "modes/condition_kinds.h"

namespace kelvo {

namespace {

using TJson = nlohmann::json;

constexpr std::string_view kFormatName = "kelvo-plan";

[[noreturn]] void Refuse(const TPlanRefusal& refusal) {
    throw TPlanFileError(std::string(), refusal);
}

[[noreturn]] void RefuseField(std::string_view field, int match = 0) {
    TPlanRefusal refusal;
    refusal.Fault = TPlanFault::BadField;
    refusal.Field = field;
    refusal.Match = match;
    Refuse(refusal);
}

// ---- Writing, as Qt's QJsonDocument::Indented does.

// Qt holds a whole number up to 2^53 as an integer and writes its digits.
constexpr double kMostWholeDouble = 9007199254740992.0;

// The number of decimal digits of `value`.
int DigitCount(int value) {
    int digits = 1;
    for (; value >= 10; value /= 10) {
        ++digits;
    }
    return digits;
}

// `value` as Qt writes a double: a whole number up to 2^53 as an integer; any other in its
// shortest round-trip digits, in decimal form unless the exponent form ("1e-05", "1.5e+22", at
// least two exponent digits) is shorter.
void AppendDouble(std::string& out, double value) {
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    if (std::abs(value) <= kMostWholeDouble && std::floor(value) == value) {
        out += std::to_string(static_cast<std::int64_t>(value));
        return;
    }
    std::array<char, 32> text{};
    const auto written = std::to_chars(text.data(), text.data() + text.size(), std::abs(value),
                                       std::chars_format::scientific);
    const std::string_view scientific(text.data(),
                                      static_cast<std::size_t>(written.ptr - text.data()));
    const std::size_t e = scientific.find('e');
    std::string digits;
    for (const char c : scientific.substr(0, e)) {
        if (c != '.') {
            digits += c;
        }
    }
    int exponent = 0;
    std::from_chars(scientific.data() + e + 1 + (scientific[e + 1] == '+' ? 1 : 0),
                    scientific.data() + scientific.size(), exponent);
    const int count = static_cast<int>(digits.size());
    const int point = exponent + 1;
    const int exponentLength =
        count + (count > 1 ? 1 : 0) + 2 + std::max(2, DigitCount(std::abs(exponent)));
    const int decimalLength = point <= 0 ? 2 - point + count : point >= count ? point : count + 1;
    if (value < 0) {
        out += '-';
    }
    if (decimalLength <= exponentLength) {
        if (point <= 0) {
            out += "0.";
            out.append(static_cast<std::size_t>(-point), '0');
            out += digits;
        } else if (point >= count) {
            out += digits;
            out.append(static_cast<std::size_t>(point - count), '0');
        } else {
            out.append(digits, 0, static_cast<std::size_t>(point));
            out += '.';
            out.append(digits, static_cast<std::size_t>(point));
        }
        return;
    }
    out += digits[0];
    if (count > 1) {
        out += '.';
        out.append(digits, 1);
    }
    out += exponent < 0 ? "e-" : "e+";
    if (std::abs(exponent) < 10) {
        out += '0';
    }
    out += std::to_string(std::abs(exponent));
}

// `text` quoted, escaped as Qt escapes: the quote, the backslash and the control characters;
// everything else, UTF-8 included, as it is.
void AppendString(std::string& out, std::string_view text) {
    constexpr std::string_view kHex = "0123456789abcdef";
    out += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (byte < 0x20) {
                    out += "\\u00";
                    out += kHex[byte >> 4];
                    out += kHex[byte & 0xF];
                } else {
                    out += c;
                }
        }
    }
    out += '"';
}

// `value` at nesting `depth`: members and elements one a line, four spaces deeper than their
// brackets, an empty object or array still over two lines.
void AppendValue(std::string& out, const TJson& value, int depth) {
    const std::string inner(static_cast<std::size_t>(4 * (depth + 1)), ' ');
    const std::string outer(static_cast<std::size_t>(4 * depth), ' ');
    switch (value.type()) {
        case TJson::value_t::object: {
            out += "{\n";
            std::size_t left = value.size();
            for (const auto& [key, member] : value.items()) {
                out += inner;
                AppendString(out, key);
                out += ": ";
                AppendValue(out, member, depth + 1);
                out += --left > 0 ? ",\n" : "\n";
            }
            out += outer + "}";
            break;
        }
        case TJson::value_t::array: {
            out += "[\n";
            std::size_t left = value.size();
            for (const TJson& element : value) {
                out += inner;
                AppendValue(out, element, depth + 1);
                out += --left > 0 ? ",\n" : "\n";
            }
            out += outer + "]";
            break;
        }
        case TJson::value_t::string:
            AppendString(out, value.get_ref<const std::string&>());
            break;
        case TJson::value_t::boolean:
            out += value.get<bool>() ? "true" : "false";
            break;
        case TJson::value_t::number_integer:
            out += std::to_string(value.get<std::int64_t>());
            break;
        case TJson::value_t::number_unsigned:
            out += std::to_string(value.get<std::uint64_t>());
            break;
        case TJson::value_t::number_float:
            AppendDouble(out, value.get<double>());
            break;
        default:
            out += "null";
    }
}

TJson ConditionObject(const TCondition& condition) {
    TJson object = TJson::object();
    object["kind"] = ConditionKindName(condition.Kind);
    object["sign"] = condition.Sign == 0 ? std::string() : std::string(1, condition.Sign);
    object["first"] = condition.First + 1;
    object["last"] = condition.Last + 1;
    object["base"] = condition.Kind == TConditionKind::Base
                         ? std::string(condition.Base.data(), condition.Base.size())
                         : std::string();
    object["least"] = condition.Least;
    object["most"] = condition.Most;
    // Only the kinds that have one: the plans of the others keep the bytes they always had. The
    // chances and the public's percentages it weighs are the plan's own, in its matches.
    if (ConditionKindRule(condition.Kind).Threshold) {
        object["threshold"] = condition.Threshold;
    }
    return object;
}

// `numbers` as a JSON array.
template <std::size_t N>
TJson NumberArray(const std::array<double, N>& numbers) {
    TJson array = TJson::array();
    for (const double number : numbers) {
        array.push_back(number);
    }
    return array;
}

// The percentages of 0, 1, 2 and M goals, for the home team and the away team.
TJson PlenoPercentagesObject(const TPlenoPercentages& percentages) {
    return {{"home", NumberArray(percentages[0])}, {"away", NumberArray(percentages[1])}};
}

TJson PlenoObject(const TPleno& pleno) {
    TJson chosen = TJson::array();
    for (int result = 0; result < kPlenoResults; ++result) {
        if (pleno.Chosen[static_cast<std::size_t>(result)]) {
            chosen.push_back(PlenoResultText(result));
        }
    }
    return {{"teams", pleno.Teams},
            {"chosen", std::move(chosen)},
            {"chances", PlenoPercentagesObject(pleno.Chances)},
            {"public", PlenoPercentagesObject(pleno.Public)}};
}

// The words of the budget's unit and goal in the file, by their enums' order.
constexpr std::array<std::string_view, 2> kUnitNames = {"columns", "euros"};
constexpr std::array<std::string_view, 2> kGoalNames = {"chance", "winnings"};

TJson BudgetObject(const TPlanBudget& budget) {
    return {{"amount", budget.Amount},
            {"unit", kUnitNames[static_cast<std::size_t>(budget.Unit)]},
            {"goal", kGoalNames[static_cast<std::size_t>(budget.Goal)]}};
}

// What a reduction's own fields do not already say of a budget's choice: its Chosen is the
// reduction's "final", its times and stop the reduction's.
TJson BudgetChoiceObject(const TBudgetReport& report) {
    TJson object = {{"budget", static_cast<std::int64_t>(report.Budget)},
                    {"forecast", report.Forecast},
                    {"covered", report.Covered},
                    {"bound", report.Bound},
                    {"greedy", report.Greedy},
                    {"bestPossible", report.BestPossible}};
    if (report.Winnings) {
        object["winnings"] = {{"expected", report.Winnings->Expected},
                              {"cost", report.Winnings->Cost},
                              {"returnPerEuro", report.Winnings->ReturnPerEuro},
                              {"bound", report.Winnings->Bound},
                              {"greedy", report.Winnings->Greedy}};
    }
    return object;
}

std::int64_t Milliseconds(TClock::duration duration) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(duration).count();
}

// ---- Reading.

bool IsSign(char sign) {
    return sign == '1' || sign == 'X' || sign == '2';
}

// Whether `text` is 14 signs 1, X and 2: what a column chosen outside the development must be.
bool IsPoolColumn(std::string_view text) {
    return text.size() == kColumnLength && std::all_of(text.begin(), text.end(), IsSign);
}

// The length of the UTF-8 `text` in UTF-16 code units, as the planner has always measured the
// result: a character beyond the Basic Multilingual Plane (a four-byte sequence) counts twice.
std::size_t Utf16Length(std::string_view text) {
    std::size_t length = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        length += (byte & 0xC0) != 0x80 ? 1 : 0;
        length += byte >= 0xF0 ? 1 : 0;
    }
    return length;
}

// Reads the fields of one JSON object, refusing the first one missing or wrong; `match` (from 1)
// names the match whose fields these are, or is 0. The fields of an object within another, whose
// names alone would not say which they are, are named with the path to them ("pleno.teams").
class TFieldReader {
public:
    explicit TFieldReader(const TJson& object, int match = 0) : object_(object), match_(match) {}
    TFieldReader(const TJson& object, std::string path) : object_(object), path_(std::move(path)) {}

    bool Has(std::string_view field) const { return object_.contains(field); }
    const TJson& Field(std::string_view field) const {
        const auto found = object_.find(field);
        if (found == object_.end()) {
            Fail(field);
        }
        return *found;
    }
    const TJson& Object(std::string_view field) const { return Typed(field, &TJson::is_object); }
    const TJson& Array(std::string_view field) const { return Typed(field, &TJson::is_array); }
    const std::string& String(std::string_view field) const {
        return Typed(field, &TJson::is_string).get_ref<const std::string&>();
    }
    bool Bool(std::string_view field) const { return Typed(field, &TJson::is_boolean).get<bool>(); }
    // A number from `least` to `most`; never NaN, as JSON holds none.
    double Number(std::string_view field, double least, double most) const {
        const double number = Typed(field, &TJson::is_number).get<double>();
        if (!(number >= least && number <= most)) {
            Fail(field);
        }
        return number;
    }
    // An array of N numbers, each from `least` to `most`.
    template <std::size_t N>
    std::array<double, N> Numbers(std::string_view field, double least, double most) const {
        const TJson& array = Array(field);
        if (array.size() != N) {
            Fail(field);
        }
        std::array<double, N> numbers{};
        for (std::size_t at = 0; at < N; ++at) {
            if (!array[at].is_number() ||
                !(array[at].get<double>() >= least && array[at].get<double>() <= most)) {
                Fail(field);
            }
            numbers[at] = array[at].get<double>();
        }
        return numbers;
    }
    // The reader of the object `field`, its fields named with the path to them.
    TFieldReader Inner(std::string_view field) const {
        return TFieldReader(Object(field), path_ + std::string(field) + ".");
    }
    std::int64_t Integer(std::string_view field, std::int64_t least, std::int64_t most) const {
        const double number = Number(field, static_cast<double>(least), static_cast<double>(most));
        if (std::floor(number) != number) {
            Fail(field);
        }
        return static_cast<std::int64_t>(number);
    }
    [[noreturn]] void Fail(std::string_view field) const {
        RefuseField(path_ + std::string(field), match_);
    }

private:
    const TJson& Typed(std::string_view field, bool (TJson::*is)() const noexcept) const {
        const TJson& value = Field(field);
        if (!(value.*is)()) {
            Fail(field);
        }
        return value;
    }

    const TJson& object_;
    int match_ = 0;
    std::string path_;
};

// `hasPool`: whether the file is of a format that holds the public's percentages.
TPlanMatch ReadMatch(const TJson& object, int number, bool hasPool) {
    const TFieldReader reader(object, number);
    TPlanMatch match;
    match.Teams = reader.String("teams");
    const std::string& signs = reader.String("signs");
    for (std::size_t sign = 0; sign < kSignOfDigit.size(); ++sign) {
        match.Played[sign] = signs.find(kSignOfDigit[sign]) != std::string::npos;
    }
    if (signs.empty() || !std::all_of(signs.begin(), signs.end(), IsSign) ||
        signs.size() !=
            static_cast<std::size_t>(std::count(match.Played.begin(), match.Played.end(), true))) {
        reader.Fail("signs");
    }
    match.Chances = reader.Numbers<3>("chances", 0, kMostChance);
    if (hasPool) {
        match.Public = reader.Numbers<3>("public", 0, kMostChance);
    }
    return match;
}

TPrizeRules ReadPrizeRules(const TFieldReader& reader) {
    TPrizeRules rules;
    rules.SpecialShare = reader.Number("specialShare", 0, 100);
    rules.Shares = reader.Numbers<kPrizeCategories>("shares", 0, 100);
    return rules;
}

TPlenoPercentages ReadPlenoPercentages(const TFieldReader& reader) {
    return {reader.Numbers<kPlenoGoals>("home", 0, kMostChance),
            reader.Numbers<kPlenoGoals>("away", 0, kMostChance)};
}

TPleno ReadPleno(const TFieldReader& reader) {
    TPleno pleno;
    pleno.Teams = reader.String("teams");
    // A result is chosen or not: one listed twice is a damaged list, as a sign played twice is.
    for (const TJson& result : reader.Array("chosen")) {
        const int index =
            result.is_string() ? ParsePlenoResult(result.get_ref<const std::string&>()) : -1;
        if (index < 0 || pleno.Chosen[static_cast<std::size_t>(index)]) {
            reader.Fail("chosen");
        }
        pleno.Chosen[static_cast<std::size_t>(index)] = true;
    }
    pleno.Chances = ReadPlenoPercentages(reader.Inner("chances"));
    pleno.Public = ReadPlenoPercentages(reader.Inner("public"));
    return pleno;
}

TCondition ReadCondition(const TJson& object, int index) {
    const TFieldReader reader(object);
    TCondition condition;
    const std::optional<TConditionKind> kind = ConditionKindNamed(reader.String("kind"));
    if (!kind) {
        reader.Fail("kind");
    }
    condition.Kind = *kind;
    const std::string& sign = reader.String("sign");
    if (sign.size() > 1) {
        reader.Fail("sign");
    }
    condition.Sign = sign.empty() ? '\0' : sign[0];
    condition.First = static_cast<int>(reader.Integer("first", 1, kColumnLength)) - 1;
    condition.Last = static_cast<int>(reader.Integer("last", 1, kColumnLength)) - 1;
    const std::string& base = reader.String("base");
    if (condition.Kind == TConditionKind::Base) {
        if (base.size() != condition.Base.size()) {
            reader.Fail("base");
        }
        std::copy(base.begin(), base.end(), condition.Base.begin());
    }
    condition.Least = static_cast<int>(reader.Integer("least", 0, kColumnLength));
    condition.Most = static_cast<int>(reader.Integer("most", 0, kColumnLength));
    if (ConditionKindRule(condition.Kind).Threshold) {
        // Its range is the condition's own, judged below with the other faults.
        condition.Threshold = reader.Number("threshold", std::numeric_limits<double>::lowest(),
                                            std::numeric_limits<double>::max());
    }
    if (const std::optional<TConditionFault> fault = FindConditionFault(condition)) {
        TPlanRefusal refusal;
        refusal.Fault = TPlanFault::BadCondition;
        refusal.Index = index;
        refusal.ConditionFault = *fault;
        refusal.Condition = condition;
        Refuse(refusal);
    }
    return condition;
}

// The index of `name` in `names`, refusing the field `field` of `reader` when it is none.
template <std::size_t N>
std::size_t ReadName(const TFieldReader& reader, std::string_view field,
                     const std::array<std::string_view, N>& names) {
    const std::string& name = reader.String(field);
    const auto found = std::find(names.begin(), names.end(), name);
    if (found == names.end()) {
        reader.Fail(field);
    }
    return static_cast<std::size_t>(found - names.begin());
}

TPlanBudget ReadBudget(const TFieldReader& reader) {
    TPlanBudget budget;
    budget.Unit = static_cast<TBudgetUnit>(ReadName(reader, "unit", kUnitNames));
    budget.Goal = static_cast<TBudgetGoal>(ReadName(reader, "goal", kGoalNames));
    budget.Amount = budget.Unit == TBudgetUnit::Columns
                        ? static_cast<double>(reader.Integer(
                              "amount", 1, static_cast<std::int64_t>(kMostBudgetColumns)))
                        : reader.Number("amount", kLeastBudgetEuros, kMostBudgetEuros);
    return budget;
}

// The budget's choice of the reduction `reduction`, whose report has been read.
TBudgetReport ReadBudgetChoice(const TFieldReader& reader, const TPlanReduction& reduction) {
    constexpr double kMostEuros = std::numeric_limits<double>::max();
    TBudgetReport report;
    report.Budget = static_cast<std::size_t>(
        reader.Integer("budget", 1, static_cast<std::int64_t>(kMostBudgetColumns)));
    report.Chosen = reduction.Columns.size();
    if (report.Chosen > report.Budget) {
        reader.Fail("budget");
    }
    report.Forecast = reader.Number("forecast", 0, kMostChance);
    report.Covered = reader.Number("covered", 0, kMostChance);
    report.Bound = reader.Number("bound", 0, kMostChance);
    report.Greedy = reader.Number("greedy", 0, kMostChance);
    if (reader.Has("winnings")) {
        const TFieldReader winnings = reader.Inner("winnings");
        TBudgetWinnings& read = report.Winnings.emplace();
        read.Expected = winnings.Number("expected", 0, kMostEuros);
        read.Cost = winnings.Number("cost", 0, kMostEuros);
        read.ReturnPerEuro = winnings.Number("returnPerEuro", 0, kMostEuros);
        read.Bound = winnings.Number("bound", 0, kMostEuros);
        read.Greedy = winnings.Number("greedy", 0, kMostEuros);
    }
    report.BestPossible = reader.Bool("bestPossible");
    report.Spent = reduction.Report.Spent;
    report.Reached = reduction.Report.Reached;
    report.Stopped = reduction.Report.Stopped;
    return report;
}

// `hasBudget`: whether the file is of a format that holds a budget's choice.
TPlanReduction ReadReduction(const TJson& object, const TPlan& plan, bool hasBudget) {
    const TFieldReader reader(object);
    TPlanReduction reduction;
    const TJson& columns = reader.Array("columns");
    reduction.Columns.reserve(columns.size());
    for (std::size_t index = 0; index < columns.size(); ++index) {
        if (!columns[index].is_string()) {
            reader.Fail("columns");
        }
        const std::string& text = columns[index].get_ref<const std::string&>();
        const TKey key = MakeKey(text);
        const bool belongs = plan.Anywhere ? IsPoolColumn(text) : IsColumnOfPlan(plan, key);
        if (text.size() != kColumnLength || !belongs) {
            TPlanRefusal refusal;
            refusal.Fault = TPlanFault::ForeignColumn;
            refusal.Index = static_cast<int>(std::min<std::size_t>(index + 1, INT_MAX));
            refusal.Column = text;
            Refuse(refusal);
        }
        reduction.Columns.push_back(key);
    }
    TReductionReport& report = reduction.Report;
    report.Greedy = static_cast<std::size_t>(reader.Integer("greedy", 0, kMostReportCount));
    report.Final = static_cast<std::size_t>(reader.Integer("final", 0, kMostReportCount));
    report.LowerBound = static_cast<std::size_t>(reader.Integer("lowerBound", 0, kMostReportCount));
    report.Spent = std::chrono::milliseconds(reader.Integer("spentMs", 0, kMostReportMilliseconds));
    report.Reached =
        std::chrono::milliseconds(reader.Integer("reachedMs", 0, kMostReportMilliseconds));
    report.Stopped = reader.Bool("stopped");
    // Plans saved before the published bounds were known to the optimiser hold neither.
    report.BoundPublished = reader.Has("boundPublished") && reader.Bool("boundPublished");
    report.SmallestPossible = reader.Has("smallestPossible") && reader.Bool("smallestPossible");
    if (report.Final != reduction.Columns.size()) {
        reader.Fail("final");
    }
    if (hasBudget && reader.Has("budgetChoice")) {
        reduction.Budget = ReadBudgetChoice(reader.Inner("budgetChoice"), reduction);
    }
    return reduction;
}

bool IsBlank(std::string_view bytes) {
    return bytes.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// The format version of `document`, refusing a file that is no plan of a known version.
int CheckFormat(const TJson& document) {
    TPlanRefusal refusal;
    const auto format = document.is_object() ? document.find("format") : document.end();
    if (!document.is_object() || format == document.end() || !format->is_string() ||
        format->get_ref<const std::string&>() != kFormatName) {
        refusal.Fault = TPlanFault::NotPlan;
        Refuse(refusal);
    }
    const auto version = document.find("version");
    const double number =
        version != document.end() && version->is_number() ? version->get<double>() : 0;
    // A version beyond an int is none a program of this format could have written.
    if (!(number >= 1 && number <= INT_MAX) || std::floor(number) != number) {
        refusal.Fault = TPlanFault::UnknownVersion;
        Refuse(refusal);
    }
    if (number > kPlanFormatVersion) {
        refusal.Fault = TPlanFault::NewerVersion;
        refusal.Version = static_cast<int>(number);
        Refuse(refusal);
    }
    return static_cast<int>(number);
}

std::string ConditionFaultWords(const TPlanRefusal& refusal) {
    const TCondition& condition = refusal.Condition;
    switch (refusal.ConditionFault) {
        case TConditionFault::Sign:
            return "its sign is not one its kind takes";
        case TConditionFault::Matches:
            return "its matches are not within 1 to 14";
        case TConditionFault::Backwards:
            return "its first match (" + std::to_string(condition.First + 1) +
                   ") comes after its last (" + std::to_string(condition.Last + 1) + ")";
        case TConditionFault::Base:
            return "its base column is not 14 signs 1, X and 2";
        case TConditionFault::Threshold:
            return "its threshold is not above 0 and at most " +
                   std::to_string(static_cast<std::int64_t>(MostThreshold(condition)));
        case TConditionFault::Bounds:
            return "its bounds are not within 0 to " + std::to_string(MostBound(condition));
        case TConditionFault::LeastAboveMost:
            return "its least (" + std::to_string(condition.Least) + ") is above its most (" +
                   std::to_string(condition.Most) + ")";
    }
    return {};
}

}  // namespace

std::string PlanRefusalSentence(const TPlanRefusal& refusal) {
    switch (refusal.Fault) {
        case TPlanFault::Unreadable:
            return "the file cannot be read";
        case TPlanFault::Empty:
            return "the file is empty";
        case TPlanFault::NotJson:
            return "the file is damaged: it is not JSON";
        case TPlanFault::NotPlan:
            return "the file is not a Kelvo plan";
        case TPlanFault::UnknownVersion:
            return "the plan's format version is unknown";
        case TPlanFault::NewerVersion:
            return "the plan comes from a newer program (format " +
                   std::to_string(refusal.Version) + "); this one opens formats up to " +
                   std::to_string(kPlanFormatVersion);
        case TPlanFault::BadField:
            return "the field \"" + refusal.Field + "\"" +
                   (refusal.Match > 0 ? " of match " + std::to_string(refusal.Match) : "") +
                   " is missing or out of range";
        case TPlanFault::BadCondition:
            return "condition " + std::to_string(refusal.Index) +
                   " cannot be met as written: " + ConditionFaultWords(refusal);
        case TPlanFault::ForeignColumn:
            return "reduced column " + std::to_string(refusal.Index) + " (" + refusal.Column +
                   ") is not a column of the plan's development";
    }
    return {};
}

TPlanFileError::TPlanFileError(const std::string& name, const TPlanRefusal& refusal)
    : std::runtime_error((name.empty() ? std::string() : name + ": ") +
                         PlanRefusalSentence(refusal)),
      refusal_(refusal) {}

std::string PlanBytes(const TPlan& plan) {
    TJson root = TJson::object();
    root["format"] = kFormatName;
    root["version"] = kPlanFormatVersion;
    TJson matches = TJson::array();
    for (const TPlanMatch& match : plan.Matches) {
        std::string signs;
        for (std::size_t sign = 0; sign < kSignOfDigit.size(); ++sign) {
            if (match.Played[sign]) {
                signs += kSignOfDigit[sign];
            }
        }
        matches.push_back({{"teams", match.Teams},
                           {"signs", signs},
                           {"chances", NumberArray(match.Chances)},
                           {"public", NumberArray(match.Public)}});
    }
    root["matches"] = std::move(matches);
    TJson conditions = TJson::array();
    for (const TCondition& condition : plan.Conditions) {
        conditions.push_back(ConditionObject(condition));
    }
    root["conditions"] = std::move(conditions);
    root["chancesShown"] = plan.ChancesShown;
    root["price"] = plan.Price;
    root["takings"] = plan.Takings;
    root["jackpot"] = plan.Jackpot;
    root["prizeRules"] = {{"specialShare", plan.Rules.SpecialShare},
                          {"shares", NumberArray(plan.Rules.Shares)}};
    root["pleno"] = PlenoObject(plan.Pleno);
    root["guarantee"] = plan.Guarantee;
    root["budgetSeconds"] = plan.BudgetSeconds;
    root["anywhere"] = plan.Anywhere;
    if (plan.Budget) {
        root["budget"] = BudgetObject(*plan.Budget);
    }
    root["result"] = plan.Result;
    if (plan.Reduction) {
        TJson columns = TJson::array();
        for (const TKey& column : plan.Reduction->Columns) {
            columns.push_back(ColumnText(column));
        }
        const TReductionReport& report = plan.Reduction->Report;
        root["reduction"] = {
            {"columns", std::move(columns)},
            {"greedy", static_cast<std::int64_t>(report.Greedy)},
            {"final", static_cast<std::int64_t>(report.Final)},
            {"lowerBound", static_cast<std::int64_t>(report.LowerBound)},
            {"spentMs", Milliseconds(report.Spent)},
            {"reachedMs", Milliseconds(report.Reached)},
            {"stopped", report.Stopped},
            {"boundPublished", report.BoundPublished},
            {"smallestPossible", report.SmallestPossible},
        };
        if (plan.Reduction->Budget) {
            root["reduction"]["budgetChoice"] = BudgetChoiceObject(*plan.Reduction->Budget);
        }
    }
    std::string bytes;
    AppendValue(bytes, root, 0);
    bytes += '\n';
    return bytes;
}

TPlan ParsePlan(std::string_view bytes) {
    TPlanRefusal refusal;
    if (IsBlank(bytes)) {
        refusal.Fault = TPlanFault::Empty;
        Refuse(refusal);
    }
    const TJson document = TJson::parse(bytes, nullptr, false);
    // A document is an object or an array, as the planner has always read it: a column file
    // that happens to be one number is no JSON plan either.
    if (document.is_discarded() || !document.is_structured()) {
        refusal.Fault = TPlanFault::NotJson;
        Refuse(refusal);
    }
    // Plans of format 1 were written before the week's pool was planned: it keeps its defaults.
    const int version = CheckFormat(document);
    const bool hasPool = version >= 2;
    // Plans of format 2 and before were written before a budget could be set: they have none.
    const bool hasBudget = version >= 3;
    const TFieldReader reader(document);
    TPlan plan;
    const TJson& matches = reader.Array("matches");
    if (matches.size() != plan.Matches.size()) {
        reader.Fail("matches");
    }
    for (std::size_t match = 0; match < plan.Matches.size(); ++match) {
        const int number = static_cast<int>(match) + 1;
        if (!matches[match].is_object()) {
            RefuseField("matches", number);
        }
        plan.Matches[match] = ReadMatch(matches[match], number, hasPool);
    }
    const TJson& conditions = reader.Array("conditions");
    for (std::size_t index = 0; index < conditions.size(); ++index) {
        if (!conditions[index].is_object()) {
            reader.Fail("conditions");
        }
        plan.Conditions.push_back(ReadCondition(
            conditions[index], static_cast<int>(std::min<std::size_t>(index + 1, INT_MAX))));
    }
    WeighConditions(plan);
    plan.ChancesShown = reader.Bool("chancesShown");
    plan.Price = reader.Number("price", 0, kMostPrice);
    if (hasPool) {
        plan.Takings = reader.Number("takings", 0, kMostTakings);
        plan.Jackpot = reader.Number("jackpot", 0, kMostTakings);
        plan.Rules = ReadPrizeRules(reader.Inner("prizeRules"));
        plan.Pleno = ReadPleno(reader.Inner("pleno"));
    }
    plan.Guarantee =
        static_cast<int>(reader.Integer("guarantee", kWeakestGuarantee, kStrongestGuarantee));
    plan.BudgetSeconds = static_cast<int>(reader.Integer("budgetSeconds", 0, kMostBudgetSeconds));
    // Files written before the optimiser could choose outside the development have no such field.
    plan.Anywhere = reader.Has("anywhere") && reader.Bool("anywhere");
    plan.Result = reader.String("result");
    if (Utf16Length(plan.Result) > kColumnLength) {
        reader.Fail("result");
    }
    if (hasBudget && reader.Has("budget")) {
        plan.Budget = ReadBudget(reader.Inner("budget"));
        if (!plan.ChancesShown) {
            reader.Fail("chancesShown");
        }
    }
    if (reader.Has("reduction")) {
        plan.Reduction = ReadReduction(reader.Object("reduction"), plan, hasBudget);
    }
    return plan;
}

void SavePlan(const TPlan& plan, const std::string& path, const TFileCalls& calls) {
    ReplaceFileContent(path, PlanBytes(plan), calls);
}

TPlan OpenPlan(const std::string& path, const TFileCalls& calls) {
    std::vector<char> bytes;
    if (ReadWholeFile(path, bytes, calls)) {
        TPlanRefusal refusal;
        refusal.Fault = TPlanFault::Unreadable;
        throw TPlanFileError(path, refusal);
    }
    try {
        return ParsePlan(std::string_view(bytes.data(), bytes.size()));
    } catch (const TPlanFileError& error) {
        throw TPlanFileError(path, error.Refusal());
    }
}

}  // namespace kelvo
