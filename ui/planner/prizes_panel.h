// What the plan's reduction wins: its summary (size, cost, lower bound, the quick reduction's
// size), the prize guaranteed, the prize table, and the chances of the week.
#pragma once

#include <QWidget>

#include "modes/prizes.h"
#include "plan/plan.h"
#include "reduction_job.h"

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

    // Shows the summary of the plan's reduction at the plan's guarantee and price; without a
    // reduction, says there is none and clears the prizes.
    void ShowReduction(const kelvo::TPlan& plan);
    // Shows the prizes a run worked out, and their chances where it weighed them.
    void ShowPrizes(const TReductionResult& result);
    // Clears the chances of the week, before a run weighs them again.
    void ClearChances();
    // Says why the chances cannot weigh the prizes, in the player's words (ChancesProblemText).
    void ShowChancesProblem(const kelvo::TChancesProblem& problem);
    // Puts the panel's controls in Tab order after `previous`; returns the last of them.
    QWidget* ChainTabOrder(QWidget* previous) const;

private:
    QLabel* summaryLabel_ = nullptr;
    QLabel* guaranteedLabel_ = nullptr;
    QLabel* chancesLabel_ = nullptr;
    QTableWidget* prizeTable_ = nullptr;
};
