// The window's dialogs as they really are: Qt's file dialogs, the notice box, and the title they
// carry.
#include <QAbstractItemModel>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWindow>

#include <optional>

#include "application_title.h"
#include "common/transient_settings.h"
#include "info_dialog.h"
#include "main_window.h"
#include "ui_test_support.h"

namespace {

constexpr int kListingTimeoutMs = 5000;
constexpr int kTopThird = 3;
constexpr int kCentred = 2;

// What the answerer saw of a file dialog before it answered it.
struct TFileDialogSeen {
    bool Seen = false;
    bool QtOwn = false;
    QFileDialog::AcceptMode Mode = QFileDialog::AcceptOpen;
    QStringList NameFilters;
    QStringList Listed;  // names in the folder view, sorted
    QString Selected;    // the full path the dialog was filled in with
    QRect Frame;
    QRect Client;
    QRect Monitor;
};

QStringList ListedNames(const QFileDialog* dialog) {
    const auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
    if (view == nullptr) {
        return {};
    }
    const QAbstractItemModel* model = view->model();
    QStringList names;
    for (int row = 0; row < model->rowCount(view->rootIndex()); ++row) {
        names << model->index(row, 0, view->rootIndex()).data().toString();
    }
    names.sort();
    return names;
}

// Records the dialog once its folder view lists `expectedCount` names, then answers it: with
// `typed` entered as the file name and Enter, or with Esc when `typed` is empty.
TModalAnswerer::THandler AnswerFileDialog(TFileDialogSeen& seen, int expectedCount,
                                          const QString& typed) {
    return [&seen, expectedCount, typed](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (dialog == nullptr) {
            modal->close();
            return;
        }
        seen.Seen = true;
        seen.QtOwn = dialog->testOption(QFileDialog::DontUseNativeDialog);
        seen.Mode = dialog->acceptMode();
        seen.NameFilters = dialog->nameFilters();
        seen.Selected = dialog->selectedFiles().value(0);
        AwaitFramedPlacement(dialog, kTopThird);
        seen.Frame = dialog->frameGeometry();
        seen.Client = dialog->geometry();
        seen.Monitor = dialog->screen()->geometry();
        const bool listed = QTest::qWaitFor(
            [&] { return ListedNames(dialog).size() >= expectedCount; }, kListingTimeoutMs);
        seen.Listed = listed ? ListedNames(dialog) : QStringList{QStringLiteral("(timed out)")};

        TypeIntoFileDialog(dialog, typed);
    };
}

const QString kRefusal = QStringLiteral(
    "ATENCION, Esta version esta dise\u00f1ada para\r\n combinaciones mas peque\u00f1as.");

}  // namespace

class TDialogsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString Path(const QString& name) const { return dir_.filePath(name); }

private slots:
    void initTestCase();
    void application_title_data();
    void application_title();
    void open_dialog_lists_txt_in_any_case_and_takes_a_typed_name();
    void save_dialog_neither_asks_nor_adds_an_extension();
    void notice_is_dismissed_data();
    void notice_is_dismissed();
    void notice_lays_out_its_text_and_button();
    void choosing_files_writes_nothing_under_home();

private:
    QTemporaryDir home_;
    std::optional<TTransientSettings> settings_;
};

void TDialogsTest::initTestCase() {
    QVERIFY(dir_.isValid());
    QVERIFY(home_.isValid());
    // The user's own folders stay out of reach: what the dialogs would write lands here, where
    // the last test looks for it.
    qputenv("HOME", home_.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home_.filePath(QStringLiteral(".config")).toLocal8Bit());
    settings_.emplace();
}

void TDialogsTest::application_title_data() {
    QTest::addColumn<QString>("programPath");
    QTest::addColumn<QString>("title");
    QTest::newRow("windows program") << "TOOL.EXE"
                                     << "Tool";
    QTest::newRow("installed program") << "/usr/bin/kelvo-reductor"
                                       << "kelvo-reductor";
    QTest::newRow("capital first") << "/usr/bin/Kelvo-REDUCTOR"
                                   << "Kelvo-reductor";
    QTest::newRow("first full stop cuts") << "/opt/KELVO.v04.exe"
                                          << "Kelvo";
    QTest::newRow("first character kept") << "kELVO-Reductor"
                                          << "kelvo-reductor";
    QTest::newRow("folder with a full stop") << "/home/ana.maria/Reductor"
                                             << "Reductor";
    QTest::newRow("no name") << ""
                             << "";
}

void TDialogsTest::application_title() {
    QFETCH(QString, programPath);
    QFETCH(QString, title);
    QCOMPARE(ApplicationTitle(programPath), title);
}

