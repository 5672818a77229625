// Start-up: the translation for the system's language, the window, the plan named on the command
// line, then the event loop until the window is closed.
#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "planner_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Kelvo"));
    QCoreApplication::setApplicationName(QStringLiteral("kelvo-planner"));
    // Lets the desktop match the window to kelvo-planner.desktop and show its name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("kelvo-planner"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kelvo-planner.png")));
    // Spanish is the source language; any other system language gets the English translation.
    QTranslator translator;
    QTranslator qtTranslator;
    const QLocale locale = QLocale::system();
    if (locale.language() != QLocale::Spanish) {
        if (translator.load(QStringLiteral(":/i18n/kelvo-planner_en.qm"))) {
            QCoreApplication::installTranslator(&translator);
        }
    } else if (qtTranslator.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        // Qt's own buttons and dialogs in Spanish too, where the system has its translation.
        QCoreApplication::installTranslator(&qtTranslator);
    }
    TPlannerWindow window;
    window.show();
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1) {
        window.OpenPlanFile(arguments.at(1));
    }
    return QApplication::exec();
}
