// Start-up: the window, then the event loop until the window is closed.
#include <QApplication>
#include <QIcon>

#include "common/transient_settings.h"
#include "main_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Lets the desktop match the window to kelvo-reductor.desktop, whose name and icon its
    // taskbar shows rather than the window caption.
    QGuiApplication::setDesktopFileName(QStringLiteral("kelvo-reductor"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kelvo-reductor.png")));
    const TTransientSettings settings;
    TForm1 Form1;
    Form1.show();
    return QApplication::exec();
}
