// The conditions as a player keeps them: the condition dialog offers "any sign" only to a kind
// that takes it, and a condition is changed in place by a double click, by its button or by the
// button's mnemonic, or left as it was.
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
#include <QToolButton>

#include <cstring>
#include <deque>
#include <vector>

#include "condition_dialog.h"
#include "condition_text.h"
#include "conditions_panel.h"
#include "planner_test_support.h"
#include "ui_test_support.h"

Q_DECLARE_METATYPE(kelvo::TCondition)

namespace {

using kelvo::TCondition;
using kelvo::TConditionKind;

QStringList SignChoices(const QComboBox* sign) {
    QStringList choices;
    for (int index = 0; index < sign->count(); ++index) {
        choices.append(sign->itemText(index));
    }
    return choices;
}

QStringList ListedLines(const TPlanner& planner) {
    const auto* list = planner.Control<QListWidget>("ConditionList");
    QStringList lines;
    for (int row = 0; row < list->count(); ++row) {
        lines.append(list->item(row)->text());
    }
    return lines;
}

// Fills and accepts the condition dialog: kind and sign by their combo index.
TModalAnswerer::THandler EnterCondition(int kind, int sign, int least, int most) {
    return [=](QWidget* modal) {
        modal->findChild<QComboBox*>("ConditionKind")->setCurrentIndex(kind);
        modal->findChild<QComboBox*>("ConditionSign")->setCurrentIndex(sign);
        modal->findChild<QSpinBox*>("ConditionLeast")->setValue(least);
        modal->findChild<QSpinBox*>("ConditionMost")->setValue(most);
        modal->findChild<QDialogButtonBox*>("ConditionButtons")
            ->button(QDialogButtonBox::Ok)
            ->click();
    };
}

// Reads what the dialog shows into `shown` ("title | kind | least-most | preview"), sets the
// bounds to `least` and `most`, and answers with `answer`.
TModalAnswerer::THandler ChangeBounds(QString* shown, int least, int most,
                                      QDialogButtonBox::StandardButton answer) {
    return [=](QWidget* modal) {
        *shown = QStringLiteral("%1 | %2 | %3-%4 | %5")
                     .arg(modal->windowTitle())
                     .arg(modal->findChild<QComboBox*>("ConditionKind")->currentText())
                     .arg(modal->findChild<QSpinBox*>("ConditionLeast")->value())
                     .arg(modal->findChild<QSpinBox*>("ConditionMost")->value())
                     .arg(modal->findChild<QLabel*>("ConditionPreview")->text());
        modal->findChild<QSpinBox*>("ConditionLeast")->setValue(least);
        modal->findChild<QSpinBox*>("ConditionMost")->setValue(most);
        modal->findChild<QDialogButtonBox*>("ConditionButtons")->button(answer)->click();
    };
}

// The three conditions every edit starts from, added through the dialog.
void AddThree(TPlanner& planner) {
    TModalAnswerer answerer(
        {EnterCondition(0, 1, 1, 4), EnterCondition(2, 0, 3, 9), EnterCondition(3, 3, 0, 3)});
    for (int added = 0; added < 3; ++added) {
        planner.Trigger("AddConditionAction");
    }
}

const QStringList kThreeLines = {QStringLiteral("entre 1 y 4 equis"),
                                 QStringLiteral("entre 3 y 9 cambios de signo"),
                                 QStringLiteral("como mucho 3 seguidos de un mismo signo")};

enum class TEditWay { DoubleClick, Button, Mnemonic };

}  // namespace

Q_DECLARE_METATYPE(TEditWay)

class TConditionsPanelTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }

    void any_sign_is_offered_only_to_a_run_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("choices");
        QTest::addColumn<bool>("enabled");
        const QStringList signs = {"1", "X", "2"};
        QTest::newRow("signs of one kind") << 0 << signs << true;
        QTest::newRow("variants") << 1 << signs << false;
        QTest::newRow("breaks") << 2 << signs << false;
        QTest::newRow("run") << 3 << (signs + QStringList{"cualquiera"}) << true;
        QTest::newRow("group") << 4 << signs << true;
        QTest::newRow("base") << 5 << signs << false;
    }
    void any_sign_is_offered_only_to_a_run() {
        QFETCH(int, kind);
        QFETCH(QStringList, choices);
        QFETCH(bool, enabled);
        TConditionDialog dialog;
        // Through the run first, so that a choice it added must go again.
        dialog.findChild<QComboBox*>("ConditionKind")->setCurrentIndex(3);
        dialog.findChild<QComboBox*>("ConditionKind")->setCurrentIndex(kind);
        const auto* sign = dialog.findChild<QComboBox*>("ConditionSign");
        QCOMPARE(SignChoices(sign), choices);
        QCOMPARE(sign->isEnabled(), enabled);
    }

    void any_sign_gives_way_to_1_where_it_is_not_offered() {
        TConditionDialog dialog;
        auto* kind = dialog.findChild<QComboBox*>("ConditionKind");
        auto* sign = dialog.findChild<QComboBox*>("ConditionSign");
        const auto* preview = dialog.findChild<QLabel*>("ConditionPreview");
        kind->setCurrentIndex(3);
        sign->setCurrentIndex(3);
        QCOMPARE(preview->text(), QStringLiteral("como mucho 4 seguidos de un mismo signo"));
        kind->setCurrentIndex(0);
        QCOMPARE(sign->currentText(), QStringLiteral("1"));
        QCOMPARE(preview->text(), QStringLiteral("como mucho 4 unos"));
        QVERIFY(dialog.findChild<QDialogButtonBox*>("ConditionButtons")
                    ->button(QDialogButtonBox::Ok)
                    ->isEnabled());
        sign->setCurrentIndex(2);
        kind->setCurrentIndex(3);
        QCOMPARE(sign->currentText(), QStringLiteral("2"));
        QCOMPARE(preview->text(), QStringLiteral("como mucho 4 seguidos del 2"));
    }

    void the_edit_dialog_shows_each_kind_as_it_is_data() {
        QTest::addColumn<TCondition>("condition");
        QTest::newRow("signs") << MakeCondition(TConditionKind::Signs, '2', 5, 5);
        QTest::newRow("variants") << MakeCondition(TConditionKind::Variants, 0, 4, 6);
        QTest::newRow("breaks") << MakeCondition(TConditionKind::Breaks, 0, 2, 13);
        QTest::newRow("run of X") << MakeCondition(TConditionKind::Run, 'X', 1, 3);
        QTest::newRow("run of any sign") << MakeCondition(TConditionKind::Run, 0, 2, 4);
        QTest::newRow("group") << MakeCondition(TConditionKind::Group, '1', 1, 3, 5, 9);
        TCondition base = MakeCondition(TConditionKind::Base, 0, 3, 5);
        std::memcpy(base.Base.data(), "1X21X21X21X21X", kelvo::kColumnLength);
        QTest::newRow("base") << base;
    }
    void the_edit_dialog_shows_each_kind_as_it_is() {
        QFETCH(TCondition, condition);
        TConditionDialog dialog(condition, nullptr);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Editar condición"));
        QCOMPARE(dialog.findChild<QDialogButtonBox*>("ConditionButtons")
                     ->button(QDialogButtonBox::Ok)
                     ->text(),
                 QStringLiteral("&Aceptar"));
        QCOMPARE(dialog.findChild<QLabel*>("ConditionPreview")->text(),
                 DescribeCondition(condition));
        QVERIFY(dialog.Condition() == condition);
    }

    void a_new_condition_is_still_added() {
        const TConditionDialog dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Añadir condición"));
        QCOMPARE(dialog.findChild<QDialogButtonBox*>("ConditionButtons")
                     ->button(QDialogButtonBox::Ok)
                     ->text(),
                 QStringLiteral("&Añadir"));
    }

    void editing_is_possible_only_with_a_condition_selected() {
        TPlanner planner;
        const auto* edit = planner.Control<QToolButton>("EditConditionButton");
        QCOMPARE(edit->text(), QStringLiteral("&Editar..."));
        QVERIFY(!edit->isEnabled());
        {
            TModalAnswerer answerer({EnterCondition(0, 1, 1, 4)});
            planner.Trigger("AddConditionAction");
        }
        QVERIFY(edit->isEnabled());
        planner.Control<QListWidget>("ConditionList")->setCurrentRow(-1);
        QVERIFY(!edit->isEnabled());
        planner.Control<QListWidget>("ConditionList")->setCurrentRow(0);
        planner.Trigger("RemoveConditionAction");
        QVERIFY(!edit->isEnabled());
        {
            // Nothing selected, the button does nothing and no dialog opens.
            TModalAnswerer answerer(std::deque<TModalAnswerer::THandler>{});
            planner.Window->findChild<TConditionsPanel*>("ConditionsBox")->EditCondition();
            QCOMPARE(answerer.Unexpected(), 0);
        }
    }

    void an_edit_replaces_the_condition_in_place_or_changes_nothing_data() {
        QTest::addColumn<TEditWay>("way");
        QTest::addColumn<QDialogButtonBox::StandardButton>("answer");
        QTest::addColumn<QStringList>("lines");
        QStringList changed = kThreeLines;
        changed[1] = QStringLiteral("entre 2 y 5 cambios de signo");
        QTest::newRow("double click, accepted")
            << TEditWay::DoubleClick << QDialogButtonBox::Ok << changed;
        QTest::newRow("double click, cancelled")
            << TEditWay::DoubleClick << QDialogButtonBox::Cancel << kThreeLines;
        QTest::newRow("button, accepted") << TEditWay::Button << QDialogButtonBox::Ok << changed;
        QTest::newRow("button, cancelled")
            << TEditWay::Button << QDialogButtonBox::Cancel << kThreeLines;
        QTest::newRow("Alt+E, accepted") << TEditWay::Mnemonic << QDialogButtonBox::Ok << changed;
    }
    void an_edit_replaces_the_condition_in_place_or_changes_nothing() {
        QFETCH(TEditWay, way);
        QFETCH(QDialogButtonBox::StandardButton, answer);
        QFETCH(QStringList, lines);
        TPlanner planner;
        AddThree(planner);
        QCOMPARE(ListedLines(planner), kThreeLines);
        const std::vector<TCondition> before = planner.Window->CurrentPlan().Conditions;
        auto* list = planner.Control<QListWidget>("ConditionList");
        QSignalSpy changes(planner.Window->findChild<TConditionsPanel*>("ConditionsBox"),
                           &TConditionsPanel::Changed);

        QString shown;
        {
            TModalAnswerer answerer({ChangeBounds(&shown, 2, 5, answer)});
            switch (way) {
                case TEditWay::DoubleClick: {
                    // The row clicked is the one edited, whichever was selected before.
                    QCOMPARE(list->currentRow(), 2);
                    const QPoint middle = list->visualItemRect(list->item(1)).center();
                    // As a mouse sends it: a click, then the second press that makes it double.
                    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, middle);
                    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, middle);
                    break;
                }
                case TEditWay::Button:
                    list->setCurrentRow(1);
                    QTest::mouseClick(planner.Control<QToolButton>("EditConditionButton"),
                                      Qt::LeftButton);
                    break;
                case TEditWay::Mnemonic:
                    list->setCurrentRow(1);
                    planner.Window->activateWindow();
                    QVERIFY(QTest::qWaitForWindowActive(planner.Window.get()));
                    QTest::keyClick(planner.Window.get(), Qt::Key_E, Qt::AltModifier);
                    break;
            }
            QTRY_COMPARE(answerer.Answered(), 1);
        }
        QCOMPARE(shown, QStringLiteral("Editar condición | Cambios de signo | 3-9 | "
                                       "entre 3 y 9 cambios de signo"));
        QCOMPARE(ListedLines(planner), lines);
        QCOMPARE(list->currentRow(), 1);
        std::vector<TCondition> after = before;
        if (answer == QDialogButtonBox::Ok) {
            after[1].Least = 2;
            after[1].Most = 5;
        }
        QVERIFY(planner.Window->CurrentPlan().Conditions == after);
        QCOMPARE(changes.count(), answer == QDialogButtonBox::Ok ? 1 : 0);
    }

    void accepting_a_condition_unchanged_changes_nothing() {
        TPlanner planner;
        AddThree(planner);
        const std::vector<TCondition> before = planner.Window->CurrentPlan().Conditions;
        QSignalSpy changes(planner.Window->findChild<TConditionsPanel*>("ConditionsBox"),
                           &TConditionsPanel::Changed);
        planner.Control<QListWidget>("ConditionList")->setCurrentRow(0);
        QString shown;
        {
            TModalAnswerer answerer({ChangeBounds(&shown, 1, 4, QDialogButtonBox::Ok)});
            QTest::mouseClick(planner.Control<QToolButton>("EditConditionButton"), Qt::LeftButton);
            QTRY_COMPARE(answerer.Answered(), 1);
        }
        QCOMPARE(shown,
                 QStringLiteral("Editar condición | Signos de un tipo | 1-4 | entre 1 y 4 equis"));
        QCOMPARE(ListedLines(planner), kThreeLines);
        QVERIFY(planner.Window->CurrentPlan().Conditions == before);
        QCOMPARE(changes.count(), 0);
    }
};

int main(int argc, char* argv[]) {
    const TTemporaryHome home;
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Kelvo"));
    QCoreApplication::setApplicationName(QStringLiteral("kelvo-planner"));
    TConditionsPanelTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "conditions_panel_test.moc"
