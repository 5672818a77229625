// The reduction in force is never lost without the player's word: a change that would discard it,
// a new run that would replace it and a close that would stop a run are each asked about first,
// and the run panel says what a run found in the player's words.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include <functional>

#include "modes/conditions.h"
#include "plan_file.h"
#include "planner_test_support.h"
#include "ui_test_support.h"

namespace {

const QString kDiscard =
    QStringLiteral("Se descartará la reducción de 94 columnas. ¿Quiere hacer el cambio?");
const QString kReplace = QStringLiteral(
    "Cuando termine, la nueva reducción sustituirá a la de 94 columnas que está en vigor.");
const QString kStopRun =
    QStringLiteral("La reducción aún está en marcha. ¿Quiere pararla y salir?");
const QString kUnsaved =
    QStringLiteral("El plan largo.kelvo tiene cambios sin guardar. ¿Quiere guardarlos?");

// A week of six triples with at most five X, and a reduction of 94 of its columns in force.
kelvo::TPlan PlanWithReduction() {
    kelvo::TPlan plan;
    for (int match = 6; match < kelvo::kColumnLength; ++match) {
        plan.Matches[match].Played = {true, false, false};
    }
    kelvo::TCondition fewX;
    fewX.Sign = 'X';
    fewX.Most = 5;
    plan.Conditions = {fewX};
    const std::vector<kelvo::TKey> development =
        kelvo::DevelopColumns(kelvo::ForecastOf(plan), plan.Conditions);
    kelvo::TPlanReduction reduction;
    for (std::size_t i = 0; reduction.Columns.size() < 94; i += 7) {
        reduction.Columns.push_back(development.at(i));
    }
    reduction.Report.Final = reduction.Columns.size();
    plan.Reduction = reduction;
    return plan;
}

// Answers a message box with `answer`, keeping its text in `text`; anything else is closed.
TModalAnswerer::THandler Answer(QString* text, QMessageBox::StandardButton answer) {
    return [=](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        *text = box != nullptr ? box->text() : QStringLiteral("(no message box)");
        if (box != nullptr) {
            box->button(answer)->click();
        } else {
            modal->close();
        }
    };
}

// A change the player makes, and the state of the control it is made in.
struct TChange {
    const char* Name;
    bool Discards;
    // Makes the change; `question` answers the box that may come up on its way.
    std::function<void(TPlanner&, TModalAnswerer::THandler question)> Make;
    std::function<QString(const TPlanner&)> State;
};

QString Checked(const TPlanner& planner, const char* name) {
    return planner.Control<QAbstractButton>(QString::fromLatin1(name))->isChecked()
               ? QStringLiteral("on")
               : QStringLiteral("off");
}

const std::vector<TChange>& Changes() {
    static const std::vector<TChange> changes = {
        {"teams", false,
         [](TPlanner& planner, TModalAnswerer::THandler question) {
             const TModalAnswerer answerer({std::move(question)});
             QTest::keyClicks(planner.Control<QLineEdit>("Teams1"), QStringLiteral("Betis"));
         },
         [](const TPlanner& planner) { return planner.Control<QLineEdit>("Teams1")->text(); }},
        {"price", false,
         [](TPlanner& planner, TModalAnswerer::THandler question) {
             const TModalAnswerer answerer({std::move(question)});
             planner.Control<QDoubleSpinBox>("Price")->setValue(1.5);
         },
         [](const TPlanner& planner) { return planner.Control<QDoubleSpinBox>("Price")->text(); }},
        {"optimiser's time", false,
         [](TPlanner& planner, TModalAnswerer::THandler question) {
             const TModalAnswerer answerer({std::move(question)});
             planner.Control<QSpinBox>("Budget")->setValue(90);
         },
         [](const TPlanner& planner) { return planner.Control<QSpinBox>("Budget")->text(); }},
        {"chances", false,
         [](TPlanner& planner, TModalAnswerer::THandler question) {
             const TModalAnswerer answerer({std::move(question)});
             planner.Trigger("ChancesAction");
             planner.Control<QDoubleSpinBox>("Chance1_1")->setValue(70);
         },
         [](const TPlanner& planner) {
             return planner.Control<QDoubleSpinBox>("Chance1_1")->text();
         }},
        {"result", false,
         [](TPlanner& planner, TModalAnswerer::THandler question) {
             const TModalAnswerer answerer({std::move(question)});
             QTest::keyClicks(planner.Control<QLineEdit>("ResultEdit"),
                              QStringLiteral("1x21x21111111"));
         },
         [](const TPlanner& planner) { return planner.Control<QLineEdit>("ResultEdit")->text(); }},
        {"sign", true,
         [](TPlanner& planner, TModalAnswerer::THandler question) {
             const TModalAnswerer answerer({std::move(question)});
             QTest::mouseClick(planner.Control<QToolButton>("Sign7_X"), Qt::LeftButton);
         },
         [](const TPlanner& planner) { return Checked(planner, "Sign7_X"); }},
        {"condition added", true,
         [](TPlanner& planner, TModalAnswerer::THandler question) {
             const TModalAnswerer answerer(
                 {[](QWidget* modal) {
                      modal->findChild<QSpinBox*>("ConditionMost")->setValue(4);
                      modal->findChild<QDialogButtonBox*>("ConditionButtons")
                          ->button(QDialogButtonBox::Ok)
                          ->click();
                  },
                  std::move(question)});
             planner.Trigger("AddConditionAction");
         },
         [](const TPlanner& planner) {
             return QString::number(planner.Control<QListWidget>("ConditionList")->count());
         }},
        {"condition removed", true,
         [](TPlanner& planner, TModalAnswerer::THandler question) {
             planner.Control<QListWidget>("ConditionList")->setCurrentRow(0);
             const TModalAnswerer answerer({std::move(question)});
             planner.Trigger("RemoveConditionAction");
         },
         [](const TPlanner& planner) {
             return QString::number(planner.Control<QListWidget>("ConditionList")->count());
         }},
        {"guarantee", true,
         [](TPlanner& planner, TModalAnswerer::THandler question) {
             const TModalAnswerer answerer({std::move(question)});
             planner.Control<QComboBox>("Guarantee")->setCurrentIndex(1);
         },
         [](const TPlanner& planner) {
             return planner.Control<QComboBox>("Guarantee")->currentText();
         }},
        {"columns outside the forecast", true,
         [](TPlanner& planner, TModalAnswerer::THandler question) {
             const TModalAnswerer answerer({std::move(question)});
             QTest::mouseClick(planner.Control<QCheckBox>("Anywhere"), Qt::LeftButton);
         },
         [](const TPlanner& planner) { return Checked(planner, "Anywhere"); }},
    };
    return changes;
}

}  // namespace

