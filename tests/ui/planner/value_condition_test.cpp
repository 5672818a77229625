// The conditions on a column's value and on how much of the public plays it, as a player enters
// them: the dialog takes a number in the player's words and refuses one out of range, the list
// reads them in Spanish and in English, and the plan weighs them by its own chances and public
// percentages, whatever the player changes in them.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>


#include "condition_dialog.h"
#include "condition_text.h"
#include "conditions_panel.h"
#include "plan/plan.h"
#include "planner_test_support.h"
#include "planner_translation.h"
#include "ui_test_support.h"

namespace {

using kelvo::TCondition;
using kelvo::TConditionKind;

constexpr int kValueKind = 6;
constexpr int kPublicKind = 7;

TCondition Threshold(TConditionKind kind, double threshold) {
    TCondition condition;
    condition.Kind = kind;
    condition.Threshold = threshold;
    return condition;
}

QPushButton* OkButton(const QWidget* dialog) {
    return dialog->findChild<QDialogButtonBox*>("ConditionButtons")->button(QDialogButtonBox::Ok);
}

// Fills and accepts the condition dialog with a kind and a threshold as typed.
TModalAnswerer::THandler EnterThreshold(int kind, const QString& typed) {
    return [=](QWidget* modal) {
        modal->findChild<QComboBox*>("ConditionKind")->setCurrentIndex(kind);
        QTest::keyClicks(modal->findChild<QLineEdit*>("ConditionThreshold"), typed);
        OkButton(modal)->click();
    };
}

// The product of the shares of the column's signs, each match's figures taken as shares of
// their sum.
double LiteralShare(const std::string& column, const kelvo::TPlan& plan, bool publicOnes) {
    double share = 1;
    for (std::size_t match = 0; match < column.size(); ++match) {
        const auto& figures = publicOnes ? plan.Matches[match].Public : plan.Matches[match].Chances;
        share *= figures[kelvo::kSignOfDigit.find(column[match])] /
                 (figures[0] + figures[1] + figures[2]);
    }
    return share;
}

std::vector<QString> Played(const kelvo::TPlan& plan) {
    std::vector<QString> played;
    for (const kelvo::TPlanMatch& match : plan.Matches) {
        QString signs;
        for (std::size_t sign = 0; sign < 3; ++sign) {
            if (match.Played[sign]) {
                signs += QLatin1Char(kelvo::kSignOfDigit[sign]);
            }
        }
        played.push_back(signs);
    }
    return played;
}

}  // namespace

Q_DECLARE_METATYPE(TCondition)

class TValueConditionTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }

    void the_dialog_reads_a_threshold_in_the_players_words_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("preview");
        QTest::addColumn<QString>("problem");
        QTest::addColumn<QString>("label");
        const QString value = QStringLiteral("Va&lor al menos:");
        const QString share = QStringLiteral("Porcenta&je como mucho:");
        QTest::newRow("value with a comma")
            << kValueKind << "1,5" << QStringLiteral("valor al menos 1,5") << "" << value;
        QTest::newRow("value with a point")
            << kValueKind << "1.5" << QStringLiteral("valor al menos 1,5") << "" << value;
        QTest::newRow("whole value")
            << kValueKind << "3" << QStringLiteral("valor al menos 3") << "" << value;
        QTest::newRow("tiny share")
            << kPublicKind << "0,001"
            << QStringLiteral("jugada por como mucho el 0,001 % del público") << "" << share;
        QTest::newRow("share with a point")
            << kPublicKind << "0.001"
            << QStringLiteral("jugada por como mucho el 0,001 % del público") << "" << share;
        QTest::newRow("share of all")
            << kPublicKind << "100" << QStringLiteral("jugada por como mucho el 100 % del público")
            << "" << share;
        QTest::newRow("value of 0")
            << kValueKind << "0"
            << "" << QStringLiteral("El valor debe ser mayor que 0 y como mucho 1000000.") << value;
        QTest::newRow("value left empty")
            << kValueKind << ""
            << "" << QStringLiteral("El valor debe ser mayor que 0 y como mucho 1000000.") << value;
        QTest::newRow("value of words")
            << kValueKind << "mucho"
            << "" << QStringLiteral("El valor debe ser mayor que 0 y como mucho 1000000.") << value;
        QTest::newRow("share above all")
            << kPublicKind << "100,5"
            << "" << QStringLiteral("El porcentaje debe ser mayor que 0 y como mucho 100.")
            << share;
        QTest::newRow("negative share")
            << kPublicKind << "-1"
            << "" << QStringLiteral("El porcentaje debe ser mayor que 0 y como mucho 100.")
            << share;
    }
    void the_dialog_reads_a_threshold_in_the_players_words() {
        QFETCH(int, kind);
        QFETCH(QString, typed);
        QFETCH(QString, preview);
        QFETCH(QString, problem);
        QFETCH(QString, label);
        TConditionDialog dialog;
        auto* kinds = dialog.findChild<QComboBox*>("ConditionKind");
        kinds->setCurrentIndex(kind);
        QCOMPARE(kinds->currentText(),
                 kind == kValueKind ? QStringLiteral("Valor") : QStringLiteral("Público"));
        auto* threshold = dialog.findChild<QLineEdit*>("ConditionThreshold");
        QTest::keyClicks(threshold, typed);
        QCOMPARE(dialog.findChild<QLabel*>("ConditionPreview")->text(), preview);
        QCOMPARE(dialog.findChild<QLabel*>("ConditionProblem")->text(), problem);
        QCOMPARE(OkButton(&dialog)->isEnabled(), problem.isEmpty());
        bool labelled = false;
        for (const QLabel* each : dialog.findChildren<QLabel*>()) {
            if (each->buddy() == threshold) {
                QCOMPARE(each->text(), label);
                QVERIFY(each->isEnabled());
                labelled = true;
            }
        }
        QVERIFY(labelled);
        // A threshold is the kind's only bound: the least and the most stand aside, as do the
        // sign, the matches and the base.
        for (const char* name :
             {"ConditionLeast", "ConditionMost", "ConditionFirst", "ConditionLast"}) {
            QVERIFY2(!dialog.findChild<QSpinBox*>(name)->isEnabled(), name);
        }
        QVERIFY(!dialog.findChild<QComboBox*>("ConditionSign")->isEnabled());
        QVERIFY(!dialog.findChild<QLineEdit*>("ConditionBase")->isEnabled());
        QVERIFY(threshold->isEnabled());
        if (problem.isEmpty()) {
            const TCondition condition = dialog.Condition();
            QCOMPARE(static_cast<int>(condition.Kind), kind);
            QCOMPARE(condition.Threshold, QLocale::c().toDouble(QString(typed).replace(',', '.')));
        }
        // Back to a count, the threshold stands aside and the bounds count again.
        kinds->setCurrentIndex(1);
        QVERIFY(!threshold->isEnabled());
        QVERIFY(dialog.findChild<QSpinBox*>("ConditionLeast")->isEnabled());
        QCOMPARE(dialog.findChild<QLabel*>("ConditionPreview")->text(),
                 QStringLiteral("como mucho 4 variantes (X o 2)"));
    }

    void the_edit_dialog_shows_the_threshold_as_it_is_data() {
        QTest::addColumn<TCondition>("condition");
        QTest::addColumn<QString>("shown");
        QTest::newRow("value") << Threshold(TConditionKind::Value, 1.5) << "1,5";
        QTest::newRow("share") << Threshold(TConditionKind::Public, 0.001) << "0,001";
        QTest::newRow("large value") << Threshold(TConditionKind::Value, 25000) << "25000";
    }
    void the_edit_dialog_shows_the_threshold_as_it_is() {
        QFETCH(TCondition, condition);
        QFETCH(QString, shown);
        const TConditionDialog dialog(condition, nullptr);
        QCOMPARE(dialog.findChild<QLineEdit*>("ConditionThreshold")->text(), shown);
        QCOMPARE(dialog.findChild<QLabel*>("ConditionPreview")->text(),
                 DescribeCondition(condition));
        QVERIFY(dialog.Condition() == condition);
    }

    void the_lines_read_in_spanish_and_in_english_data() {
        QTest::addColumn<TCondition>("condition");
        QTest::addColumn<QString>("spanish");
        QTest::addColumn<QString>("english");
        QTest::newRow("value") << Threshold(TConditionKind::Value, 1.5)
                               << QStringLiteral("valor al menos 1,5")
                               << QStringLiteral("value at least 1.5");
        QTest::newRow("share") << Threshold(TConditionKind::Public, 0.001)
                               << QStringLiteral("jugada por como mucho el 0,001 % del público")
                               << QStringLiteral("played by at most 0.001 % of the public");
        QTest::newRow("value out of range")
            << Threshold(TConditionKind::Value, 0)
            << QStringLiteral("El valor debe ser mayor que 0 y como mucho 1000000.")
            << QStringLiteral("The value must be above 0 and at most 1000000.");
        QTest::newRow("share out of range")
            << Threshold(TConditionKind::Public, 101)
            << QStringLiteral("El porcentaje debe ser mayor que 0 y como mucho 100.")
            << QStringLiteral("The percentage must be above 0 and at most 100.");
    }
    void the_lines_read_in_spanish_and_in_english() {
        QFETCH(TCondition, condition);
        QFETCH(QString, spanish);
        QFETCH(QString, english);
        const auto words = [&] {
            return ConditionProblem(condition).value_or(DescribeCondition(condition));
        };
        QCOMPARE(words(), spanish);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        const auto translators = InstallPlannerTranslation(QLocale());
        QCOMPARE(words(), english);
    }

    void the_plan_weighs_its_own_percentages_and_the_count_follows() {
        TPlanner planner;
        const kelvo::TPlan before = planner.Window->CurrentPlan();
        {
            TModalAnswerer answerer({EnterThreshold(kPublicKind, QStringLiteral("0,0003"))});
            planner.Trigger("AddConditionAction");
        }
        const auto* list = planner.Control<QListWidget>("ConditionList");
        QTRY_COMPARE(list->count(), 1);
        QCOMPARE(list->item(0)->text(),
                 QStringLiteral("jugada por como mucho el 0,0003 % del público"));
        const kelvo::TPlan plan = planner.Window->CurrentPlan();
        QCOMPARE(plan.Conditions.size(), std::size_t{1});
        QCOMPARE(plan.Conditions[0].Threshold, 0.0003);
        for (std::size_t match = 0; match < plan.Matches.size(); ++match) {
            QVERIFY(plan.Conditions[0].Public[match] == plan.Matches[match].Public);
        }
        std::size_t kept = 0;
        const std::vector<std::string> columns = LiteralDevelopment(Played(before));
        for (const std::string& column : columns) {
            kept += LiteralShare(column, plan, true) * 100 <= 0.0003 ? 1 : 0;
        }
        QVERIFY(kept > 0 && kept < columns.size());
        QCOMPARE(planner.AwaitCount(), QLocale().toString(qulonglong(kept)) + " columnas");
    }

    void a_condition_accepted_unchanged_changes_nothing() {
        // As a plan file gives it: with the plan's percentages.
        kelvo::TPlan plan = kelvo::StartingPlan();
        plan.Matches[3].Chances = {10, 10, 80};
        plan.Conditions = {Threshold(TConditionKind::Value, 2)};
        kelvo::TChances chances{};
        kelvo::TChances publicPercentages{};
        for (std::size_t match = 0; match < plan.Matches.size(); ++match) {
            chances[match] = plan.Matches[match].Chances;
            publicPercentages[match] = plan.Matches[match].Public;
        }
        kelvo::SetConditionOdds(plan.Conditions, chances, publicPercentages);
        QAction add;
        QAction remove;
        TConditionsPanel panel(&add, &remove);
        panel.Load(plan);
        QSignalSpy changed(&panel, &TConditionsPanel::Changed);
        panel.findChild<QListWidget*>("ConditionList")->setCurrentRow(0);
        {
            TModalAnswerer answerer({[](QWidget* modal) { OkButton(modal)->click(); }});
            panel.EditCondition();
            QCOMPARE(answerer.Answered(), 1);
        }
        QCOMPARE(changed.count(), 0);
        kelvo::TPlan stored = plan;
        stored.Conditions.clear();
        panel.Store(stored);
        QVERIFY(stored.Conditions == plan.Conditions);
        // The percentages come from the plan's matches as they are when it is stored.
        stored.Matches[5].Public = {20, 20, 60};
        panel.Store(stored);
        QVERIFY(stored.Conditions[0].Public[5] == stored.Matches[5].Public);
        QVERIFY(stored.Conditions[0].Chances[3] == plan.Matches[3].Chances);
    }
};

int main(int argc, char* argv[]) {
    const TTemporaryHome home;
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Kelvo"));
    QCoreApplication::setApplicationName(QStringLiteral("kelvo-planner"));
    TValueConditionTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "value_condition_test.moc"
