// Random clicks and keys on the planner's controls, from a fixed seed and for a fixed number of
// events, every modal window answered or closed as it comes: the planner must end with no crash
// and no file written outside its temporary folders.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDirIterator>
#include <QTest>
#include <QTimer>

#include <random>

#include "planner_test_support.h"

namespace {

constexpr int kEvents = 400;
constexpr std::uint32_t kSeed = 20240504;

const std::array<Qt::Key, 12> kKeys = {
    Qt::Key_Tab, Qt::Key_Space, Qt::Key_Return, Qt::Key_1,         Qt::Key_X, Qt::Key_2,
    Qt::Key_Up,  Qt::Key_Down,  Qt::Key_Escape, Qt::Key_Backspace, Qt::Key_A, Qt::Key_5};

QStringList FilesUnder(const QString& folder) {
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        files.append(QDir(folder).relativeFilePath(it.next()));
    }
    files.sort();
    return files;
}

}  // namespace

class TPlannerMonkeyTest : public QObject {
    Q_OBJECT

public:
    explicit TPlannerMonkeyTest(const TTemporaryHome& home) : home_(home) {}

private slots:
    void random_events_end_without_a_crash_or_a_stray_file() {
        std::mt19937 random(kSeed);
        int modals = 0;
        // Whatever modal comes up (a dialog, a question, the print dialog) is closed soon after.
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&modals] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                ++modals;
                modal->close();
            }
        });
        closer.start(5);
        {
            TPlanner planner;
            planner.Window->SetSearchSteps(1, 200);
            planner.Files->Answers = {home_.Work() + "/mono.kelvo", home_.Work() + "/mono.txt",
                                      QString(), home_.Work() + "/mono.pdf"};
            // Matches 8 to 14 keep 1 alone, so that no development grows past 3^7 columns and
            // every reduction ends in moments.
            for (int match = 1; match <= 14; ++match) {
                planner.Play(match, match <= 7 ? QStringLiteral("1X") : QStringLiteral("1"));
            }
            QList<QWidget*> widgets = planner.Window->findChildren<QWidget*>();
            widgets.removeIf([](const QWidget* widget) {
                const QString name = widget->objectName();
                return name.startsWith("Sign") && name.section('_', 0, 0).mid(4).toInt() >= 8;
            });
            const QList<QAction*> actions = planner.Window->findChildren<QAction*>();
            for (int event = 0; event < kEvents; ++event) {
                const std::uint32_t pick = random();
                QWidget* widget = widgets[static_cast<qsizetype>(pick % widgets.size())];
                if (!widget->isVisible() || !widget->isEnabled()) {
                    continue;
                }
                switch (random() % 4) {
                    case 0:
                        QTest::mouseClick(
                            widget, Qt::LeftButton, {},
                            QPoint(static_cast<int>(random() % std::max(1, widget->width())),
                                   static_cast<int>(random() % std::max(1, widget->height()))));
                        break;
                    case 1:
                        QTest::keyClick(widget, kKeys[random() % kKeys.size()]);
                        break;
                    case 2: {
                        QAction* action =
                            actions[static_cast<qsizetype>(random() % actions.size())];
                        // Quitting would end the run early: the window is closed at the end.
                        if (action->objectName() != "QuitAction" && action->isEnabled()) {
                            action->trigger();
                        }
                        break;
                    }
                    default:
                        QTest::qWait(0);
                        break;
                }
            }
            QTRY_VERIFY_WITH_TIMEOUT(!planner.Window->Working(), 60000);
            planner.Window->close();
        }
        closer.stop();
        for (const QString& file : FilesUnder(home_.Home())) {
            QCOMPARE(file, QStringLiteral(".config/Kelvo/kelvo-planner.conf"));
        }
        for (const QString& file : FilesUnder(home_.Work())) {
            // Only the names the scripted file dialog gave, with the plan's extension where added.
            QVERIFY2(file.startsWith("mono."), qPrintable(file));
        }
    }

private:
    const TTemporaryHome& home_;
};

int main(int argc, char* argv[]) {
    const TTemporaryHome home;
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Kelvo"));
    QCoreApplication::setApplicationName(QStringLiteral("kelvo-planner"));
    TPlannerMonkeyTest test(home);
    return QTest::qExec(&test, argc, argv);
}

#include "planner_monkey_test.moc"
