// The week's pool in euros: the takings and the jackpot, which with the prize rules say what each
// category of prizes is worth. One line without a frame: every pixel of height it took would be
// taken from the prizes below it at 1024x768.
#pragma once

#include <QWidget>

#include "plan/plan.h"
#include "plan_change.h"

class QDoubleSpinBox;

class TWeekPanel final : public QWidget {
    Q_OBJECT

public:
    explicit TWeekPanel(QWidget* parent = nullptr);

    // Shows the plan's takings and jackpot. Emits nothing.
    void Load(const kelvo::TPlan& plan);
    // Writes into `plan` the takings and the jackpot.
    void Store(kelvo::TPlan& plan) const;
    // Puts the panel's controls in Tab order after `previous`; returns the last of them.
    QWidget* ChainTabOrder(QWidget* previous) const;

signals:
    // The player changed the takings or the jackpot: always a Value change.
    void Changed(TPlanChange change);

private:
    QDoubleSpinBox* takings_ = nullptr;
    QDoubleSpinBox* jackpot_ = nullptr;
};
