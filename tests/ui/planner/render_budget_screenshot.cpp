// Renders docs/planner_budget.png: the planner with a week's forecast, its chances and the public's
// percentages, a budget of 20 € chosen for the guarantee's chance, and how the choice went in the
// prize tab, grabbed from the screen with its window manager's frame at 1024x768. Run under a real
// X server with a window manager, with an absolute path (the program works in a folder of its own),
// e.g.
//   Xvfb :77 -screen 0 1024x768x24 & DISPLAY=:77 openbox &
//   DISPLAY=:77 build/tests/ui/planner/kelvo_planner_budget_screenshot $PWD/docs/planner_budget.png
#include <QApplication>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QScreen>
#include <QTest>

#include "planner_test_support.h"

int main(int argc, char* argv[]) {
    const TTemporaryHome home;
    QApplication app(argc, argv);
    if (argc < 2) {
        return 2;
    }
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    TPlanner planner;
    planner.Window->resize(1000, 700);
    planner.Window->move(0, 0);
    const QStringList teams = {"Betis - Sevilla",    "Celta - Eibar",     "Getafe - Osasuna",
                               "Girona - Alavés",    "Valencia - Elche",  "Cádiz - Granada",
                               "Mallorca - Almería", "Oviedo - Sporting", "Tenerife - Huesca",
                               "Málaga - Córdoba",   "Racing - Burgos",   "Zaragoza - Leganés",
                               "Levante - Albacete", "Madrid - Barcelona"};
    const QStringList signs = {"1X", "1X2", "1", "X2", "1", "1X", "12",
                               "1",  "1X2", "2", "1X", "1", "X",  "1X2"};
    // The player's chances, where they differ from the public's 50-30-20.
    const QList<std::array<double, 3>> chances = {{55, 30, 15}, {40, 30, 30}, {70, 20, 10},
                                                  {20, 35, 45}, {65, 25, 10}, {45, 35, 20},
                                                  {45, 20, 35}};
    for (int match = 0; match < 14; ++match) {
        planner.Control<QLineEdit>(QStringLiteral("Teams%1").arg(match + 1))->setText(teams[match]);
        planner.Play(match + 1, signs[match]);
    }
    planner.SetBudget({20, kelvo::TBudgetUnit::Euros, kelvo::TBudgetGoal::Chance});
    for (int match = 0; match < chances.size(); ++match) {
        for (int sign = 0; sign < 3; ++sign) {
            planner
                .Control<QDoubleSpinBox>(
                    QStringLiteral("Chance%1_%2").arg(match + 1).arg(QStringLiteral("1X2")[sign]))
                ->setValue(chances[match][static_cast<std::size_t>(sign)]);
        }
    }
    planner.Window->SetSearchSteps(3, 20000);
    planner.Trigger("ReduceAction");
    static_cast<void>(QTest::qWaitFor([&] { return !planner.Window->Working(); }, 120000));
    planner.Window->activateWindow();
    planner.Control<QWidget>("ResultTabs")->setFocus();
    QTest::qWait(1000);
    const QRect frame = planner.Window->frameGeometry();
    return QGuiApplication::primaryScreen()
                   ->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height())
                   .save(QString::fromLocal8Bit(argv[1]))
               ? 0
               : 1;
}
