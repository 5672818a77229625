// The planner in Spanish speaks no English: not in any text, tip, placeholder or accessible name
// of its window (every tab, with a plan open, its reduction and the chances shown) or of its
// condition dialog, nor in any refusal of a plan file or problem of the chances; and each problem
// of the chances is worded for the player, in Spanish and in English.
#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSet>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QXmlStreamReader>

#include <set>

#include "condition_dialog.h"
#include "modes/prizes.h"
#include "plan_file.h"
#include "planner_test_support.h"
#include "planner_translation.h"
#include "prizes_panel.h"

namespace {

// Words of English that a Spanish text never holds.
const QSet<QString> kEnglishWords = {
    QStringLiteral("the"),        QStringLiteral("and"),     QStringLiteral("of"),
    QStringLiteral("is"),         QStringLiteral("it"),      QStringLiteral("with"),
    QStringLiteral("column"),     QStringLiteral("columns"), QStringLiteral("match"),
    QStringLiteral("matches"),    QStringLiteral("chances"), QStringLiteral("result"),
    QStringLiteral("results"),    QStringLiteral("reduce"),  QStringLiteral("reduction"),
    QStringLiteral("save"),       QStringLiteral("open"),    QStringLiteral("file"),
    QStringLiteral("cancel"),     QStringLiteral("stop"),    QStringLiteral("print"),
    QStringLiteral("prize"),      QStringLiteral("prizes"),  QStringLiteral("forecast"),
    QStringLiteral("sign"),       QStringLiteral("signs"),   QStringLiteral("bound"),
    QStringLiteral("greedy"),     QStringLiteral("lower"),   QStringLiteral("published"),
    QStringLiteral("add"),        QStringLiteral("remove"),  QStringLiteral("condition"),
    QStringLiteral("conditions"), QStringLiteral("time"),    QStringLiteral("guarantee"),
    QStringLiteral("price"),      QStringLiteral("cost"),    QStringLiteral("week"),
    QStringLiteral("right"),      QStringLiteral("line"),    QStringLiteral("number"),
    QStringLiteral("numbers"),    QStringLiteral("must"),    QStringLiteral("need"),
    QStringLiteral("untitled"),   QStringLiteral("done"),    QStringLiteral("json"),
    QStringLiteral("field"),      QStringLiteral("lines"),   QStringLiteral("adds"),
};

// The English of every entry of the planner's translation that differs from its Spanish, its
// mnemonic taken out, but for the words both languages share ("Plan", "X" for "equis").
QSet<QString> EnglishTranslations() {
    QFile file(QStringLiteral(KELVO_PLANNER_TS));
    QSet<QString> english;
    // The signs are written alike in both languages, outside any translation.
    QSet<QString> spanish = {QStringLiteral("1"), QStringLiteral("X"), QStringLiteral("2")};
    if (!file.open(QIODevice::ReadOnly)) {
        return english;
    }
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("source")) {
            spanish.insert(xml.readElementText().remove(QLatin1Char('&')));
        } else if (xml.isStartElement() && xml.name() == QLatin1String("translation")) {
            english.insert(xml.readElementText().remove(QLatin1Char('&')));
        }
    }
    return english - spanish;
}

// Why `text` reads as English, or nothing.
QString EnglishIn(const QString& text, const QSet<QString>& translations) {
    const QString plain = QString(text).remove(QLatin1Char('&'));
    if (translations.contains(plain)) {
        return QStringLiteral("an English translation");
    }
    static const QRegularExpression word(QStringLiteral("\\p{L}+"));
    for (auto match = word.globalMatch(plain); match.hasNext();) {
        const QString each = match.next().captured().toLower();
        if (kEnglishWords.contains(each)) {
            return QStringLiteral("the word \"%1\"").arg(each);
        }
    }
    return {};
}

// Every text the player may read or hear in `window`: texts, titles, tips, placeholders,
// accessible names, the items of lists and menus and the headers of tables.
QStringList TextsOf(QWidget* window) {
    QStringList texts{window->windowTitle()};
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* widget : widgets) {
        texts << widget->toolTip() << widget->accessibleName() << widget->whatsThis()
              << widget->statusTip();
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            texts << label->text();
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            texts << button->text();
        } else if (auto* box = qobject_cast<QGroupBox*>(widget)) {
            texts << box->title();
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            texts << edit->placeholderText();
        } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            for (int item = 0; item < combo->count(); ++item) {
                texts << combo->itemText(item);
            }
        } else if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
            for (int tab = 0; tab < tabs->count(); ++tab) {
                texts << tabs->tabText(tab) << tabs->tabToolTip(tab);
            }
        } else if (auto* table = qobject_cast<QTableView*>(widget); table && table->model()) {
            const QAbstractItemModel* model = table->model();
            for (const auto orientation : {Qt::Horizontal, Qt::Vertical}) {
                const int count =
                    orientation == Qt::Horizontal ? model->columnCount() : model->rowCount();
                for (int section = 0; section < count && section < 20; ++section) {
                    for (const int role : {Qt::DisplayRole, Qt::ToolTipRole}) {
                        texts << model->headerData(section, orientation, role).toString();
                    }
                }
            }
        }
        if (auto* spin = qobject_cast<QAbstractSpinBox*>(widget)) {
            texts << spin->specialValueText();
        }
        for (QAction* action : widget->actions()) {
            texts << action->text() << action->toolTip() << action->statusTip();
        }
    }
    texts.removeAll(QString());
    return texts;
}

