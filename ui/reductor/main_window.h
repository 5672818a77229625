// The program's one window: the two file choices, the run button, the log and the notice.
#pragma once

#include <QString>
#include <QWidget>

#include <array>
#include <memory>
#include <string>

#include "common/file_dialog.h"
#include "common/message_box.h"
#include "modes/run.h"

class QCloseEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

// The main window, and the host of the runs it starts. The controls go through a fixed sequence:
// at start only SpeedButton1 (input file) can be pressed, SpeedButton2 (output name) once an input
// was chosen, Button1 (run) once an output was chosen; a completed run disables Button1 and
// SpeedButton2 again. During a run all three are disabled, so that a run never starts inside
// another.
class TForm1 : public QWidget, public kelvo::TRunHost {
public:
    // The window with Qt's file dialogs and message boxes.
    TForm1();
    // The window with the given dialogs for the input file and the output name, and the given
    // message boxes (Qt's where `messageBox` is null).
    TForm1(std::unique_ptr<TFileDialog> openDialog, std::unique_ptr<TFileDialog> saveDialog,
           std::unique_ptr<TMessageBox> messageBox = nullptr);
    ~TForm1() override;

    // TRunHost: appends to Memo1, shows the notice box, handles pending events.
    void AddLogLine(const std::string& text) override;
    void ShowInfo(const std::string& text) override;
    void PumpEvents() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    std::array<QWidget*, 5> TabOrder() const;
    void FormCreate();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void Button1Click();
    void SetChoiceButtons(bool inputEnabled, bool outputEnabled, bool runEnabled);
    void ShowError(const std::string& message);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QPushButton* Button1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPlainTextEdit* Memo2 = nullptr;
    std::unique_ptr<TFileDialog> OpenDialog1;
    std::unique_ptr<TFileDialog> SaveDialog1;
    std::unique_ptr<TMessageBox> MessageBox1;

    // The names chosen last. Each dialog comes up filled in with its own, and a cancel leaves it
    // as it was, which is why the edits show it after every choice, whatever the user did.
    QString InputPath;
    QString OutputPath;
    QString title_;             // caption of the notice and error boxes
    bool running_ = false;      // inside Button1Click's run
    bool closeWanted_ = false;  // the window was asked to close during the run
};
