// The file dialog both windows share: its next-answer hook, and the dialog of each kind that it
// shows when no answer is set.
#include <QAbstractButton>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

#include "common/file_dialog.h"
#include "common/transient_settings.h"
#include "ui_test_support.h"

Q_DECLARE_METATYPE(TFileDialogKind)

namespace {

// What the answerer saw of a file dialog before it answered it.
struct TFileDialogSeen {
    bool Seen = false;
    bool QtOwn = false;
    QString Title;
    QFileDialog::AcceptMode Mode = QFileDialog::AcceptOpen;
    QFileDialog::FileMode Files = QFileDialog::AnyFile;
    bool Confirms = false;  // asks before an existing file is replaced
    QStringList NameFilters;
    QString Selected;  // the name the dialog was filled in with
};

// Records the dialog, then answers it with `typed` entered as the file name and Enter, or with
// Esc when `typed` is empty. Where the reductor's dialogs stand is the reductor's dialog tests'.
TModalAnswerer::THandler AnswerFileDialog(TFileDialogSeen& seen, const QString& typed) {
    return [&seen, typed](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (dialog == nullptr) {
            modal->close();
            return;
        }
        seen.Seen = true;
        seen.QtOwn = dialog->testOption(QFileDialog::DontUseNativeDialog);
        seen.Title = dialog->windowTitle();
        seen.Mode = dialog->acceptMode();
        seen.Files = dialog->fileMode();
        seen.Confirms = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        seen.NameFilters = dialog->nameFilters();
        seen.Selected = QFileInfo(dialog->selectedFiles().value(0)).fileName();
        TypeIntoFileDialog(dialog, typed);
    };
}

// Presses the button of a question box that stands for `button`.
TModalAnswerer::THandler PressButton(QMessageBox::StandardButton button, bool& asked) {
    return [button, &asked](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        asked = box != nullptr && box->button(button) != nullptr;
        if (asked) {
            // A click, not a mouse event: under a loaded window manager a mouse event can reach
            // the box before it is mapped and be lost, leaving the nested dialog open for good.
            box->button(button)->click();
        } else {
            modal->close();
        }
    };
}

}  // namespace

class TFileDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void next_answer_is_returned_without_a_dialog_data();
    void next_answer_is_returned_without_a_dialog();
    void next_answer_serves_one_dialog_only();
    void each_kind_shows_its_dialog_data();
    void each_kind_shows_its_dialog();
    void save_asks_before_replacing_a_file_and_save_name_does_not();

private:
    QString Path(const QString& name) const { return dir_.filePath(name); }

    QTemporaryDir dir_;
    std::optional<TTransientSettings> settings_;
    QWidget owner_;
};

void TFileDialogTest::initTestCase() {
    QVERIFY(dir_.isValid());
    QVERIFY(WriteBytes(Path(QStringLiteral("semana.kelvo")), "{}"));
    settings_.emplace();
    owner_.show();
}

void TFileDialogTest::next_answer_is_returned_without_a_dialog_data() {
    QTest::addColumn<TFileDialogKind>("kind");
    QTest::addColumn<QString>("answer");
    const QString path = QStringLiteral("/tmp/elegido.txt");
    QTest::newRow("open, a path") << TFileDialogKind::Open << path;
    QTest::newRow("save, a path") << TFileDialogKind::Save << path;
    QTest::newRow("open a name, a path") << TFileDialogKind::OpenName << path;
    QTest::newRow("save a name, a path") << TFileDialogKind::SaveName << path;
    QTest::newRow("open, a cancel") << TFileDialogKind::Open << QString();
    QTest::newRow("save a name, a cancel") << TFileDialogKind::SaveName << QString();
}

void TFileDialogTest::next_answer_is_returned_without_a_dialog() {
    QFETCH(TFileDialogKind, kind);
    QFETCH(QString, answer);
    TFileDialog dialog;
    dialog.SetNextAnswer(answer);
    TModalAnswerer answerer({});  // closes and counts any dialog that comes up
    QCOMPARE(dialog.Ask(&owner_, {kind, QStringLiteral("Abrir"), QStringLiteral("*.txt"),
                                  QStringLiteral("sugerido.txt")}),
             answer);
    QCOMPARE(answerer.Unexpected(), 0);
}

void TFileDialogTest::next_answer_serves_one_dialog_only() {
    TFileDialog dialog;
    dialog.SetNextAnswer(Path(QStringLiteral("plan.kelvo")));
    TFileDialogSeen second;
    TModalAnswerer answerer({AnswerFileDialog(second, QString())});
    QCOMPARE(
        dialog.SavePath(&owner_, QStringLiteral("Guardar plan"),
                        QStringLiteral("Planes de Kelvo (*.kelvo)"), QStringLiteral("plan.kelvo")),
        Path(QStringLiteral("plan.kelvo")));
    QCOMPARE(answerer.Answered(), 0);
    QCOMPARE(dialog.OpenPath(&owner_, QStringLiteral("Abrir plan"),
                             QStringLiteral("Planes de Kelvo (*.kelvo)")),
             QString());
    QCOMPARE(answerer.Answered(), 1);
    QVERIFY(second.Seen);
    QCOMPARE(second.Title, QStringLiteral("Abrir plan"));
}

