// The dialog that enters one condition, or changes one: its kind, its sign, its matches or base
// column, and its bounds or, for a value or the public's share, its threshold. The line it will
// read as is shown while it is entered; a condition that cannot be met as entered shows why and
// cannot be accepted.
#pragma once

#include <QDialog>

#include "modes/condition_kinds.h"
#include "modes/conditions.h"

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QSpinBox;

class TConditionDialog final : public QDialog {
    Q_OBJECT

public:
    // Enters a new condition.
    explicit TConditionDialog(QWidget* parent = nullptr);
    // Changes `condition` (well formed), shown as it is: accepted, Condition() is the change. The
    // chances and the public's percentages are not shown nor kept: the plan gives them.
    TConditionDialog(const kelvo::TCondition& condition, QWidget* parent);

    // The condition as entered; well formed once the dialog was accepted.
    kelvo::TCondition Condition() const;

    void accept() override;

private:
    void Fill(const kelvo::TCondition& condition);
    // Offers "any sign" to a kind that takes one sign or none, and to no other kind: a sign chosen
    // stays, any sign where it is no longer offered gives way to 1.
    void OfferSigns(kelvo::TSignUse use);
    void Refresh();

    QComboBox* kind_ = nullptr;
    QComboBox* sign_ = nullptr;
    QSpinBox* first_ = nullptr;
    QSpinBox* last_ = nullptr;
    QLineEdit* base_ = nullptr;
    QLineEdit* threshold_ = nullptr;
    QSpinBox* least_ = nullptr;
    QSpinBox* most_ = nullptr;
    QLabel* preview_ = nullptr;
    QLabel* problem_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
    QLabel* signLabel_ = nullptr;
    QLabel* matchesLabel_ = nullptr;
    QLabel* baseLabel_ = nullptr;
    QLabel* thresholdLabel_ = nullptr;
    QLabel* boundsLabel_ = nullptr;
};
