// The prize rules as the player changes them: each share beside its category, today's rules one
// click away, and a change taken into the plan and its file only when accepted, never a threat
// to the reduction in force.
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "plan/plan_file.h"
#include "planner_test_support.h"
#include "prize_rules_dialog.h"
#include "ui_test_support.h"

namespace {

// The share boxes in the order of TPrizeRules: the special share, then 14 to 10 right.
const QStringList kShareBoxes = {"SpecialShare", "Share14", "Share13",
                                 "Share12",      "Share11", "Share10"};

std::array<double, 6> SharesShown(const QWidget* dialog) {
    std::array<double, 6> shares{};
    for (std::size_t box = 0; box < shares.size(); ++box) {
        shares[box] = dialog->findChild<QDoubleSpinBox*>(kShareBoxes[box])->value();
    }
    return shares;
}

std::array<double, 6> SharesOf(const kelvo::TPrizeRules& rules) {
    return {rules.SpecialShare, rules.Shares[0], rules.Shares[1],
            rules.Shares[2],    rules.Shares[3], rules.Shares[4]};
}

kelvo::TPrizeRules ChangedRules() {
    kelvo::TPrizeRules rules;
    rules.SpecialShare = 10;
    rules.Shares = {20, 8, 6.5, 0, 100};
    return rules;
}

// Sets the shares to ChangedRules() and presses `button`.
TModalAnswerer::THandler ChangeRules(QDialogButtonBox::StandardButton button) {
    return [=](QWidget* modal) {
        const std::array<double, 6> shares = SharesOf(ChangedRules());
        for (std::size_t box = 0; box < shares.size(); ++box) {
            modal->findChild<QDoubleSpinBox*>(kShareBoxes[box])->setValue(shares[box]);
        }
        modal->findChild<QDialogButtonBox*>("PrizeRulesButtons")->button(button)->click();
    };
}

// Reads the shares shown into `shown` and closes the dialog.
TModalAnswerer::THandler ReadRules(std::array<double, 6>* shown) {
    return [=](QWidget* modal) {
        *shown = SharesShown(modal);
        modal->findChild<QDialogButtonBox*>("PrizeRulesButtons")
            ->button(QDialogButtonBox::Cancel)
            ->click();
    };
}

}  // namespace

