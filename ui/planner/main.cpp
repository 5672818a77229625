// Start-up: the translation for the system's language, the window, the plan named on the command
// line, then the event loop until the window is closed.
#include <QApplication>
#include <QIcon>

#include "planner_translation.h"
#include "planner_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Kelvo"));
    QCoreApplication::setApplicationName(QStringLiteral("kelvo-planner"));
    // Lets the desktop match the window to kelvo-planner.desktop and show its name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("kelvo-planner"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kelvo-planner.png")));
    const auto translators = InstallPlannerTranslation(QLocale::system());
    TPlannerWindow window;
    window.show();
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1) {
        window.OpenPlanFile(arguments.at(1));
    }
    return QApplication::exec();
}
