// The planner speaks Spanish on a Spanish system and English on any other, every text translated.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <QXmlStreamReader>

#include "planner_test_support.h"
#include "planner_translation.h"

class TPlannerTranslationTest : public QObject {
    Q_OBJECT

private slots:
    void another_language_gets_english() {
        const auto translators = InstallPlannerTranslation(QLocale(QLocale::German));
        QCOMPARE(translators.size(), std::size_t{1});
        TPlanner planner;
        QCOMPARE(planner.Window->findChild<QAction*>("ReduceAction")->text(),
                 QStringLiteral("&Reduce"));
        QCOMPARE(planner.Window->windowTitle(), QStringLiteral("untitled[*] — Kelvo Planner"));
        QCOMPARE(planner.AwaitCount().endsWith(QStringLiteral(" columns")), true);
    }

    void spanish_keeps_the_source_texts() {
        const auto translators =
            InstallPlannerTranslation(QLocale(QLocale::Spanish, QLocale::Spain));
        TPlanner planner;
        QCOMPARE(planner.Window->findChild<QAction*>("ReduceAction")->text(),
                 QStringLiteral("&Reducir"));
        QCOMPARE(planner.Window->findChild<QAction*>("StopAction")->text(),
                 QStringLiteral("&Parar"));
    }

    void every_text_has_its_english_translation() {
        QFile file(QStringLiteral(KELVO_PLANNER_TS));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        int messages = 0;
        QString source;
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement()) {
                continue;
            }
            if (xml.name() == QLatin1String("source")) {
                source = xml.readElementText();
            } else if (xml.name() == QLatin1String("translation")) {
                ++messages;
                const QString type = xml.attributes().value(QLatin1String("type")).toString();
                QVERIFY2(type.isEmpty(), qPrintable(source));
                QVERIFY2(!xml.readElementText().isEmpty(), qPrintable(source));
            }
        }
        QVERIFY(!xml.hasError());
        QVERIFY(messages > 150);
    }
};

int main(int argc, char* argv[]) {
    const TTemporaryHome home;
    QApplication app(argc, argv);
    TPlannerTranslationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "planner_translation_test.moc"
