// Chances and ratios as the player reads them: a column's chance is often a few thousandths of a
// percent, and still has to read as more than nothing.
#pragma once

#include <QString>

// `value` (from 0) written as DecimalText writes it, with two decimals, or with as many more as
// show its first two significant digits, up to twelve: "1,35", "0,50", "0,0021" in Spanish. A
// value above 0 that still rounds to 0 is written "< 0,000000000001", an infinite one "∞", and
// one that is no number (a share of nothing) "—".
QString SignificantText(double value);

// `percent` as SignificantText writes it, then a blank and the percent sign: "0,0021 %".
QString PercentText(double percent);
