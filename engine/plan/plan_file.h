// The plan file: a plan as indented JSON with a format name and version, written through the
// engine's safe replacement and read back only when every part of it holds together. What is
// wrong with a file that is refused comes back as data, for each front end to word.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "files/file_access.h"
#include "modes/conditions.h"
#include "plan/plan.h"

namespace kelvo {

// The extension of plan files, and the format version written; versions 1 to this one are read.
// Version 2 adds the week's pool: the public's percentages, the takings, the jackpot, the prize
// rules and the Pleno al 15; a plan of version 1 opens with their defaults. Version 3 adds the
// budget and, for columns chosen for one, how the choice went; plans of versions 1 and 2 have
// none.
inline constexpr std::string_view kPlanExtension = ".kelvo";
inline constexpr int kPlanFormatVersion = 3;

// Why a file is no plan that can be opened.
enum class TPlanFault {
    // It cannot be read (missing, a folder, no permission, a failed read).
    Unreadable,
    // It holds no bytes, or only white space.
    Empty,
    // It is damaged: not JSON.
    NotJson,
    // It is JSON but not an object with "format": "kelvo-plan".
    NotPlan,
    // Its "version" is missing or not a whole number from 1.
    UnknownVersion,
    // It was written by a newer program: Version says which format.
    NewerVersion,
    // A field is missing, of the wrong type or out of range: Field names it (a field of the
    // Pleno, of the prize rules, of the budget or of a budget's choice with the path to it:
    // "pleno.chosen", "prizeRules.shares", "budget.amount", "budgetChoice.covered"); a plan
    // with a budget whose chances are not shown is refused for "chancesShown"),
    // Match says in which match (from 1) when it is one of a match's fields.
    BadField,
    // Condition number Index (from 1) is read but cannot be met as written: ConditionFault says
    // why, Condition is the condition as read.
    BadCondition,
    // Reduced column number Index (from 1), Column as written, is not a column of the plan's
    // development (with "anywhere", not 14 signs 1, X and 2).
    ForeignColumn,
};

// A refusal of a plan file, as data; the fields that do not belong to the fault keep their
// defaults.
struct TPlanRefusal {
    TPlanFault Fault = TPlanFault::Unreadable;
    int Version = 0;
    std::string Field;
    int Match = 0;
    int Index = 0;
    TConditionFault ConditionFault = TConditionFault::Sign;
    TCondition Condition;
    std::string Column;

    bool operator==(const TPlanRefusal&) const = default;
};

// A file that is no plan this program can open. what() is an English sentence for the command
// line, e.g. "plan.kelvo: the field "price" is missing or out of range"; windows word Refusal()
// in the player's language.
class TPlanFileError : public std::runtime_error {
public:
    // `name` names the file in what(); empty, what() is the reason alone.
    TPlanFileError(const std::string& name, const TPlanRefusal& refusal);
    const TPlanRefusal& Refusal() const { return refusal_; }

private:
    TPlanRefusal refusal_;
};

// The plan as the bytes of its file, in format kPlanFormatVersion: JSON indented by four spaces,
// keys sorted, UTF-8 written as it is, in the very bytes the planner has always written, so that
// saving an unchanged plan leaves its file of this format as it was.
std::string PlanBytes(const TPlan& plan);

// The plan held in `bytes`. Throws TPlanFileError, without a name, when they are empty, not
// JSON, not a plan, a plan of an unknown or newer format version, a plan with a field missing,
// wrong or out of range (the limits of plan/plan.h), a condition that cannot be met as written,
// or reduced columns that are not all columns of its development. A plan of format 1 has the
// defaults of TPlan for the fields of the week's pool; one of format 1 or 2 has no budget.
TPlan ParsePlan(std::string_view bytes);

// Writes `plan` to the file `path` through ReplaceFileContent: the file keeps its old content
// until the new one is complete. Throws TEngineError as ReplaceFileContent does.
void SavePlan(const TPlan& plan, const std::string& path, const TFileCalls& calls = {});

// The plan in the file `path`, changing nothing. Throws TPlanFileError naming `path`: Unreadable
// when it cannot be read, otherwise as ParsePlan.
TPlan OpenPlan(const std::string& path, const TFileCalls& calls = {});

// The English sentence for `refusal`, without the file's name: "the field "price" is missing or
// out of range".
std::string PlanRefusalSentence(const TPlanRefusal& refusal);

}  // namespace kelvo
