// The conditions in the player's words: a readable line for each, and what is wrong with one
// that cannot be met as entered.
#pragma once

#include <QString>

#include <optional>

#include "modes/conditions.h"

// The condition as one line, a count of a sign naming the sign in words: "entre 2 y 4 equis",
// "exactamente 4 unos", "al menos 1 dos entre los partidos 1 y 4" (matches counted from 1),
// "valor al menos 1,5", "jugada por como mucho el 0,001 % del público" (numbers in the player's
// locale).
QString DescribeCondition(const kelvo::TCondition& condition);

// A value's or a share's threshold as the player reads and types it, in the player's locale
// without grouping, so that the dialog reads back what it shows: "1,5", "0,001", "1000000".
QString ThresholdText(double threshold);

// What is wrong with `condition` in the player's words (the first fault FindConditionFault finds),
// or nothing when it is well formed: a sign that its kind does not take, the matches of a group
// outside 1-14 or backwards, a base that is not 14 signs of 1, X and 2, a value or a percentage
// not above 0 or above its kind's most, a bound out of its kind's range, the least above the
// most.
std::optional<QString> ConditionProblem(const kelvo::TCondition& condition);
