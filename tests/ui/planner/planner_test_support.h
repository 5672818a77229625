// Helpers for driving the planner in Qt Test: scripted file choices, a home of its own, the
// forecast set through its toggles, and literal references to check the engine's answers.
#pragma once

#include <QDir>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "core/column_key.h"
#include "modes/conditions.h"
#include "plan/plan.h"
#include "planner_window.h"
#include "ui_test_support.h"

// Points HOME, the XDG folders and every QSettings of the user's scope at a temporary folder,
// and works in a second one, so that a test can check what the planner wrote outside the files
// it was told to write. Create it before the QApplication.
class TTemporaryHome {
public:
    TTemporaryHome();
    QString Home() const { return home_.path(); }
    QString Work() const { return work_.path(); }
    // Every file under the home, relative to it, sorted.
    QStringList HomeFiles() const;

private:
    QTemporaryDir home_;
    QTemporaryDir work_;
};

// The window with a scripted file dialog, shown.
struct TPlanner {
    TPlanner();
    template <typename T>
    T* Control(const QString& name) const {
        return Window->findChild<T*>(name);
    }
    // Sets the signs played in match `match` (from 1) to `signs` ("1X", "2", ...) by clicking
    // the toggles.
    void Play(int match, const QString& signs);
    void Trigger(const char* action);
    // Waits until the count is worked out and returns its label.
    QString AwaitCount();
    // Ticks the budget by a click where it is not ticked, and sets its unit, amount and goal
    // through their controls.
    void SetBudget(const kelvo::TPlanBudget& budget);

    // The file dialog, answering from its script (an empty answer is a cancel, and so is a
    // choice beyond the script), and the message boxes, which a test may give a next answer.
    TFakeFileDialog* Files = nullptr;
    TMessageBox* Messages = nullptr;
    std::unique_ptr<TPlannerWindow> Window;
};

// Answers a message box: keeps its text in `text` and clicks `answer`; a modal window that is
// no message box is closed, its text "(no message box)".
TModalAnswerer::THandler ReadMessageBox(QString* text, QMessageBox::StandardButton answer);

// Every column of a forecast of played signs, literally: each combination written out.
std::vector<std::string> LiteralDevelopment(const std::vector<QString>& played);

// Whether every column of `development` differs from some column of `chosen` in at most
// `radius` positions, checked pair by pair.
bool LiterallyCovers(const std::vector<std::string>& development,
                     const std::vector<kelvo::TKey>& chosen, int radius);

// A condition of `kind` on `sign` between `least` and `most`, over the matches `first` to `last`
// (from 0), as the condition dialog builds one.
kelvo::TCondition MakeCondition(kelvo::TConditionKind kind, char sign, int least, int most,
                                int first = 0, int last = 13);

// The positions where `a` and `b` agree.
int SignsRight(const std::string& a, const std::string& b);