// Every refusal of a plan file, each field of a plan among them.
QList<kelvo::TPlanRefusal> EveryRefusal() {
    using kelvo::TPlanFault;
    QList<kelvo::TPlanRefusal> refusals;
    for (const TPlanFault fault :
         {TPlanFault::Unreadable, TPlanFault::Empty, TPlanFault::NotJson, TPlanFault::NotPlan,
          TPlanFault::UnknownVersion, TPlanFault::NewerVersion, TPlanFault::ForeignColumn}) {
        kelvo::TPlanRefusal refusal;
        refusal.Fault = fault;
        refusal.Version = 2;
        refusal.Index = 3;
        refusal.Column = "X1111111111111";
        refusals << refusal;
    }
    kelvo::TPlanRefusal condition;
    condition.Fault = TPlanFault::BadCondition;
    condition.Index = 1;
    condition.Condition.Sign = 'X';
    condition.Condition.Least = 5;
    condition.Condition.Most = 2;
    refusals << condition;
    for (const char* field :
         {"matches",   "conditions", "kind",          "sign",           "first",
          "last",      "base",       "least",         "most",           "chancesShown",
          "price",     "guarantee",  "budgetSeconds", "anywhere",       "result",
          "reduction", "columns",    "greedy",        "final",          "lowerBound",
          "spentMs",   "reachedMs",  "stopped",       "boundPublished", "smallestPossible",
          "colour"}) {
        kelvo::TPlanRefusal refusal;
        refusal.Fault = TPlanFault::BadField;
        refusal.Field = field;
        refusals << refusal;
    }
    for (const char* field : {"teams", "signs", "chances", "matches"}) {
        kelvo::TPlanRefusal refusal;
        refusal.Fault = TPlanFault::BadField;
        refusal.Field = field;
        refusal.Match = 4;
        refusals << refusal;
    }
    return refusals;
}

// The chances of the 14 matches, 0 100 0 but on line `line` (from 1), which holds `text`.
std::string ChancesWith(int line, const std::string& text) {
    std::string chances;
    for (int each = 1; each <= kelvo::kColumnLength; ++each) {
        chances += (each == line ? text : std::string("0 100 0")) + "\n";
    }
    return chances;
}

// The problem the engine finds in `chances`.
kelvo::TChancesProblem ProblemOf(const std::string& chances) {
    try {
        kelvo::ParseChances(chances);
    } catch (const kelvo::TChancesError& error) {
        return error.Problem();
    }
    return {};
}

}  // namespace

Q_DECLARE_METATYPE(kelvo::TChancesProblem)

class TSpanishWordsTest : public QObject {
    Q_OBJECT

public:
    explicit TSpanishWordsTest(const TTemporaryHome& home) : home_(home) {}

private slots:
    void initTestCase() {
        translations_ = EnglishTranslations();
        QVERIFY(translations_.contains(QStringLiteral("Reduce")));
    }

    void english_is_found_where_it_is() {
        QCOMPARE(EnglishIn(QStringLiteral("Reduce"), translations_),
                 QStringLiteral("an English translation"));
        QCOMPARE(EnglishIn(QStringLiteral("line 2: the chances add up to 110"), translations_),
                 QStringLiteral("the word \"line\""));
        QCOMPARE(
            EnglishIn(QStringLiteral("Partido 2: las probabilidades suman 110"), translations_),
            QString());
    }

    void the_spanish_window_holds_no_english() {
        const auto translators =
            InstallPlannerTranslation(QLocale(QLocale::Spanish, QLocale::Spain));
        const QString path = home_.Work() + QStringLiteral("/jornada.kelvo");
        {
            TPlanner first;
            for (int match = 1; match <= 6; ++match) {
                first.Play(match, QStringLiteral("1X2"));
            }
            first.Trigger("ChancesAction");
            SavePlanAt(first.Window->CurrentPlan(), path);
        }
        TPlanner planner;
        QVERIFY(planner.Window->OpenPlanFile(path));
        planner.Window->SetSearchSteps(1, 200);
        planner.Trigger("ReduceAction");
        QTRY_VERIFY_WITH_TIMEOUT(!planner.Window->Working(), 60000);
        QVERIFY(planner.Control<QDoubleSpinBox>("Chance1_1")->isVisible());
        QVERIFY(!planner.Control<QLabel>("ChancesSummary")->text().isEmpty());
        QStringList english;
        auto* tabs = planner.Window->findChild<QTabWidget*>();
        QVERIFY(tabs);
        for (int tab = 0; tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
            for (const QString& text : TextsOf(planner.Window.get())) {
                if (const QString why = EnglishIn(text, translations_); !why.isEmpty()) {
                    english << QStringLiteral("\"%1\": %2").arg(text, why);
                }
            }
        }
        TConditionDialog dialog(planner.Window.get());
        for (int kind = 0; kind < dialog.findChild<QComboBox*>("ConditionKind")->count(); ++kind) {
            dialog.findChild<QComboBox*>("ConditionKind")->setCurrentIndex(kind);
            for (const QString& text : TextsOf(&dialog)) {
                if (const QString why = EnglishIn(text, translations_); !why.isEmpty()) {
                    english << QStringLiteral("\"%1\": %2").arg(text, why);
                }
            }
        }
        english.removeDuplicates();
        QVERIFY2(english.isEmpty(), qPrintable(english.join(QLatin1Char('\n'))));
    }