class TPlannerTrustTest : public QObject {
    Q_OBJECT

public:
    explicit TPlannerTrustTest(const TTemporaryHome& home) : home_(home) {}

private slots:
    void init() {
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        path_ = home_.Work() + "/en_vigor.kelvo";
        bytes_ = QByteArray::fromStdString(kelvo::PlanBytes(PlanWithReduction()));
        QVERIFY(WriteBytes(path_, bytes_));
    }

    void a_change_asks_before_it_discards_the_reduction_data() {
        QTest::addColumn<int>("change");
        QTest::addColumn<int>("answer");
        for (int change = 0; change < static_cast<int>(Changes().size()); ++change) {
            const TChange& kind = Changes()[change];
            if (!kind.Discards) {
                QTest::addRow("%s keeps it", kind.Name) << change << int(QMessageBox::NoButton);
                continue;
            }
            QTest::addRow("%s, answered Sí", kind.Name) << change << int(QMessageBox::Yes);
            QTest::addRow("%s, answered No", kind.Name) << change << int(QMessageBox::No);
        }
    }

    void a_change_asks_before_it_discards_the_reduction() {
        QFETCH(int, change);
        QFETCH(int, answer);
        const TChange& kind = Changes()[change];
        TPlanner planner;
        QVERIFY(planner.Window->OpenPlanFile(path_));
        QTRY_VERIFY_WITH_TIMEOUT(!planner.Window->Working(), 30000);  // the prizes of the plan
        QCOMPARE(planner.Control<QLabel>("Phase")->text(), QStringLiteral("Terminado"));
        const QString before = kind.State(planner);

        QString asked;
        kind.Make(planner, Answer(&asked, static_cast<QMessageBox::StandardButton>(answer)));
        QCOMPARE(asked, kind.Discards ? kDiscard : QString());
        QCOMPARE(planner.Window->isWindowModified(), answer != QMessageBox::No);
        planner.Trigger("SaveAction");
        const kelvo::TPlan saved = kelvo::OpenPlan(path_.toStdString());

        if (answer == QMessageBox::No) {
            // Undone: the control as it was, the plan unmodified and saved byte for byte as opened.
            QCOMPARE(kind.State(planner), before);
            QCOMPARE(ReadBytes(path_), bytes_);
            QCOMPARE(planner.Control<QLabel>("Phase")->text(), QStringLiteral("Terminado"));
            return;
        }
        QVERIFY(kind.State(planner) != before);
        QCOMPARE(ReadBytes(path_),
                 QByteArray::fromStdString(kelvo::PlanBytes(planner.Window->CurrentPlan())));
        if (kind.Discards) {
            QVERIFY(!saved.Reduction);
            // The run panel no longer speaks of the run that made the reduction gone.
            QCOMPARE(planner.Control<QLabel>("Phase")->text(), QString());
            QCOMPARE(planner.Control<QProgressBar>("Progress")->value(), 0);
            QVERIFY(!planner.Window->findChild<QAction*>("SaveColumnsAction")->isEnabled());
        } else {
            QVERIFY(saved.Reduction == PlanWithReduction().Reduction);
            QVERIFY(planner.Window->findChild<QAction*>("SaveColumnsAction")->isEnabled());
        }
    }

