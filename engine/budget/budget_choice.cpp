#include "budget/budget_choice.h"

namespace kelvo {

TBudgetChoice ChooseForBudget(const TBudgetRequest& request) {
    TBudgetChoice choice;
    choice.Report.Budget = request.Budget;
    for (std::size_t k = 0; k < request.Columns.size() && k < request.Budget; ++k) {
        choice.Chosen.push_back(request.Columns[k]);
    }
    choice.Report.Chosen = choice.Chosen.size();
    return choice;
}

std::size_t ColumnsForEuros(double euros, double price, const TPleno& pleno) {
    const double each = CostOf(1, price, pleno);
    return each > 0 ? static_cast<std::size_t>(euros / each) : 0;
}

}  // namespace kelvo
