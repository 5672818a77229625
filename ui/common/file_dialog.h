// Where the player picks a file to read or a name to write, for both windows, behind one object
// that a test can answer in the player's place.
#pragma once

#include <QString>

#include <optional>

class QWidget;

// What a file dialog lets the player pick.
enum class TFileDialogKind {
    // A file that exists (the planner's plans).
    Open,
    // A name to save under; asks before an existing file is replaced (the planner's plans and
    // exports).
    Save,
    // A name to read from, whether a file of that name exists or not (the reductor's input).
    OpenName,
    // A name to write to, taken as typed: never asks about an existing file and adds no
    // extension (the reductor's output).
    SaveName,
};

// A dialog to show: its kind, caption, filter and the name it starts from.
struct TFileQuestion {
    TFileDialogKind Kind = TFileDialogKind::Open;
    QString Title;      // empty: Qt's own caption for the kind ("Open", "Save As")
    QString Filter;     // as QFileDialog takes it: "Text files (*.txt)"
    QString Suggested;  // the name the dialog is filled in with; empty for none
    // A Save's extension, added by the dialog to a name typed without one before it asks about
    // replacing a file, so that the question names the file that will be written; empty for none.
    QString Extension = {};
};

// Qt's own file dialog rather than the desktop's, so that it behaves alike on every desktop and a
// test can drive it. The OpenName and SaveName dialogs come up centred across their monitor with
// their frame's top at a third of the free height, as the platform's own file dialogs come up,
// and match the filter in any letter case, since column files come from Windows machines as often
// as not, named FOO.TXT. A window owns one and asks it for each choice; a test may set the next
// answer beforehand, as KeePassXC's FileDialog::setNextFileName, or derive from it to answer
// from a script.
class TFileDialog {
public:
    TFileDialog() = default;
    TFileDialog(const TFileDialog&) = delete;
    TFileDialog& operator=(const TFileDialog&) = delete;
    virtual ~TFileDialog() = default;

    // Shows `question` modally over `owner`, waits for the player and returns the full path
    // chosen, or an empty string when they cancel. With a next answer set, returns that answer
    // instead, shows nothing and clears it.
    QString Ask(QWidget* owner, const TFileQuestion& question);

    // The planner's choices: Ask with an Open, or a Save starting from `suggested` that adds
    // `extension` (without its dot) to a name typed without one.
    QString OpenPath(QWidget* owner, const QString& title, const QString& filter);
    QString SavePath(QWidget* owner, const QString& title, const QString& filter,
                     const QString& suggested, const QString& extension = QString());

    // Makes the next Ask return `path` without showing a dialog; an empty `path` is a cancel.
    // Only that one Ask: the one after it shows the dialog again.
    void SetNextAnswer(const QString& path) { next_ = path; }

protected:
    // Shows the dialog and returns the path chosen, empty on a cancel. A test's scripted
    // dialog answers here instead.
    virtual QString Show(QWidget* owner, const TFileQuestion& question);

private:
    std::optional<QString> next_;
};