    void reducir_asks_before_a_new_reduction_replaces_the_one_in_force_data() {
        QTest::addColumn<int>("answer");
        QTest::newRow("Reducir") << int(QMessageBox::Ok);
        QTest::newRow("Cancelar") << int(QMessageBox::Cancel);
    }

    void reducir_asks_before_a_new_reduction_replaces_the_one_in_force() {
        QFETCH(int, answer);
        TPlanner planner;
        QVERIFY(planner.Window->OpenPlanFile(path_));
        QTRY_VERIFY_WITH_TIMEOUT(!planner.Window->Working(), 30000);
        planner.Window->SetSearchSteps(7, 2000);
        QString asked;
        {
            const TModalAnswerer answerer(
                {Answer(&asked, static_cast<QMessageBox::StandardButton>(answer))});
            planner.Trigger("ReduceAction");
        }
        QCOMPARE(asked, kReplace);
        if (answer == QMessageBox::Cancel) {
            QVERIFY(!planner.Window->Working());
            QCOMPARE(planner.Control<QLabel>("Phase")->text(), QStringLiteral("Terminado"));
            QVERIFY(!planner.Window->isWindowModified());
            QVERIFY(planner.Window->CurrentPlan().Reduction == PlanWithReduction().Reduction);
            return;
        }
        QVERIFY(planner.Window->Working());
        QVERIFY(planner.Window->CurrentPlan().Reduction == PlanWithReduction().Reduction);
        QTRY_VERIFY_WITH_TIMEOUT(!planner.Window->Working(), 60000);
        const kelvo::TPlan plan = planner.Window->CurrentPlan();
        QVERIFY(plan.Reduction);
        QVERIFY(plan.Reduction->Columns != PlanWithReduction().Reduction->Columns);
        QCOMPARE(planner.Control<QLabel>("BestSoFar")->text(),
                 QStringLiteral("Reducción: %1 columnas").arg(plan.Reduction->Columns.size()));
    }

    void closing_during_a_run_asks_to_stop_it_data() {
        QTest::addColumn<bool>("byShortcut");
        QTest::addColumn<bool>("unsaved");
        QTest::addColumn<int>("stop");
        QTest::addColumn<int>("keep");  // the answer to the unsaved changes, when asked
        QTest::addColumn<bool>("closed");
        const auto add = [](const char* how, bool byShortcut) {
            QTest::addRow("%s, No", how) << byShortcut << false << int(QMessageBox::No)
                                         << int(QMessageBox::NoButton) << false;
            QTest::addRow("%s, Sí", how) << byShortcut << false << int(QMessageBox::Yes)
                                         << int(QMessageBox::NoButton) << true;
            QTest::addRow("%s unsaved, Sí, Descartar", how)
                << byShortcut << true << int(QMessageBox::Yes) << int(QMessageBox::Discard) << true;
            QTest::addRow("%s unsaved, Sí, Cancelar", how)
                << byShortcut << true << int(QMessageBox::Yes) << int(QMessageBox::Cancel) << false;
        };
        add("closing", false);
        add("Ctrl+Q", true);
    }

