// The planner speaks Spanish on a Spanish system and English on any other, every text translated.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>
#include <QXmlStreamReader>

#include "planner_test_support.h"
#include "planner_translation.h"

namespace {

bool QtTranslationsInstalled() {
    return QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                         QStringLiteral("/qtbase_es.qm"));
}

}  // namespace

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

    void every_part_of_the_window_speaks_english() {
        const auto translators = InstallPlannerTranslation(QLocale(QLocale::German));
        TPlanner planner;
        QCOMPARE(planner.Control<QGroupBox>("ForecastBox")->title(), QStringLiteral("Forecast"));
        QCOMPARE(planner.Control<QGroupBox>("ConditionsBox")->title(),
                 QStringLiteral("Conditions"));
        QCOMPARE(planner.Control<QGroupBox>("ReductionBox")->title(), QStringLiteral("Reduction"));
        QCOMPARE(planner.Control<QCheckBox>("Anywhere")->text(),
                 QStringLiteral("use columns outside the forecast"));
        QCOMPARE(planner.Control<QTableWidget>("PrizeTable")->horizontalHeaderItem(0)->text(),
                 QStringLiteral("Results of\nthe development"));
        QCOMPARE(planner.Control<QLabel>("ReductionSummary")->text(),
                 QStringLiteral("No reduction yet: press Reduce."));
        QCOMPARE(planner.Control<QLineEdit>("ResultEdit")->placeholderText(),
                 QStringLiteral("the week's 14 signs"));

        for (int match = 1; match <= 14; ++match) {
            planner.Play(match, match == 1 ? QStringLiteral("1X") : QStringLiteral("1"));
        }
        planner.Control<QSpinBox>("Budget")->setValue(0);
        planner.Trigger("ReduceAction");
        QTRY_VERIFY_WITH_TIMEOUT(!planner.Window->Working(), 30000);
        QCOMPARE(planner.Control<QLabel>("Phase")->text(), QStringLiteral("Done"));
        const QString columns = QDir::current().absoluteFilePath("columns.txt");
        const QString plan = QDir::current().absoluteFilePath("plan.kelvo");
        planner.Files->Answers = {columns, plan};
        planner.Trigger("SaveColumnsAction");
        auto* status = planner.Window->findChild<QStatusBar*>("StatusBar");
        QCOMPARE(status->currentMessage(), QStringLiteral("Columns saved in ") + columns);
        planner.Trigger("SaveAction");
        QCOMPARE(status->currentMessage(), QStringLiteral("Plan saved in ") + plan);
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

    void qt_own_dialogs_speak_the_planners_language_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("cancel");
        QTest::newRow("Spanish") << QLocale(QLocale::Spanish, QLocale::Spain)
                                 << QStringLiteral("Cancelar");
        QTest::newRow("Spanish of Mexico")
            << QLocale(QLocale::Spanish, QLocale::Mexico) << QStringLiteral("Cancelar");
        QTest::newRow("German") << QLocale(QLocale::German) << QStringLiteral("Cancel");
    }

    void qt_own_dialogs_speak_the_planners_language() {
        QFETCH(QLocale, locale);
        QFETCH(QString, cancel);
        if (!QtTranslationsInstalled()) {
            QSKIP("Qt's translations (qt6-translations-l10n) are not installed");
        }
        const auto translators = InstallPlannerTranslation(locale);
        QVERIFY(!translators.empty());
        QDialogButtonBox buttons(QDialogButtonBox::Cancel);
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), cancel);
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