class TPrizeRulesDialogTest : public QObject {
    Q_OBJECT

public:
    explicit TPrizeRulesDialogTest(const TTemporaryHome& home) : home_(home) {}

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }

    void each_share_stands_by_its_category_and_restablecer_brings_back_todays_rules() {
        TPrizeRulesDialog dialog(ChangedRules());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Reglas de premios"));
        QCOMPARE(dialog.findChild<QLabel*>("PrizeRulesExplanation")->text(),
                 QStringLiteral("Las cifras son las de las reglas en vigor desde 2024: cada una es "
                                "el porcentaje de la recaudación de la jornada que se reparte en "
                                "esa categoría. El bote se suma al premio de 14 aciertos."));
        const QStringList labels = {"14 + Pleno al 15:", "14 aciertos:", "13 aciertos:",
                                    "12 aciertos:",      "11 aciertos:", "10 aciertos:"};
        auto* form = dialog.findChild<QFormLayout*>();
        QVERIFY(form);
        for (int box = 0; box < kShareBoxes.size(); ++box) {
            auto* share = dialog.findChild<QDoubleSpinBox*>(kShareBoxes[box]);
            auto* label = qobject_cast<QLabel*>(form->labelForField(share));
            QVERIFY2(label, qPrintable(kShareBoxes[box]));
            QCOMPARE(label->text(), labels[box]);
        }
        QCOMPARE(dialog.findChild<QDoubleSpinBox*>("Share12")->text(), QStringLiteral("6,50 %"));
        QCOMPARE(SharesShown(&dialog), SharesOf(ChangedRules()));
        QVERIFY(dialog.Rules() == ChangedRules());
        auto* total = dialog.findChild<QLabel*>("SharesTotal");
        QCOMPARE(total->text(), QStringLiteral("En premios: 144,5 % de la recaudación"));
        dialog.findChild<QDoubleSpinBox*>("Share10")->setValue(9.25);
        QCOMPARE(total->text(), QStringLiteral("En premios: 53,75 % de la recaudación"));

        QTest::mouseClick(dialog.findChild<QPushButton*>("RestoreRulesButton"), Qt::LeftButton);
        QVERIFY(dialog.Rules() == kelvo::TPrizeRules{});
        QCOMPARE(SharesShown(&dialog), (std::array<double, 6>{7.5, 16, 7.5, 7.5, 7.5, 9}));
        QCOMPARE(total->text(), QStringLiteral("En premios: 55 % de la recaudación"));
    }

    void accepted_rules_go_into_the_plan_and_its_file_and_cancelled_ones_change_nothing() {
        kelvo::TPlan plan = kelvo::StartingPlan();
        plan.Anywhere = true;
        plan.Reduction = kelvo::TPlanReduction{{kelvo::MakeKey("1112112111X111")}, {}};
        plan.Reduction->Report.Final = 1;
        const QString path = home_.Work() + "/reglas.kelvo";
        QVERIFY(WriteBytes(path, QByteArray::fromStdString(kelvo::PlanBytes(plan))));
        TPlanner planner;
        QVERIFY(planner.Window->OpenPlanFile(path));
        QTRY_VERIFY_WITH_TIMEOUT(!planner.Window->Working(), 30000);
        auto* action = planner.Control<QAction>("PrizeRulesAction");
        QCOMPARE(action->text(), QStringLiteral("Reglas de pre&mios..."));
        QVERIFY(planner.Control<QMenu>("PlanMenu")->actions().contains(action));

        {
            // Cancelled, and accepted unchanged: the plan is as it was, and not modified.
            TModalAnswerer answerer({ChangeRules(QDialogButtonBox::Cancel), [](QWidget* modal) {
                                         modal->findChild<QDialogButtonBox*>("PrizeRulesButtons")
                                             ->button(QDialogButtonBox::Ok)
                                             ->click();
                                     }});
            planner.Trigger("PrizeRulesAction");
            planner.Trigger("PrizeRulesAction");
            QCOMPARE(answerer.Answered(), 2);
            QCOMPARE(answerer.Unexpected(), 0);
        }
        QVERIFY(planner.Window->CurrentPlan() == plan);
        QVERIFY(!planner.Window->isWindowModified());

        {
            // Accepted: the plan takes the rules, keeps its reduction and asks nothing.
            TModalAnswerer answerer({ChangeRules(QDialogButtonBox::Ok)});
            planner.Trigger("PrizeRulesAction");
            QCOMPARE(answerer.Answered(), 1);
            QCOMPARE(answerer.Unexpected(), 0);
        }
        plan.Rules = ChangedRules();
        QVERIFY(planner.Window->CurrentPlan() == plan);
        QVERIFY(planner.Window->isWindowModified());

        planner.Trigger("SaveAction");
        QVERIFY(!planner.Window->isWindowModified());
        QVERIFY(kelvo::OpenPlan(path.toStdString()) == plan);
        TPlanner reopened;
        QVERIFY(reopened.Window->OpenPlanFile(path));
        std::array<double, 6> shown{};
        {
            TModalAnswerer answerer({ReadRules(&shown)});
            reopened.Trigger("PrizeRulesAction");
            QCOMPARE(answerer.Answered(), 1);
        }
        QCOMPARE(shown, SharesOf(ChangedRules()));
    }

private:
    const TTemporaryHome& home_;
};

int main(int argc, char* argv[]) {
    const TTemporaryHome home;
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Kelvo"));
    QCoreApplication::setApplicationName(QStringLiteral("kelvo-planner"));
    TPrizeRulesDialogTest test(home);
    return QTest::qExec(&test, argc, argv);
}

#include "prize_rules_dialog_test.moc"
