// Renders the window after one run to the picture file named on the command line:
//   QT_QPA_PLATFORM=offscreen build/tests/ui/reductor/kelvo_screenshot docs/screenshot.png
#include <QApplication>
#include <QLineEdit>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QToolButton>

#include <memory>

#include "main_window.h"
#include "ui_test_support.h"

namespace {

const QByteArray kJornada =
    "1X21X21X21X21X\r\n"
    "1X21X21X21X211\r\n"
    "1X21X21X21X212\r\n"
    "111111111111XX\r\n"
    "11111111111122\r\n"
    "1111111111111X\r\n"
    "11111111111111\r\n";

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: kelvo_screenshot PICTURE.png\n";
        return 2;
    }
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/quinielas-XXXXXX"));
    const QString input = dir.filePath(QStringLiteral("jornada.txt"));
    if (!dir.isValid() || !WriteBytes(input, kJornada)) {
        err << "cannot write the sample columns\n";
        return 1;
    }
    auto open = std::make_unique<TFakeFileDialog>();
    auto save = std::make_unique<TFakeFileDialog>();
    open->Answers.push_back(input);
    save->Answers.push_back(dir.filePath(QStringLiteral("jornada-reducida")));
    TForm1 form(std::move(open), std::move(save));
    form.show();
    QTest::mouseClick(form.findChild<QToolButton*>(QStringLiteral("SpeedButton1")), Qt::LeftButton);
    QTest::mouseClick(form.findChild<QToolButton*>(QStringLiteral("SpeedButton2")), Qt::LeftButton);
    QTest::mouseClick(form.findChild<QWidget*>(QStringLiteral("Button1")), Qt::LeftButton);
    if (!form.grab().save(QString::fromLocal8Bit(argv[1]))) {
        err << "cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