    void closing_during_a_run_asks_to_stop_it() {
        QFETCH(bool, byShortcut);
        QFETCH(bool, unsaved);
        QFETCH(int, stop);
        QFETCH(int, keep);
        QFETCH(bool, closed);
        kelvo::TPlan plan;
        plan.BudgetSeconds = kelvo::kMostBudgetSeconds;
        plan.Matches[13].Played = {true, false, false};
        const QString path = home_.Work() + "/largo.kelvo";
        QVERIFY(WriteBytes(path, QByteArray::fromStdString(kelvo::PlanBytes(plan))));
        TPlanner planner;
        QVERIFY(planner.Window->OpenPlanFile(path));
        if (unsaved) {
            QTest::keyClicks(planner.Control<QLineEdit>("Teams1"), QStringLiteral("Betis"));
        }
        planner.Trigger("ReduceAction");
        QVERIFY(planner.Window->Working());

        QString stopAsked;
        QString keepAsked;
        {
            std::deque<TModalAnswerer::THandler> answers = {
                Answer(&stopAsked, static_cast<QMessageBox::StandardButton>(stop))};
            if (keep != QMessageBox::NoButton) {
                answers.push_back(
                    Answer(&keepAsked, static_cast<QMessageBox::StandardButton>(keep)));
            }
            const TModalAnswerer answerer(answers);
            if (byShortcut) {
                planner.Window->activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(planner.Window.get()));
                QTest::keyClick(planner.Window.get(), Qt::Key_Q, Qt::ControlModifier);
            } else {
                planner.Window->close();
            }
            QCOMPARE(answerer.Unexpected(), 0);
        }
        QCOMPARE(stopAsked, kStopRun);
        QCOMPARE(keepAsked, keep != QMessageBox::NoButton ? kUnsaved : QString());
        QCOMPARE(planner.Window->isVisible(), !closed);
        QCOMPARE(planner.Window->Working(), !closed);
        QCOMPARE(planner.Window->isWindowModified(), unsaved);
        QCOMPARE(ReadBytes(path), QByteArray::fromStdString(kelvo::PlanBytes(plan)));
    }

    void a_scoring_run_closes_without_asking() {
        TPlanner planner;
        QVERIFY(planner.Window->OpenPlanFile(path_));
        // The prizes of the plan are being weighed: no reduction runs, so nothing is asked.
        QVERIFY(planner.Window->Working());
        const TModalAnswerer answerer({});
        QVERIFY(planner.Window->close());
        QCOMPARE(answerer.Unexpected(), 0);
    }

    void the_run_panel_says_how_far_a_reduction_could_go() {
        TPlanner planner;
        for (int match = 1; match <= 14; ++match) {
            planner.Play(match, match <= 6 ? QStringLiteral("1X2") : QStringLiteral("1"));
        }
        planner.Window->SetSearchSteps(1, 200);
        planner.Trigger("ReduceAction");
        QTRY_VERIFY_WITH_TIMEOUT(!planner.Window->Working(), 60000);
        // Six triples at 13: the known code of 73 columns against the published bound of 71.
        QCOMPARE(planner.Control<QLabel>("BestSoFar")->text(),
                 QStringLiteral("Reducción: 73 columnas"));
        QCOMPARE(planner.Control<QLabel>("LowerBound")->text(),
                 QStringLiteral("Ninguna reducción puede bajar de 71 columnas: como mucho se "
                                "ahorrarían 2 más"));

        // Five triples: the 27 columns of the perfect-sized code, which no reduction beats.
        planner.Messages->SetNextAnswer(QMessageBox::Yes);
        planner.Play(6, QStringLiteral("1"));
        planner.Trigger("ReduceAction");
        QTRY_VERIFY_WITH_TIMEOUT(!planner.Window->Working(), 60000);
        QCOMPARE(planner.Control<QLabel>("BestSoFar")->text(),
                 QStringLiteral("Reducción: 27 columnas"));
        QCOMPARE(planner.Control<QLabel>("LowerBound")->text(),
                 QStringLiteral("La más pequeña posible: ninguna reducción tiene menos columnas"));

        // While a search goes on, its best is one so far.
        planner.Messages->SetNextAnswer(QMessageBox::Yes);
        planner.Play(6, QStringLiteral("1X2"));
        planner.Play(7, QStringLiteral("1X2"));
        planner.Window->SetSearchSteps(1, 1'000'000'000);
        planner.Trigger("ReduceAction");
        QTRY_VERIFY_WITH_TIMEOUT(planner.Control<QLabel>("BestSoFar")
                                     ->text()
                                     .startsWith(QStringLiteral("Mejor hasta ahora: ")),
                                 30000);
        planner.Trigger("StopAction");
        QTRY_VERIFY_WITH_TIMEOUT(!planner.Window->Working(), 30000);
        QVERIFY(
            planner.Control<QLabel>("BestSoFar")->text().startsWith(QStringLiteral("Reducción: ")));
    }

private:
    const TTemporaryHome& home_;
    QString path_;
    QByteArray bytes_;
};

int main(int argc, char* argv[]) {
    const TTemporaryHome home;
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Kelvo"));
    QCoreApplication::setApplicationName(QStringLiteral("kelvo-planner"));
    TPlannerTrustTest test(home);
    return QTest::qExec(&test, argc, argv);
}

#include "planner_trust_test.moc"
