// Every Alt letter of a window or dialog leads to one control: in the planner window (every tab
// and the menu bar), in each of its menus, in its condition dialog and in the reductor window,
// in Spanish and in English.
#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTest>

#include <map>
#include <memory>
#include <vector>

#include "condition_dialog.h"
#include "main_window.h"
#include "planner_test_support.h"
#include "planner_translation.h"

namespace {

// The letter after the single '&' of `text`, upper-cased; none when it has no mnemonic.
QString Mnemonic(const QString& text) {
    for (qsizetype at = 0; at + 1 < text.size(); ++at) {
        if (text[at] != QLatin1Char('&')) {
            continue;
        }
        if (text[at + 1] == QLatin1Char('&')) {
            ++at;
            continue;
        }
        return text[at + 1].toUpper();
    }
    return {};
}

// The texts that give a mnemonic to the controls of one window or dialog, the menu bar's titles
// with them; a menu's items are reached only with the menu open, so each menu is a scope of its
// own.
struct TScopes {
    std::map<QString, QStringList> Texts;

    void Walk(const QString& name, QWidget* window) {
        QStringList& texts = Texts[name];
        const auto own = [window](QWidget* widget) { return widget->window() == window; };
        for (auto* label : window->findChildren<QLabel*>()) {
            if (own(label)) {
                texts << label->text();
            }
        }
        for (auto* button : window->findChildren<QAbstractButton*>()) {
            if (own(button)) {
                texts << button->text();
            }
        }
        for (auto* box : window->findChildren<QGroupBox*>()) {
            if (own(box)) {
                texts << box->title();
            }
        }
        for (auto* tabs : window->findChildren<QTabBar*>()) {
            for (int tab = 0; own(tabs) && tab < tabs->count(); ++tab) {
                texts << tabs->tabText(tab);
            }
        }
        for (auto* bar : window->findChildren<QMenuBar*>()) {
            for (QAction* action : bar->actions()) {
                texts << action->text();
            }
        }
        for (auto* menu : window->findChildren<QMenu*>()) {
            QStringList& items = Texts[name + QStringLiteral(", menu ") + menu->title()];
            for (QAction* action : menu->actions()) {
                items << action->text();
            }
        }
    }

    // "scope: Alt+T for "&Tiempo:" and "Resul&tado:"", one line for each clash.
    QStringList Clashes() const {
        QStringList clashes;
        for (const auto& [scope, texts] : Texts) {
            std::map<QString, QString> first;
            for (const QString& text : texts) {
                const QString letter = Mnemonic(text);
                if (letter.isEmpty()) {
                    continue;
                }
                const auto [taken, fresh] = first.emplace(letter, text);
                if (!fresh) {
                    clashes << QStringLiteral("%1: Alt+%2 for \"%3\" and \"%4\"")
                                   .arg(scope, letter, taken->second, text);
                }
            }
        }
        return clashes;
    }
};

}  // namespace

class TMnemonicsTest : public QObject {
    Q_OBJECT

private slots:
    void the_mnemonic_reading_skips_a_doubled_ampersand() {
        QCOMPARE(Mnemonic(QStringLiteral("Resul&tado:")), QStringLiteral("T"));
        QCOMPARE(Mnemonic(QStringLiteral("1 && 2 &bis")), QStringLiteral("B"));
        QCOMPARE(Mnemonic(QStringLiteral("Reducir")), QString());
        TScopes scopes;
        scopes.Texts[QStringLiteral("w")] = {QStringLiteral("&Tiempo:"),
                                             QStringLiteral("Resul&tado:"),
                                             QStringLiteral("&Garantía:")};
        QCOMPARE(scopes.Clashes(),
                 QStringList{QStringLiteral("w: Alt+T for \"&Tiempo:\" and \"Resul&tado:\"")});
    }

    void every_mnemonic_is_unique_in_its_window_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("Spanish") << QLocale(QLocale::Spanish, QLocale::Spain);
        QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedKingdom);
    }

    void every_mnemonic_is_unique_in_its_window() {
        QFETCH(QLocale, locale);
        const auto translators = InstallPlannerTranslation(locale);
        TScopes scopes;
        TPlanner planner;
        auto* tabs = planner.Window->findChild<QTabWidget*>();
        QVERIFY(tabs);
        for (int tab = 0; tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
        }
        scopes.Walk(QStringLiteral("planner window"), planner.Window.get());
        TConditionDialog dialog(planner.Window.get());
        scopes.Walk(QStringLiteral("condition dialog"), &dialog);
        TForm1 reductor;
        scopes.Walk(QStringLiteral("reductor window"), &reductor);
        // The walk reached the controls: the reduction's labels and the menus' items.
        QVERIFY(scopes.Texts[QStringLiteral("planner window")].size() > 20);
        QVERIFY(scopes.Texts.size() >= 5);
        const QStringList clashes = scopes.Clashes();
        QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join(QLatin1Char('\n'))));
    }
};

int main(int argc, char* argv[]) {
    const TTemporaryHome home;
    QApplication app(argc, argv);
    TMnemonicsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "mnemonics_test.moc"
