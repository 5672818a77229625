#include "conditions_panel.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

#include "condition_dialog.h"
#include "condition_text.h"
#include "panel_widgets.h"

TConditionsPanel::TConditionsPanel(QAction* add, QAction* remove, QWidget* parent)
    : QGroupBox(tr("Condiciones"), parent) {
    setObjectName("ConditionsBox");
    // The buttons stand beside the list, not below it, so that the panel stays narrow enough for
    // the window to fit a screen 1024 pixels wide.
    auto* layout = new QHBoxLayout(this);
    list_ = new QListWidget(this);
    list_->setObjectName("ConditionList");
    list_->setAccessibleName(tr("Condiciones"));
    connect(list_, &QListWidget::currentRowChanged, this, &TConditionsPanel::UpdateEditButton);
    connect(list_, &QListWidget::currentRowChanged, this, &TConditionsPanel::SelectionChanged);
    connect(list_, &QListWidget::itemDoubleClicked, this, &TConditionsPanel::EditCondition);
    layout->addWidget(list_);
    auto* buttons = new QVBoxLayout;
    addButton_ = ActionButton(this, "AddConditionButton", add, tr("Añadir condición"));
    // The panel's own button: changing a condition needs no menu entry nor shortcut beyond its
    // mnemonic, and the panel is disabled, button and all, while a run works.
    editButton_ = new QToolButton(this);
    editButton_->setObjectName("EditConditionButton");
    editButton_->setText(tr("&Editar..."));
    editButton_->setAccessibleName(tr("Editar condición"));
    editButton_->setFocusPolicy(Qt::StrongFocus);
    connect(editButton_, &QToolButton::clicked, this, &TConditionsPanel::EditCondition);
    removeButton_ = ActionButton(this, "RemoveConditionButton", remove, tr("Quitar condición"));
    for (QToolButton* button : {addButton_, editButton_, removeButton_}) {
        button->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    layout->addLayout(buttons);
    UpdateEditButton();
}

void TConditionsPanel::Load(const kelvo::TPlan& plan) {
    conditions_ = plan.Conditions;
    // Kept as the player entered them, as the dialog gives them back: the chances and the
    // public's percentages they weigh are the plan's, given again at every Store.
    kelvo::SetConditionOdds(conditions_, {}, {});
    ShowConditions();
}

void TConditionsPanel::Store(kelvo::TPlan& plan) const {
    plan.Conditions = conditions_;
    kelvo::WeighConditions(plan);
}

void TConditionsPanel::AddCondition() {
    // Owned by the window, as every dialog of the planner is, so that it stands over the window.
    TConditionDialog dialog(window());
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    conditions_.push_back(dialog.Condition());
    ShowConditions();
    list_->setCurrentRow(static_cast<int>(conditions_.size()) - 1);
    emit Changed(TPlanChange::Development);
}

void TConditionsPanel::EditCondition() {
    const int row = list_->currentRow();
    if (row < 0 || row >= static_cast<int>(conditions_.size())) {
        return;
    }
    TConditionDialog dialog(conditions_[static_cast<std::size_t>(row)], window());
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    // Accepted unchanged, the condition keeps the development and any reduction of it as they are.
    const kelvo::TCondition condition = dialog.Condition();
    if (condition == conditions_[static_cast<std::size_t>(row)]) {
        return;
    }
    conditions_[static_cast<std::size_t>(row)] = condition;
    ShowConditions();
    list_->setCurrentRow(row);
    emit Changed(TPlanChange::Development);
}

void TConditionsPanel::RemoveCondition() {
    const int row = list_->currentRow();
    if (row < 0 || row >= static_cast<int>(conditions_.size())) {
        return;
    }
    conditions_.erase(conditions_.begin() + row);
    ShowConditions();
    list_->setCurrentRow(std::min(row, static_cast<int>(conditions_.size()) - 1));
    emit Changed(TPlanChange::Development);
}

bool TConditionsPanel::HasSelection() const {
    return list_->currentRow() >= 0;
}

QWidget* TConditionsPanel::ChainTabOrder(QWidget* previous) const {
    return ::ChainTabOrder(previous, {list_, addButton_, editButton_, removeButton_});
}

void TConditionsPanel::ShowConditions() {
    const QSignalBlocker blocker(list_);
    list_->clear();
    for (const kelvo::TCondition& condition : conditions_) {
        list_->addItem(DescribeCondition(condition));
    }
    UpdateEditButton();
}

void TConditionsPanel::UpdateEditButton() {
    editButton_->setEnabled(HasSelection());
}
