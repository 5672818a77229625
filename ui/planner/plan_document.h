// The plan's file: where it is, whether the plan has changes not saved in it, opening and saving
// it, and the question before unsaved changes are set aside. The plan itself is the window's: the
// document asks for it when it saves, and hands a plan opened to the window to show.
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

#include "common/file_dialog.h"
#include "common/message_box.h"
#include "plan/plan.h"

class QWidget;

class TPlanDocument final : public QObject {
    Q_OBJECT

public:
    // Files are chosen through `files` and the question is asked through `messages`, both over
    // `window`; `current` gives the plan as the window holds it.
    TPlanDocument(TFileDialog& files, TMessageBox& messages, QWidget* window,
                  std::function<kelvo::TPlan()> current);

    // The plan's file, empty while it has none.
    QString Path() const { return path_; }
    // The file's name, or "sin título" while the plan has no file.
    QString Name() const;
    // Whether the plan has changed since it was opened, saved or begun.
    bool Modified() const { return modified_; }
    // Notes that the plan has changed.
    void MarkModified();

    // Once the player lets the plan's unsaved changes go, a new plan with no file; none when
    // they keep the plan.
    std::optional<kelvo::TPlan> New();
    // Once the player lets the plan's unsaved changes go, the plan in the file they choose; none
    // when they cancel or the file is refused.
    std::optional<kelvo::TPlan> Open();
    // The plan in the file at `path`, which becomes the plan's file. A file that is no plan is
    // refused through Failed, and the document stays as it was.
    std::optional<kelvo::TPlan> OpenFile(const QString& path);
    // Saves the plan in its file, or in one the player chooses while it has none. Returns whether
    // it was saved; a failure is reported through Failed.
    bool Save();
    // Saves the plan in a file the player chooses, with the plan's extension added when missing.
    // Returns whether it was saved.
    bool SaveAs();
    // Whether the plan shown may be set aside: it has no unsaved changes, or the player saves or
    // discards them when asked.
    bool MaySetAside();

signals:
    // The file or whether the plan is modified has changed.
    void StateChanged();
    // Something the player asked for failed, `message` saying why.
    void Failed(const QString& message);
    // Something the player asked for was done, `message` saying what.
    void Reported(const QString& message);

private:
    bool Write(const QString& path);
    void SetState(const QString& path, bool modified);

    TFileDialog& files_;
    TMessageBox& messages_;
    QWidget* window_;
    std::function<kelvo::TPlan()> current_;
    QString path_;
    bool modified_ = false;
};
