// What the plan's reduction wins: its summary (size, cost, lower bound, the quick reduction's
// size; for columns chosen for a budget, the chance of the guarantee they cover against the
// forecast's and the bound, or the most they could be expected to win), the prize guaranteed, the
// prize table, the chances of the week, and, with the chances shown, what it is expected to win in
// euros.
#pragma once

#include <QWidget>

#include "modes/prizes.h"
#include "plan/plan.h"
#include "reduction_job.h"
#include "value/set_value.h"

class QGroupBox;
class QLabel;
class QTableWidget;

// What is wrong with the chances the player typed, in the player's words; the chances of match
// n are line n of the text the engine reads: "Partido 2: las probabilidades suman 110; deben
// sumar 100".
QString ChancesProblemText(const kelvo::TChancesProblem& problem);

class TPrizesPanel final : public QWidget {
    Q_OBJECT

public:
    explicit TPrizesPanel(QWidget* parent = nullptr);

    // Shows the summary of the plan's reduction at the plan's guarantee and price, and for
    // columns chosen for a budget how the choice went; without a reduction, says there is none
    // and clears the prizes.
    void ShowReduction(const kelvo::TPlan& plan);
    // Shows the prizes a run worked out, and their chances where it weighed them.
    void ShowPrizes(const TReductionResult& result);
    // Clears the chances of the week, before a run weighs them again.
    void ClearChances();
    // Says why the chances cannot weigh the prizes, in the player's words (ChancesProblemText).
    void ShowChancesProblem(const kelvo::TChancesProblem& problem);
    // Says that what the reduction is expected to win is being worked out, clearing the figures
    // of the last valuation.
    void ShowValuing();
    // Shows what the reduction is expected to win in each category and in all, in euros, its
    // return per euro and its chance of a prize, with what the estimate leaves out.
    void ShowValue(const kelvo::TSetValue& value);
    // Says that there was not memory enough to work out what the reduction is expected to win.
    void ShowValueOutOfMemory();
    // Leaves out what the reduction is expected to win: there is none, or no usable chances.
    void HideValue();
    // Puts the panel's controls in Tab order after `previous`; returns the last of them.
    QWidget* ChainTabOrder(QWidget* previous) const;

private:
    // The summary of columns chosen for the plan's budget, and how the choice went.
    void ShowBudgetChoice(const kelvo::TPlan& plan);
    void ClearValue();

    QLabel* summaryLabel_ = nullptr;
    QLabel* budgetLabel_ = nullptr;
    QLabel* guaranteedLabel_ = nullptr;
    QLabel* chancesLabel_ = nullptr;
    QTableWidget* prizeTable_ = nullptr;
    QGroupBox* valueBox_ = nullptr;
    QLabel* valueStateLabel_ = nullptr;
    QTableWidget* valueTable_ = nullptr;
    QLabel* returnLabel_ = nullptr;
    QLabel* prizeChanceLabel_ = nullptr;
};
