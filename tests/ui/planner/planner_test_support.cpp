#include "planner_test_support.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDirIterator>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QSettings>
#include <QTest>
#include <QToolButton>

#include <functional>

TTemporaryHome::TTemporaryHome() {
    qputenv("HOME", home_.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home_.path() + "/.config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home_.path() + "/.local/share").toLocal8Bit());
    qputenv("XDG_CACHE_HOME", (home_.path() + "/.cache").toLocal8Bit());
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        QSettings::setPath(format, QSettings::UserScope, home_.path() + "/.config");
    }
    QDir::setCurrent(work_.path());
}

QStringList TTemporaryHome::HomeFiles() const {
    QStringList files;
    QDirIterator it(home_.path(), QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        files.append(QDir(home_.path()).relativeFilePath(it.next()));
    }
    files.sort();
    return files;
}

TPlanner::TPlanner() {
    auto files = std::make_unique<TFakeFileDialog>();
    Files = files.get();
    auto messages = std::make_unique<TMessageBox>();
    Messages = messages.get();
    Window = std::make_unique<TPlannerWindow>(std::move(files), std::move(messages));
    Window->show();
}

void TPlanner::Play(int match, const QString& signs) {
    // Switch on what is wanted first, so that the last sign on is never the one clicked off.
    for (const char sign : {'1', 'X', '2'}) {
        auto* button = Control<QToolButton>(QStringLiteral("Sign%1_%2").arg(match).arg(sign));
        if (signs.contains(QLatin1Char(sign)) && !button->isChecked()) {
            QTest::mouseClick(button, Qt::LeftButton);
        }
    }
    for (const char sign : {'1', 'X', '2'}) {
        auto* button = Control<QToolButton>(QStringLiteral("Sign%1_%2").arg(match).arg(sign));
        if (!signs.contains(QLatin1Char(sign)) && button->isChecked()) {
            QTest::mouseClick(button, Qt::LeftButton);
        }
    }
}

void TPlanner::Trigger(const char* action) {
    Window->findChild<QAction*>(QString::fromLatin1(action))->trigger();
}

QString TPlanner::AwaitCount() {
    if (!QTest::qWaitFor([this] { return !Window->Counting(); }, 20000)) {
        return QStringLiteral("(still counting)");
    }
    return Control<QLabel>("ColumnCount")->text();
}

void TPlanner::SetBudget(const kelvo::TPlanBudget& budget) {
    auto* on = Control<QCheckBox>("BudgetOn");
    if (!on->isChecked()) {
        QTest::mouseClick(on, Qt::LeftButton, {}, QPoint(4, on->height() / 2));
    }
    auto* unit = Control<QComboBox>("BudgetUnit");
    unit->setCurrentIndex(unit->findData(static_cast<int>(budget.Unit)));
    Control<QDoubleSpinBox>("BudgetAmount")->setValue(budget.Amount);
    auto* goal = Control<QComboBox>("BudgetGoal");
    goal->setCurrentIndex(goal->findData(static_cast<int>(budget.Goal)));
}

TModalAnswerer::THandler ReadMessageBox(QString* text, QMessageBox::StandardButton answer) {
    return [=](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        *text = box != nullptr ? box->text() : QStringLiteral("(no message box)");
        if (box != nullptr) {
            box->button(answer)->click();
        } else {
            modal->close();
        }
    };
}

std::vector<std::string> LiteralDevelopment(const std::vector<QString>& played) {
    std::vector<std::string> columns;
    std::string column(played.size(), ' ');
    const std::function<void(std::size_t)> extend = [&](std::size_t match) {
        if (match == played.size()) {
            columns.push_back(column);
            return;
        }
        for (const QChar sign : played[match]) {
            column[match] = sign.toLatin1();
            extend(match + 1);
        }
    };
    extend(0);
    return columns;
}

int SignsRight(const std::string& a, const std::string& b) {
    int right = 0;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        right += a[i] == b[i];
    }
    return right;
}

bool LiterallyCovers(const std::vector<std::string>& development,
                     const std::vector<kelvo::TKey>& chosen, int radius) {
    std::vector<std::string> texts;
    for (const kelvo::TKey& key : chosen) {
        texts.push_back(kelvo::ColumnText(key));
    }
    for (const std::string& column : development) {
        bool covered = false;
        for (const std::string& text : texts) {
            if (kelvo::kColumnLength - SignsRight(column, text) <= radius) {
                covered = true;
                break;
            }
        }
        if (!covered) {
            return false;
        }
    }
    return true;
}

kelvo::TCondition MakeCondition(kelvo::TConditionKind kind, char sign, int least, int most,
                                int first, int last) {
    kelvo::TCondition condition;
    condition.Kind = kind;
    condition.Sign = sign;
    condition.Least = least;
    condition.Most = most;
    condition.First = first;
    condition.Last = last;
    return condition;
}
