// The window's two file dialogs, behind an interface so that a test can answer them.
#pragma once

#include <QString>

class QWidget;

// The description of the one file type both dialogs offer; it matches names ending in .txt in any
// letter case.
inline constexpr char kTextFilesFilter[] = "Text files (*.txt)";

// A file dialog that keeps the name chosen last. A cancel leaves that name as it was, which is why
// the window takes FileName() after every Execute, whatever the user did.
class TFileDialog {
public:
    virtual ~TFileDialog() = default;
    // Shows the dialog modally over `owner`, filled in with FileName(), and waits for it.
    virtual void Execute(QWidget* owner) = 0;
    // The full path chosen last; empty until a name was chosen once.
    virtual QString FileName() const = 0;
};

enum class TFileDialogKind { Open, Save };

// Qt's own file dialog rather than the desktop's, so that it behaves alike on every desktop and a
// test can drive it. The open dialog accepts names of files that do not exist; the save dialog
// never asks about an existing file and adds no extension.
class TQtFileDialog final : public TFileDialog {
public:
    explicit TQtFileDialog(TFileDialogKind kind) : kind_(kind) {}

    void Execute(QWidget* owner) override;
    QString FileName() const override { return fileName_; }

private:
    TFileDialogKind kind_;
    QString fileName_;
};