void TFileDialogTest::each_kind_shows_its_dialog_data() {
    QTest::addColumn<TFileDialogKind>("kind");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("shownTitle");
    QTest::addColumn<QString>("suggested");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("files");
    QTest::addColumn<bool>("confirms");
    const QString plans = QStringLiteral("Planes de Kelvo (*.kelvo)");
    QTest::newRow("open: a file that exists")
        << TFileDialogKind::Open << QStringLiteral("Abrir plan") << QStringLiteral("Abrir plan")
        << QString() << QStringLiteral("semana.kelvo") << int(QFileDialog::AcceptOpen)
        << int(QFileDialog::ExistingFile) << true;
    QTest::newRow("save: asks before replacing")
        << TFileDialogKind::Save << QStringLiteral("Guardar plan") << QStringLiteral("Guardar plan")
        << QStringLiteral("plan.kelvo") << QStringLiteral("nuevo.kelvo")
        << int(QFileDialog::AcceptSave) << int(QFileDialog::AnyFile) << true;
    QTest::newRow("open a name: need not exist, Qt's caption")
        << TFileDialogKind::OpenName << QString() << QStringLiteral("Open")
        << QStringLiteral("semana.kelvo") << QStringLiteral("nueva.txt")
        << int(QFileDialog::AcceptOpen) << int(QFileDialog::AnyFile) << true;
    QTest::newRow("save a name: never asks, Qt's caption")
        << TFileDialogKind::SaveName << QString() << QStringLiteral("Save As")
        << QStringLiteral("semana.kelvo") << QStringLiteral("salida")
        << int(QFileDialog::AcceptSave) << int(QFileDialog::AnyFile) << false;
}

void TFileDialogTest::each_kind_shows_its_dialog() {
    QFETCH(TFileDialogKind, kind);
    QFETCH(QString, title);
    QFETCH(QString, shownTitle);
    QFETCH(QString, suggested);
    QFETCH(QString, typed);
    QFETCH(int, mode);
    QFETCH(int, files);
    QFETCH(bool, confirms);
    const QString filter = QStringLiteral("Planes de Kelvo (*.kelvo)");
    TFileDialog dialog;
    TFileDialogSeen seen;
    QString chosen;
    {
        TModalAnswerer answerer({AnswerFileDialog(seen, Path(typed))});
        chosen = dialog.Ask(
            &owner_, {kind, title, filter, suggested.isEmpty() ? QString() : Path(suggested)});
        QCOMPARE(answerer.Unexpected(), 0);
    }
    QVERIFY(seen.Seen);
    QCOMPARE(chosen, Path(typed));
    QVERIFY(seen.QtOwn);
    QCOMPARE(seen.Title, shownTitle);
    QCOMPARE(int(seen.Mode), mode);
    QCOMPARE(int(seen.Files), files);
    QCOMPARE(seen.Confirms, confirms);
    QCOMPARE(seen.NameFilters, QStringList{filter});
    if (!suggested.isEmpty()) {
        QCOMPARE(seen.Selected, suggested);
    }
}

void TFileDialogTest::save_asks_before_replacing_a_file_and_save_name_does_not() {
    const QString existing = Path(QStringLiteral("semana.kelvo"));
    const QString filter = QStringLiteral("Planes de Kelvo (*.kelvo)");
    TFileDialog dialog;
    TFileDialogSeen save;
    bool asked = false;
    {
        TModalAnswerer answerer(
            {AnswerFileDialog(save, existing), PressButton(QMessageBox::Yes, asked)});
        QCOMPARE(dialog.SavePath(&owner_, QStringLiteral("Guardar plan"), filter, QString()),
                 existing);
        QCOMPARE(answerer.Answered(), 2);
        QCOMPARE(answerer.Unexpected(), 0);
    }
    QVERIFY(asked);

    // A name typed without the extension is asked about as the file it will be written to.
    TFileDialogSeen bare;
    asked = false;
    {
        TModalAnswerer answerer({AnswerFileDialog(bare, Path(QStringLiteral("semana"))),
                                 PressButton(QMessageBox::Yes, asked)});
        QCOMPARE(dialog.SavePath(&owner_, QStringLiteral("Guardar plan"), filter, QString(),
                                 QStringLiteral("kelvo")),
                 existing);
        QCOMPARE(answerer.Answered(), 2);
        QCOMPARE(answerer.Unexpected(), 0);
    }
    QVERIFY(asked);

    TFileDialogSeen saveName;
    {
        TModalAnswerer answerer({AnswerFileDialog(saveName, existing)});
        QCOMPARE(dialog.Ask(&owner_, {TFileDialogKind::SaveName, QString(), filter, QString()}),
                 existing);
        QCOMPARE(answerer.Unexpected(), 0);
    }
    QVERIFY(saveName.Seen);
}

QTEST_MAIN(TFileDialogTest)
#include "file_dialog_test.moc"
