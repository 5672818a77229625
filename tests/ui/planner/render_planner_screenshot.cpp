// Renders docs/planner.png: the planner with a week's forecast, a condition and a reduction done,
// grabbed from the screen with its window manager's frame. Run under a real X server with a window
// manager, e.g.
//   Xvfb :77 -screen 0 1280x1024x24 & DISPLAY=:77 openbox &
//   DISPLAY=:77 build/tests/ui/planner/kelvo_planner_screenshot docs/planner.png
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QTabWidget>
#include <QTest>

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QSpinBox>

#include "planner_test_support.h"
#include "ui_test_support.h"

int main(int argc, char* argv[]) {
    const TTemporaryHome home;
    QApplication app(argc, argv);
    if (argc < 2) {
        return 2;
    }
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    TPlanner planner;
    planner.Window->resize(1024, 720);
    planner.Window->move(0, 0);
    const QStringList teams = {"Betis - Sevilla",    "Celta - Eibar",     "Getafe - Osasuna",
                               "Girona - Alavés",    "Valencia - Elche",  "Cádiz - Granada",
                               "Mallorca - Almería", "Oviedo - Sporting", "Tenerife - Huesca",
                               "Málaga - Córdoba",   "Racing - Burgos",   "Zaragoza - Leganés",
                               "Levante - Albacete", "Madrid - Barcelona"};
    const QStringList signs = {"1X", "1X2", "1", "X2", "1", "1X", "12",
                               "1",  "1X2", "2", "1X", "1", "X",  "1X2"};
    for (int match = 0; match < 14; ++match) {
        planner.Control<QLineEdit>(QStringLiteral("Teams%1").arg(match + 1))->setText(teams[match]);
        planner.Play(match + 1, signs[match]);
    }
    {
        // Two conditions entered through the dialog, as a player does.
        const auto enter = [](int kind, int sign, int least, int most) {
            return [=](QWidget* modal) {
                modal->findChild<QComboBox*>("ConditionKind")->setCurrentIndex(kind);
                modal->findChild<QComboBox*>("ConditionSign")->setCurrentIndex(sign);
                modal->findChild<QSpinBox*>("ConditionLeast")->setValue(least);
                modal->findChild<QSpinBox*>("ConditionMost")->setValue(most);
                modal->findChild<QDialogButtonBox*>("ConditionButtons")
                    ->button(QDialogButtonBox::Ok)
                    ->click();
            };
        };
        TModalAnswerer answerer({enter(0, 1, 2, 6), enter(3, 0, 0, 3)});
        planner.Trigger("AddConditionAction");
        planner.Trigger("AddConditionAction");
    }
    planner.Window->SetSearchSteps(3, 20000);
    planner.Trigger("ReduceAction");
    static_cast<void>(QTest::qWaitFor([&] { return !planner.Window->Working(); }, 120000));
    planner.Control<QLineEdit>("ResultEdit")->setText("1X1211211X1X12");
    planner.Window->activateWindow();
    QTest::qWait(500);
    const QRect frame = planner.Window->frameGeometry();
    return QGuiApplication::primaryScreen()
                   ->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height())
                   .save(QString::fromLocal8Bit(argv[1]))
               ? 0
               : 1;
}
