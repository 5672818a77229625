// The plan's conditions: their list, and the buttons that add one through the condition dialog,
// change the one selected in it (as a double click on it does), and remove the one selected.
#pragma once

#include <QGroupBox>

#include <vector>

#include "modes/conditions.h"
#include "plan/plan.h"
#include "plan_change.h"

class QAction;
class QListWidget;
class QToolButton;

class TConditionsPanel final : public QGroupBox {
    Q_OBJECT

public:
    // The buttons trigger `add` and `remove`, the window's actions for AddCondition and
    // RemoveCondition; the panel's own button and a double click on a condition EditCondition.
    TConditionsPanel(QAction* add, QAction* remove, QWidget* parent = nullptr);

    // Shows the plan's conditions, none selected. Emits nothing.
    void Load(const kelvo::TPlan& plan);
    // Writes the conditions into `plan`, those of a value or of the public's share with the
    // chances and the public's percentages of plan.Matches, which must be stored first.
    void Store(kelvo::TPlan& plan) const;
    // Asks for a condition in the condition dialog and adds it last, selected; emits Changed
    // unless the player cancels.
    void AddCondition();
    // Shows the condition selected in the condition dialog and puts what the player accepts in its
    // place, still selected; emits Changed unless the player cancels or accepts it unchanged. Does
    // nothing while none is selected.
    void EditCondition();
    // Removes the condition selected and selects the one that took its place (or the last);
    // emits Changed. Does nothing while none is selected.
    void RemoveCondition();
    // Whether a condition is selected.
    bool HasSelection() const;
    // Puts the panel's controls in Tab order after `previous`; returns the last of them.
    QWidget* ChainTabOrder(QWidget* previous) const;

signals:
    // The player added, changed or removed a condition: always TPlanChange::Development.
    void Changed(TPlanChange change);
    // Another condition, or none, is selected.
    void SelectionChanged();

private:
    void ShowConditions();
    void UpdateEditButton();

    std::vector<kelvo::TCondition> conditions_;
    QListWidget* list_ = nullptr;
    QToolButton* addButton_ = nullptr;
    QToolButton* editButton_ = nullptr;
    QToolButton* removeButton_ = nullptr;
};