    void no_refusal_or_problem_of_the_chances_is_told_in_english() {
        const auto translators =
            InstallPlannerTranslation(QLocale(QLocale::Spanish, QLocale::Spain));
        QStringList english;
        QStringList messages;
        for (const kelvo::TPlanRefusal& refusal : EveryRefusal()) {
            messages << PlanRefusalText(refusal, QStringLiteral("p.kelvo"));
        }
        for (const std::string& chances :
             {std::string("50 30 20\n"), ChancesWith(2, "50 30"), ChancesWith(2, "50 30 2O"),
              ChancesWith(2, "60 -10 50"), ChancesWith(2, "50 30 30")}) {
            messages << ChancesProblemText(ProblemOf(chances));
        }
        for (const QString& message : messages) {
            QVERIFY2(!message.isEmpty(), "a refusal or problem without words");
            if (const QString why = EnglishIn(message, translations_); !why.isEmpty()) {
                english << QStringLiteral("\"%1\": %2").arg(message, why);
            }
            QVERIFY2(!message.contains(QStringLiteral("JSON")), qPrintable(message));
            QVERIFY2(!message.contains(QStringLiteral("«")) ||
                         message.contains(QStringLiteral("no es un número")),
                     qPrintable(message));
        }
        QVERIFY2(english.isEmpty(), qPrintable(english.join(QLatin1Char('\n'))));
    }

    void each_problem_of_the_chances_is_worded_for_the_player_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("chances");
        QTest::addColumn<QString>("message");
        const QLocale spanish(QLocale::Spanish, QLocale::Spain);
        const QLocale english(QLocale::English, QLocale::UnitedKingdom);
        const auto row = [&](const char* name, const QLocale& locale, const std::string& chances,
                             const char* message) {
            QTest::newRow(name) << locale << QString::fromStdString(chances)
                                << QString::fromUtf8(message);
        };
        row("lines, Spanish", spanish, "50 30 20\n50 30 20\n",
            "Hay probabilidades de 2 partidos; deben ser de los 14");
        row("numbers, Spanish", spanish, ChancesWith(2, "50 30"),
            "Partido 2: tiene 2 probabilidades; necesita 3, las de 1, X y 2");
        row("no number, Spanish", spanish, ChancesWith(5, "50 30 2O"),
            "Partido 5: «2O» no es un número");
        row("negative, Spanish", spanish, ChancesWith(7, "60 -10 50"),
            "Partido 7: la probabilidad -10 es negativa");
        row("sum, Spanish", spanish, ChancesWith(2, "50 30 30"),
            "Partido 2: las probabilidades suman 110; deben sumar 100");
        row("sum with a decimal, Spanish", spanish, ChancesWith(4, "50 30 19.4"),
            "Partido 4: las probabilidades suman 99,4; deben sumar 100");
        row("lines, English", english, "50 30 20\n50 30 20\n",
            "There are chances for 2 matches; there must be for all 14");
        row("numbers, English", english, ChancesWith(2, "50 30"),
            "Match 2: it has 2 chances; it needs 3, those of 1, X and 2");
        row("no number, English", english, ChancesWith(5, "50 30 2O"),
            "Match 5: “2O” is not a number");
        row("negative, English", english, ChancesWith(7, "60 -10 50"),
            "Match 7: the chance -10 is negative");
        row("sum, English", english, ChancesWith(4, "50 30 19.4"),
            "Match 4: the chances add up to 99.4; they must add up to 100");
    }

    void each_problem_of_the_chances_is_worded_for_the_player() {
        QFETCH(QLocale, locale);
        QFETCH(QString, chances);
        QFETCH(QString, message);
        const auto translators = InstallPlannerTranslation(locale);
        QLocale::setDefault(locale);
        QCOMPARE(ChancesProblemText(ProblemOf(chances.toStdString())), message);
        QLocale::setDefault(QLocale::c());
    }

private:
    const TTemporaryHome& home_;
    QSet<QString> translations_;
};

int main(int argc, char* argv[]) {
    const TTemporaryHome home;
    QApplication app(argc, argv);
    TSpanishWordsTest test(home);
    return QTest::qExec(&test, argc, argv);
}

#include "spanish_words_test.moc"
