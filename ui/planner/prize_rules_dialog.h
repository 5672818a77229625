// The dialog that changes the prize rules: the share of the week's takings that goes to each
// category of prizes, and a button that restores the rules in force today.
#pragma once

#include <QDialog>

#include <array>

#include "core/prize_categories.h"
#include "value/week_pool.h"

class QDoubleSpinBox;
class QLabel;

class TPrizeRulesDialog final : public QDialog {
    Q_OBJECT

public:
    // Shows `rules` to be changed.
    explicit TPrizeRulesDialog(const kelvo::TPrizeRules& rules, QWidget* parent = nullptr);

    // The rules as shown: once the dialog is accepted, the player's.
    kelvo::TPrizeRules Rules() const;

private:
    void Show(const kelvo::TPrizeRules& rules);
    void ShowTotal();

    QDoubleSpinBox* special_ = nullptr;
    std::array<QDoubleSpinBox*, kelvo::kPrizeCategories> shares_{};
    QLabel* total_ = nullptr;
};