void TDialogsTest::open_dialog_lists_txt_in_any_case_and_takes_a_typed_name() {
    QTemporaryDir folder;
    for (const char* name : {"a.txt", "B.TXT", "c.Txt", "d.doc", "txt"}) {
        QVERIFY(WriteBytes(folder.filePath(QString::fromLatin1(name)), "11111111111111\r\n"));
    }
    const QString typed = folder.filePath(QStringLiteral("nueva.txt"));  // does not exist
    TForm1 form;
    form.show();
    auto* openButton = form.findChild<QToolButton*>(QStringLiteral("SpeedButton1"));
    auto* edit = form.findChild<QLineEdit*>(QStringLiteral("Edit1"));

    TFileDialogSeen first;
    TFileDialogSeen again;
    {
        TModalAnswerer answerer(
            {AnswerFileDialog(first, 0, folder.filePath(QStringLiteral("c.Txt")))});
        QTest::mouseClick(openButton, Qt::LeftButton);
        QCOMPARE(answerer.Answered(), 1);
    }
    QVERIFY(first.Seen);
    QVERIFY(first.QtOwn);
    QCOMPARE(first.Mode, QFileDialog::AcceptOpen);
    QCOMPARE(first.NameFilters, QStringList{QStringLiteral("Text files (*.txt)")});
    QCOMPARE(edit->text(), folder.filePath(QStringLiteral("c.Txt")));
    // Centred across, top at a third of the free height, by the frame where there is one.
    if (UnderWindowManager()) {
        QVERIFY(first.Frame.contains(first.Client) && first.Frame.top() < first.Client.top());
    }
    QVERIFY(qAbs(first.Frame.center().x() - first.Monitor.center().x()) <= 1);
    QVERIFY(qAbs(first.Frame.top() - (first.Monitor.height() - first.Frame.height()) / 3) <= 1);

    {
        TModalAnswerer answerer({AnswerFileDialog(again, 3, typed)});
        QTest::mouseClick(openButton, Qt::LeftButton);
        QCOMPARE(answerer.Unexpected(), 0);
    }
    QCOMPARE(again.Selected, folder.filePath(QStringLiteral("c.Txt")));
    QCOMPARE(again.Listed, (QStringList{QStringLiteral("B.TXT"), QStringLiteral("a.txt"),
                                        QStringLiteral("c.Txt")}));
    QCOMPARE(edit->text(), typed);

    TFileDialogSeen cancelled;
    {
        TModalAnswerer answerer({AnswerFileDialog(cancelled, 0, QString())});
        QTest::mouseClick(openButton, Qt::LeftButton);
    }
    QVERIFY(cancelled.Seen);
    QCOMPARE(cancelled.Selected, typed);
    QCOMPARE(edit->text(), typed);
}

void TDialogsTest::save_dialog_neither_asks_nor_adds_an_extension() {
    const QString existing = Path(QStringLiteral("salida.txt"));
    QVERIFY(WriteBytes(existing, "11111111111111\r\n"));
    TForm1 form;
    form.show();
    // Only a chosen input enables the output button.
    auto* openButton = form.findChild<QToolButton*>(QStringLiteral("SpeedButton1"));
    auto* saveButton = form.findChild<QToolButton*>(QStringLiteral("SpeedButton2"));
    auto* edit = form.findChild<QLineEdit*>(QStringLiteral("Edit2"));
    {
        TFileDialogSeen open;
        TModalAnswerer answerer({AnswerFileDialog(open, 0, QString())});
        QTest::mouseClick(openButton, Qt::LeftButton);
    }
    QVERIFY(saveButton->isEnabled());

    TFileDialogSeen replace;
    {
        TModalAnswerer answerer({AnswerFileDialog(replace, 0, existing)});
        QTest::mouseClick(saveButton, Qt::LeftButton);
        QCOMPARE(answerer.Unexpected(), 0);  // no question about replacing the file
    }
    QCOMPARE(replace.Mode, QFileDialog::AcceptSave);
    QVERIFY(replace.QtOwn);
    QCOMPARE(replace.NameFilters, QStringList{QStringLiteral("Text files (*.txt)")});
    QCOMPARE(edit->text(), existing);

    TFileDialogSeen bare;
    {
        TModalAnswerer answerer({AnswerFileDialog(bare, 0, Path(QStringLiteral("resultado")))});
        QTest::mouseClick(saveButton, Qt::LeftButton);
        QCOMPARE(answerer.Unexpected(), 0);
    }
    QCOMPARE(bare.Selected, existing);
    QCOMPARE(edit->text(), Path(QStringLiteral("resultado")));
}

void TDialogsTest::notice_is_dismissed_data() {
    QTest::addColumn<int>("key");  // 0: the close box
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
    QTest::newRow("close box") << 0;
}

void TDialogsTest::notice_is_dismissed() {
    QFETCH(int, key);
    QWidget owner;
    owner.show();
    bool dismissed = false;
    QString title;
    bool okIsDefault = false;
    TModalAnswerer answerer({[&](QWidget* modal) {
        title = modal->windowTitle();
        const QList<QPushButton*> buttons = modal->findChildren<QPushButton*>();
        okIsDefault = buttons.size() == 1 && buttons.front()->text() == QStringLiteral("OK") &&
                      buttons.front()->isDefault();
        if (key == 0) {
            modal->windowHandle()->close();
        } else {
            QTest::keyClick(modal, static_cast<Qt::Key>(key));
        }
        dismissed = !modal->isVisible();
        if (!dismissed) {
            modal->close();
        }
    }});
    ShowInfoDialog(&owner, QStringLiteral("Kelvo-reductor"), kRefusal);
    QCOMPARE(answerer.Answered(), 1);
    QVERIFY(dismissed);
    QCOMPARE(title, QStringLiteral("Kelvo-reductor"));
    QVERIFY(okIsDefault);
}

void TDialogsTest::notice_lays_out_its_text_and_button() {
    QRect dialogFrame;
    QSize client;
    QRect monitor;
    QRect text;
    QRect button;
    QSize minimum;
    QSize maximum;
    int longestLine = 0;
    int lineHeight = 0;
    Qt::WindowFlags flags;
    TModalAnswerer answerer({[&](QWidget* modal) {
        AwaitFramedPlacement(modal, kCentred);
        dialogFrame = modal->frameGeometry();
        client = modal->size();
        monitor = modal->screen()->geometry();
        minimum = modal->minimumSize();
        maximum = modal->maximumSize();
        flags = modal->windowFlags();
        if (const QLabel* label = modal->findChild<QLabel*>()) {
            text = label->geometry();
            const QFontMetrics metrics(label->font());
            for (const QString& line : label->text().split(QLatin1Char('\n'))) {
                longestLine = std::max(longestLine, metrics.horizontalAdvance(line));
            }
            lineHeight = metrics.height();
        }
        if (const QPushButton* ok = modal->findChild<QPushButton*>()) {
            button = ok->geometry();
        }
        modal->close();
    }});
    ShowInfoDialog(nullptr, QStringLiteral("Kelvo-reductor"), kRefusal);
    QCOMPARE(answerer.Answered(), 1);

    // Two lines, the second not wrapped, neither cut.
    QVERIFY(text.width() >= longestLine);
    QVERIFY(text.height() >= 2 * lineHeight && text.height() < 3 * lineHeight);
    QVERIFY(text.left() > 0 && text.top() > 0);
    QVERIFY(text.right() < client.width() - text.left());
    QVERIFY(button.top() > text.bottom());
    QVERIFY(button.bottom() < client.height());
    QVERIFY(qAbs(button.left() - (client.width() - button.right() - 1)) <= 1);
    QVERIFY(button.width() > button.height());
    QVERIFY(qAbs(dialogFrame.center().x() - monitor.center().x()) <= 1);
    QVERIFY(qAbs(dialogFrame.center().y() - monitor.center().y()) <= 1);
    if (UnderWindowManager()) {
        QVERIFY(dialogFrame.height() > client.height());
    }
    QCOMPARE(minimum, maximum);
    QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(flags & Qt::WindowCloseButtonHint);
}

void TDialogsTest::choosing_files_writes_nothing_under_home() {
    // The tests before this one chose files through both dialogs; choose once more, then run.
    QVERIFY(WriteBytes(Path(QStringLiteral("salida.txt")), "11111111111111\r\n"));
    TForm1 form;
    form.show();
    TFileDialogSeen open;
    TFileDialogSeen save;
    {
        TModalAnswerer answerer({AnswerFileDialog(open, 0, Path(QStringLiteral("salida.txt")))});
        QTest::mouseClick(form.findChild<QToolButton*>(QStringLiteral("SpeedButton1")),
                          Qt::LeftButton);
    }
    {
        TModalAnswerer answerer({AnswerFileDialog(save, 0, Path(QStringLiteral("otra")))});
        QTest::mouseClick(form.findChild<QToolButton*>(QStringLiteral("SpeedButton2")),
                          Qt::LeftButton);
    }
    QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
    QVERIFY(QFile::exists(Path(QStringLiteral("otra.txt"))));
    QCOMPARE(QDir(home_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList());
}

QTEST_MAIN(TDialogsTest)
#include "dialogs_test.moc"
