// The main window driven through its real controls, with scripted file dialogs.
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>
#include <QWindow>

#include <functional>
#include <memory>

#include "main_window.h"
#include "ui_test_support.h"

namespace {

// The application title of this test program: no extension, so the first character stays.
const QString kTitle = QStringLiteral("main_window_test");
// The error box and the notice stand in the middle of the screen.
constexpr int kCentred = 2;

// Enabled state of SpeedButton1, SpeedButton2 and Button1, as States() gives it.
const QString kStart = QStringLiteral("100");
const QString kInputChosen = QStringLiteral("110");
const QString kReady = QStringLiteral("111");
const QString kDone = QStringLiteral("100");
const QString kRunning = QStringLiteral("000");

const QByteArray kThreeColumns = "11111111111122\r\n1111111111111X\r\n11111111111111\r\n";
const QByteArray kThreeColumnsSorted = "11111111111111\r\n1111111111111X\r\n11111111111122\r\n";
const QByteArray kThreeColumnsReduced = "11111111111111\r\n11111111111122\r\n";

const QStringList kFirstFourLines = {
    QStringLiteral("Comienzo de la Reduccion..."),
    QStringLiteral("Analizando columnas..."),
    QStringLiteral("Fin de analisis de Columnas."),
    QStringLiteral("Buscando las reductoras..."),
};
const QStringList kThreeColumnsRun =
    kFirstFourLines +
    QStringList{
        QStringLiteral("Reductoras Buscadas."),       QStringLiteral("Fin de la Reduccion."),
        QStringLiteral("------------------------"),   QStringLiteral("Columnas Iniciales: 3"),
        QStringLiteral("Columnas en la reducida: 2"), QStringLiteral("*****----HECHO--------*****"),
    };

// What Memo1 holds after these lines were logged: each line followed by a line break.
QString LogOf(const QStringList& lines) {
    QString log;
    for (const QString& line : lines) {
        log += line + QLatin1Char('\n');
    }
    return log;
}

// The window, with a hook into the run's first call of PumpEvents: whatever the hook arms there
// (a timer, a posted event) can only be delivered by the window's own event pump.
class TObservedForm final : public TForm1 {
public:
    using TForm1::TForm1;

    void PumpEvents() override {
        ++Pumps;
        if (Pumps == 1 && OnFirstPump) {
            OnFirstPump();
        }
        TForm1::PumpEvents();
    }

    std::function<void()> OnFirstPump;
    int Pumps = 0;
};

class TWindow {
public:
    TWindow() {
        auto open = std::make_unique<TFakeFileDialog>();
        auto save = std::make_unique<TFakeFileDialog>();
        Open = open.get();
        Save = save.get();
        Form = std::make_unique<TObservedForm>(std::move(open), std::move(save));
        Form->show();
        Form->activateWindow();
    }

    template <typename T>
    T* Control(const char* name) const {
        return Form->findChild<T*>(QString::fromLatin1(name));
    }
    QToolButton* SpeedButton1() const { return Control<QToolButton>("SpeedButton1"); }
    QToolButton* SpeedButton2() const { return Control<QToolButton>("SpeedButton2"); }
    QPushButton* Button1() const { return Control<QPushButton>("Button1"); }
    QLineEdit* Edit1() const { return Control<QLineEdit>("Edit1"); }
    QLineEdit* Edit2() const { return Control<QLineEdit>("Edit2"); }
    QPlainTextEdit* Memo1() const { return Control<QPlainTextEdit>("Memo1"); }
    QPlainTextEdit* Memo2() const { return Control<QPlainTextEdit>("Memo2"); }

    void ChooseInput(const std::optional<QString>& path) {
        Open->Answers.push_back(path);
        QTest::mouseClick(SpeedButton1(), Qt::LeftButton);
    }
    void ChooseOutput(const std::optional<QString>& path) {
        Save->Answers.push_back(path);
        QTest::mouseClick(SpeedButton2(), Qt::LeftButton);
    }
    void Run() { QTest::mouseClick(Button1(), Qt::LeftButton); }

    QString States() const {
        QString states;
        for (const QWidget* button :
             {static_cast<QWidget*>(SpeedButton1()), static_cast<QWidget*>(SpeedButton2()),
              static_cast<QWidget*>(Button1())}) {
            states += button->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        }
        return states;
    }
    QString Log() const { return Memo1()->toPlainText(); }

    TFakeFileDialog* Open = nullptr;
    TFakeFileDialog* Save = nullptr;
    std::unique_ptr<TObservedForm> Form;
};

// What the answerer saw of a message box or notice dialog before it dismissed it.
struct TBoxSeen {
    bool Seen = false;
    QString Title;
    QString Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QStringList Buttons;
    bool OnlyOk = false;   // a message box whose one button is its standard OK
    bool Centred = false;  // by its frame, on its monitor
    bool Framed = false;   // by the window manager
    int FrameWidth = 0;
};

// Records an error box and presses its OK button.
TModalAnswerer::THandler AnswerErrorBox(TBoxSeen& seen) {
    return [&seen](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box == nullptr) {
            modal->close();
            return;
        }
        seen.Seen = true;
        AwaitFramedPlacement(box, kCentred);
        seen.Centred = PlacedByFrame(box, kCentred);
        seen.Framed = box->frameGeometry() != box->geometry();
        seen.FrameWidth = box->frameGeometry().width();
        seen.Title = box->windowTitle();
        seen.Text = box->text();
        seen.Icon = box->icon();
        seen.OnlyOk = box->buttons().size() == 1 && box->standardButtons() == QMessageBox::Ok;
        if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
            QTest::mouseClick(ok, Qt::LeftButton);
        } else {
            box->close();
        }
    };
}

// Records a notice dialog (its one label, its buttons) and presses its OK button.
TModalAnswerer::THandler AnswerNotice(TBoxSeen& seen) {
    return [&seen](QWidget* modal) {
        seen.Seen = qobject_cast<QDialog*>(modal) != nullptr && !qobject_cast<QMessageBox*>(modal);
        seen.Title = modal->windowTitle();
        const QList<QLabel*> labels = modal->findChildren<QLabel*>();
        if (labels.size() == 1) {
            seen.Text = labels.front()->text();
        }
        const QList<QPushButton*> buttons = modal->findChildren<QPushButton*>();
        for (const QPushButton* button : buttons) {
            seen.Buttons << button->text();
        }
        if (buttons.size() == 1) {
            QTest::mouseClick(buttons.front(), Qt::LeftButton);
        } else {
            modal->close();
        }
    };
}

}  // namespace

class TMainWindowTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString Path(const QString& name) const { return dir_.filePath(name); }

private slots:
    void window_starts_with_only_the_input_button_enabled();
    void tab_order_skips_the_speed_buttons();
    void layout_keeps_every_control_whole();
    void memos_keep_their_right_border_at_fractional_scales();
    void disabled_speed_button_caption_is_engraved();
    void speed_button_fires_on_release();
    void buttons_follow_the_choice_sequence();
    void run_logs_ten_lines_and_writes_the_reduced_set();
    void two_runs_log_twenty_lines();
    void cancelled_first_open_runs_into_the_open_error();
    void cancel_keeps_the_last_chosen_path();
    void paths_typed_into_the_edits_are_ignored();
    void output_name_always_gets_txt_appended();
    void refusal_shows_the_notice_and_changes_nothing();
    void output_that_cannot_be_created_is_reported();
    void buttons_are_disabled_while_a_run_pumps_events();
    void closing_during_a_run_lets_it_finish_first();
    void log_lines_follow_text_typed_into_the_log();
    void log_follows_its_last_line();
};

void TMainWindowTest::window_starts_with_only_the_input_button_enabled() {
    TWindow window;
    QVERIFY(QTest::qWaitForWindowActive(window.Form.get()));
    QCOMPARE(window.Form->objectName(), QStringLiteral("Form1"));
    QCOMPARE(window.Form->windowTitle(), QStringLiteral("Kelvo-Reductor v0.4            "));
    QCOMPARE(window.Form->pos(), QPoint(192, 107));
    QVERIFY(window.Form->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(window.Form->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(window.Control<QLabel>("Label1")->text(), QStringLiteral("Fichero  TXT a Reducir: "));
    QCOMPARE(window.Control<QLabel>("Label2")->text(), QStringLiteral("Fichero Reducido: "));
    QCOMPARE(window.SpeedButton1()->text(), QStringLiteral("Abri fichero"));
    QCOMPARE(window.SpeedButton2()->text(), QStringLiteral("Abrir Fichero"));
    QCOMPARE(window.Button1()->text(), QStringLiteral("REDUCIR"));
    QCOMPARE(window.Memo2()->toPlainText(),
             QStringLiteral("RECUERDA, esta version solo puede reducir\n"
                            "combinaciones de menos de 7000 columnas\n"
                            "y las reducciones son al 13.\n"
                            "\n"
                            "Saludos.\n"
                            "Uvar"));
    QCOMPARE(window.Log(), QString());
    QCOMPARE(window.Edit1()->text(), QString());
    QCOMPARE(window.Edit2()->text(), QString());
    QCOMPARE(window.States(), kStart);
    QCOMPARE(QApplication::focusWidget(), window.Memo1());

    const QPalette form = window.Form->palette();
    QCOMPARE(form.color(QPalette::Window), form.color(QPalette::Button));
    QCOMPARE(window.Memo1()->palette().color(QPalette::Base), form.color(QPalette::ToolTipBase));
}

void TMainWindowTest::tab_order_skips_the_speed_buttons() {
    TWindow window;
    QVERIFY(QTest::qWaitForWindowActive(window.Form.get()));
    // Disabled, Button1 is left out of the round.
    const QList<QWidget*> startRound = {window.Edit1(), window.Edit2(), window.Memo2(),
                                        window.Memo1()};
    for (QWidget* next : startRound) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }
    window.ChooseInput(Path(QStringLiteral("in.txt")));
    window.ChooseOutput(Path(QStringLiteral("out")));
    const QList<QWidget*> readyRound = {window.Edit1(), window.Edit2(), window.Memo2(),
                                        window.Button1(), window.Memo1()};
    for (QWidget* next : readyRound) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }
    QCOMPARE(window.Memo1()->toPlainText(), QString());
}

void TMainWindowTest::memos_keep_their_right_border_at_fractional_scales() {
    TWindow window;
    for (const char* name : {"Memo1", "Memo2"}) {
        auto* memo = window.Form->findChild<QPlainTextEdit*>(QString::fromLatin1(name));
        // 1.5 is 144 dpi, where the notice's text area once covered the frame's right edge.
        for (const double scale : {1.0, 1.25, 1.5, 1.75, 2.0}) {
            QImage image((QSizeF(memo->size()) * scale).toSize(), QImage::Format_RGB32);
            image.setDevicePixelRatio(scale);
            image.fill(Qt::red);
            memo->render(&image);
            const int middle = image.height() / 2;
            // The frame's colour, from its left edge, at the first pixel of it.
            const QRgb frame = image.pixel(0, middle) == image.pixel(image.width() / 2, middle)
                                   ? image.pixel(1, middle)
                                   : image.pixel(0, middle);
            const int last = image.width() - 1;
            QVERIFY2(image.pixel(last, middle) == frame || image.pixel(last - 1, middle) == frame,
                     qPrintable(QStringLiteral("%1 at %2").arg(name).arg(scale)));
        }
    }
}

void TMainWindowTest::disabled_speed_button_caption_is_engraved() {
    TWindow window;
    auto* button = window.Form->findChild<QToolButton*>(QStringLiteral("SpeedButton2"));
    QVERIFY(!button->isEnabled());
    const QImage captioned = button->grab().toImage();
    const QString caption = button->text();
    button->setText(QString());
    const QImage bare = button->grab().toImage();
    button->setText(caption);
    // The caption's pixels are those that differ from the bare face. Engraved, its light copy lies
    // one pixel down and to the right of its grey copy, which covers most of it: the caption's
    // pixels lighter than the face lie below and to the right of those darker than it.
    QPointF lightSum;
    QPointF darkSum;
    int lightCount = 0;
    int darkCount = 0;
    for (int y = 0; y < bare.height(); ++y) {
        for (int x = 0; x < bare.width(); ++x) {
            const int difference = qGray(captioned.pixel(x, y)) - qGray(bare.pixel(x, y));
            if (difference > 0) {
                lightSum += QPointF(x, y);
                ++lightCount;
            } else if (difference < 0) {
                darkSum += QPointF(x, y);
                ++darkCount;
            }
        }
    }
    QVERIFY2(lightCount > 20 && darkCount > 20,
             qPrintable(QStringLiteral("%1 light, %2 dark").arg(lightCount).arg(darkCount)));
    const QPointF offset = lightSum / lightCount - darkSum / darkCount;
    QVERIFY2(offset.x() > 0.5 && offset.x() < 3 && offset.y() > 0.5 && offset.y() < 3,
             qPrintable(QStringLiteral("%1, %2").arg(offset.x()).arg(offset.y())));
}

void TMainWindowTest::layout_keeps_every_control_whole() {
    TWindow window;
    const QRect client = window.Form->rect();
    for (const QWidget* control : window.Form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        QVERIFY2(client.contains(control->geometry()), qPrintable(control->objectName()));
    }
    for (const char* name : {"Label1", "Label2"}) {
        const QLabel* label = window.Control<QLabel>(name);
        QVERIFY2(label->width() >= label->fontMetrics().horizontalAdvance(label->text()), name);
        QVERIFY2(label->geometry().right() < window.Edit1()->x(), name);
    }
    for (const QLineEdit* edit : {window.Edit1(), window.Edit2()}) {
        QCOMPARE(edit->height(), QFontMetrics(window.Form->font()).height() + 8);
    }
    QVERIFY(window.Edit1()->geometry().bottom() < window.Edit2()->y());
    for (const QToolButton* button : {window.SpeedButton1(), window.SpeedButton2()}) {
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
        QVERIFY(!button->autoRaise());
        QVERIFY(button->width() > button->fontMetrics().horizontalAdvance(button->text()));
    }
    QVERIFY(window.Memo1()->verticalScrollBar()->isVisible());
    QVERIFY(!window.Memo1()->horizontalScrollBar()->isVisible());
    QVERIFY(!window.Memo2()->verticalScrollBar()->isVisible());
    QVERIFY(!window.Memo2()->horizontalScrollBar()->isVisible());
    QVERIFY(window.Memo2()->font().bold());

    // The notice's six lines stand unwrapped and whole inside Memo2.
    QPlainTextEdit* notice = window.Memo2();
    const QTextDocument* document = notice->document();
    QCOMPARE(document->blockCount(), 6);
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        QVERIFY2(block.layout()->lineCount() == 1, qPrintable(block.text()));
    }
    QTextCursor end(notice->document());
    end.movePosition(QTextCursor::End);
    QVERIFY(notice->cursorRect(QTextCursor(notice->document())).top() >= 0);
    QVERIFY(notice->cursorRect(end).bottom() < notice->viewport()->height());
}

void TMainWindowTest::speed_button_fires_on_release() {
    TWindow window;
    window.Open->Answers.push_back(Path(QStringLiteral("in.txt")));
    QTest::mousePress(window.SpeedButton1(), Qt::LeftButton);
    QVERIFY(window.SpeedButton1()->isDown());
    QCOMPARE(window.Open->Calls, 0);
    QTest::mouseRelease(window.SpeedButton1(), Qt::LeftButton);
    QCOMPARE(window.Open->Calls, 1);
    QCOMPARE(window.Edit1()->text(), Path(QStringLiteral("in.txt")));

    // Disabled, SpeedButton2 opens nothing.
    TWindow fresh;
    QTest::mouseClick(fresh.SpeedButton2(), Qt::LeftButton);
    QCOMPARE(fresh.Save->Calls, 0);
}

void TMainWindowTest::buttons_follow_the_choice_sequence() {
    const QString input = Path(QStringLiteral("sequence.txt"));
    QVERIFY(WriteBytes(input, kThreeColumns));
    TWindow window;
    QVERIFY(QTest::qWaitForWindowActive(window.Form.get()));
    QCOMPARE(window.States(), kStart);

    window.ChooseInput(input);
    QCOMPARE(window.States(), kInputChosen);
    QCOMPARE(window.Edit1()->text(), input);
    window.ChooseOutput(Path(QStringLiteral("sequence-out")));
    QCOMPARE(window.States(), kReady);
    QCOMPARE(window.Edit2()->text(), Path(QStringLiteral("sequence-out")));
    window.ChooseInput(input);
    QCOMPARE(window.States(), kReady);

    window.Run();
    QCOMPARE(window.States(), kDone);
    // The focused Button1 is disabled by the run: no control keeps the focus.
    QCOMPARE(QApplication::focusWidget(), nullptr);
    QCOMPARE(window.Form->focusWidget(), nullptr);

    window.ChooseInput(input);
    QCOMPARE(window.States(), kInputChosen);
    window.ChooseOutput(Path(QStringLiteral("sequence-out")));
    QCOMPARE(window.States(), kReady);
    QCOMPARE(window.Open->Unanswered + window.Save->Unanswered, 0);
}

void TMainWindowTest::run_logs_ten_lines_and_writes_the_reduced_set() {
    // A name beyond ASCII and with a blank reaches the engine as the file system's bytes.
    const QString input = Path(QStringLiteral("jornada ñ.txt"));
    const QString output = Path(QStringLiteral("reducida ñ"));
    QVERIFY(WriteBytes(input, kThreeColumns));
    TWindow window;
    window.ChooseInput(input);
    window.ChooseOutput(output);
    TModalAnswerer answerer({});
    window.Run();
    QCOMPARE(window.Log(), LogOf(kThreeColumnsRun));
    QCOMPARE(ReadBytes(output + QStringLiteral(".txt")), kThreeColumnsReduced);
    QCOMPARE(ReadBytes(input), kThreeColumnsSorted);
    QCOMPARE(answerer.Unexpected(), 0);
}

void TMainWindowTest::two_runs_log_twenty_lines() {
    const QString input = Path(QStringLiteral("twice.txt"));
    QVERIFY(WriteBytes(input, kThreeColumns));
    TWindow window;
    window.ChooseInput(input);
    window.ChooseOutput(Path(QStringLiteral("twice-out")));
    window.Run();
    window.ChooseInput(input);
    window.ChooseOutput(Path(QStringLiteral("twice-out")));
    window.Run();
    QCOMPARE(window.Log(), LogOf(kThreeColumnsRun + kThreeColumnsRun));
    QCOMPARE(window.States(), kDone);
}

void TMainWindowTest::cancelled_first_open_runs_into_the_open_error() {
    TWindow window;
    window.ChooseInput(std::nullopt);
    QCOMPARE(window.Edit1()->text(), QString());
    QCOMPARE(window.States(), kInputChosen);
    window.ChooseOutput(Path(QStringLiteral("never")));

    TBoxSeen box;
    TModalAnswerer answerer({AnswerErrorBox(box)});
    window.Run();
    QVERIFY(box.Seen);
    // The message ends in a blank, so the box adds no full stop.
    QCOMPARE(box.Text, QStringLiteral("Cannot open file "));
    QCOMPARE(box.Title, kTitle);
    QVERIFY(box.Centred);
    if (UnderWindowManager()) {
        QVERIFY(box.Framed);
    }
    // Wide enough for the caption in bold beside the title bar's icon and buttons, which took
    // 116 px beside a 20 px title bar under openbox: "Cannot open file " alone made a box of
    // 176 px there, which showed the caption as "kelv...uctor".
    QFont bold = window.Form->font();
    bold.setBold(true);
    QVERIFY2(box.FrameWidth >= QFontMetrics(bold).horizontalAdvance(kTitle) + 116,
             qPrintable(QString::number(box.FrameWidth)));
    QCOMPARE(box.Icon, QMessageBox::Critical);
    QVERIFY(box.OnlyOk);
    QCOMPARE(answerer.Unexpected(), 0);
    QCOMPARE(window.Log(), QString());
    QCOMPARE(window.States(), kReady);
    QVERIFY(!QFile::exists(Path(QStringLiteral("never.txt"))));
}

void TMainWindowTest::cancel_keeps_the_last_chosen_path() {
    const QString input = Path(QStringLiteral("kept.txt"));
    QVERIFY(WriteBytes(input, kThreeColumns));
    TWindow window;
    window.ChooseInput(input);
    window.ChooseInput(std::nullopt);
    QCOMPARE(window.Edit1()->text(), input);
    window.ChooseOutput(Path(QStringLiteral("kept-out")));
    window.ChooseOutput(std::nullopt);
    QCOMPARE(window.Edit2()->text(), Path(QStringLiteral("kept-out")));
    QCOMPARE(window.States(), kReady);
    window.Run();
    QCOMPARE(ReadBytes(Path(QStringLiteral("kept-out.txt"))), kThreeColumnsReduced);
}

void TMainWindowTest::paths_typed_into_the_edits_are_ignored() {
    const QString input = Path(QStringLiteral("chosen.txt"));
    const QString typedInput = Path(QStringLiteral("typed.txt"));
    QVERIFY(WriteBytes(input, kThreeColumns));
    QVERIFY(WriteBytes(typedInput, kThreeColumns));
    TWindow window;
    window.ChooseInput(input);
    window.ChooseOutput(Path(QStringLiteral("chosen-out")));
    for (auto [edit, typed] : {std::pair{window.Edit1(), typedInput},
                               std::pair{window.Edit2(), Path(QStringLiteral("typed-out"))}}) {
        edit->selectAll();
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), typed);
    }
    window.Run();
    QCOMPARE(window.Log(), LogOf(kThreeColumnsRun));
    QCOMPARE(ReadBytes(Path(QStringLiteral("chosen-out.txt"))), kThreeColumnsReduced);
    QVERIFY(!QFile::exists(Path(QStringLiteral("typed-out.txt"))));
    QCOMPARE(ReadBytes(typedInput), kThreeColumns);
}

void TMainWindowTest::output_name_always_gets_txt_appended() {
    const QString input = Path(QStringLiteral("named.txt"));
    QVERIFY(WriteBytes(input, kThreeColumns));
    QVERIFY(WriteBytes(Path(QStringLiteral("x.txt.txt")), "old content\r\n"));
    TWindow window;
    window.ChooseInput(input);
    window.ChooseOutput(Path(QStringLiteral("x.txt")));
    TModalAnswerer answerer({});
    window.Run();
    QCOMPARE(ReadBytes(Path(QStringLiteral("x.txt.txt"))), kThreeColumnsReduced);
    QVERIFY(!QFile::exists(Path(QStringLiteral("x.txt"))));
    QCOMPARE(answerer.Unexpected(), 0);
}

void TMainWindowTest::refusal_shows_the_notice_and_changes_nothing() {
    const QString input = Path(QStringLiteral("small.txt"));
    const QString overLimit = Path(QStringLiteral("over-limit.txt"));
    QVERIFY(WriteBytes(input, kThreeColumns));
    QVERIFY(WriteBytes(overLimit, QByteArray("11111111111111\r\n").repeated(7001)));
    TWindow window;
    QVERIFY(QTest::qWaitForWindowActive(window.Form.get()));
    window.ChooseInput(input);
    window.ChooseOutput(Path(QStringLiteral("small-out")));
    window.Run();
    window.ChooseInput(overLimit);
    window.ChooseOutput(Path(QStringLiteral("over-limit-out")));
    QCOMPARE(window.Log(), LogOf(kThreeColumnsRun));

    TBoxSeen notice;
    TModalAnswerer answerer({AnswerNotice(notice)});
    window.Run();
    QVERIFY(notice.Seen);
    QCOMPARE(notice.Title, kTitle);
    QCOMPARE(notice.Text, QStringLiteral("ATENCION, Esta version esta diseñada para\n"
                                         " combinaciones mas pequeñas."));
    QCOMPARE(notice.Buttons, QStringList{QStringLiteral("OK")});
    QCOMPARE(answerer.Unexpected(), 0);
    QCOMPARE(window.Log(), LogOf(kThreeColumnsRun));
    QCOMPARE(window.States(), kReady);
    // The window's focus goes back to Button1; the window itself is active again once the window
    // system says so.
    QCOMPARE(window.Form->focusWidget(), window.Button1());
    QVERIFY(!QFile::exists(Path(QStringLiteral("over-limit-out.txt"))));
}

void TMainWindowTest::output_that_cannot_be_created_is_reported() {
    const QString input = Path(QStringLiteral("unwritable.txt"));
    const QString output = Path(QStringLiteral("no such folder/out"));
    QVERIFY(WriteBytes(input, kThreeColumns));
    TWindow window;
    window.ChooseInput(input);
    window.ChooseOutput(output);

    TBoxSeen box;
    TModalAnswerer answerer({AnswerErrorBox(box)});
    window.Run();
    QVERIFY(box.Seen);
    QCOMPARE(box.Text, QStringLiteral("Cannot create file ") + output + QStringLiteral(".txt."));
    QCOMPARE(box.Title, kTitle);
    QCOMPARE(box.Icon, QMessageBox::Critical);
    QVERIFY(box.OnlyOk);
    QCOMPARE(answerer.Unexpected(), 0);
    QCOMPARE(window.Log(), LogOf(kFirstFourLines));
    QCOMPARE(window.States(), kReady);
    QCOMPARE(ReadBytes(input), kThreeColumnsSorted);
}

void TMainWindowTest::buttons_are_disabled_while_a_run_pumps_events() {
    const QString input = Path(QStringLiteral("busy.txt"));
    QVERIFY(WriteBytes(input, kThreeColumns));
    TWindow window;
    window.ChooseInput(input);
    window.ChooseOutput(Path(QStringLiteral("busy-out")));
    QString statesDuringRun;
    qsizetype linesDuringRun = -1;
    window.Form->OnFirstPump = [&] {
        QTimer::singleShot(0, window.Form.get(), [&] {
            statesDuringRun = window.States();
            linesDuringRun = window.Memo1()->document()->blockCount() - 1;
            // A click on the disabled run button must not start a second run inside this one.
            QTest::mouseClick(window.Button1(), Qt::LeftButton);
        });
    };
    window.Run();
    QCOMPARE(statesDuringRun, kRunning);
    QVERIFY(linesDuringRun >= 2 && linesDuringRun < 10);
    QCOMPARE(window.Log(), LogOf(kThreeColumnsRun));
    QCOMPARE(window.States(), kDone);
}

void TMainWindowTest::closing_during_a_run_lets_it_finish_first() {
    const QString input = Path(QStringLiteral("closing.txt"));
    const QString output = Path(QStringLiteral("closing-out"));
    QVERIFY(WriteBytes(input, kThreeColumns));
    TWindow window;
    QVERIFY(QTest::qWaitForWindowExposed(window.Form.get()));
    window.ChooseInput(input);
    window.ChooseOutput(output);
    bool visibleAfterClose = false;
    bool outputExistedAtClose = true;
    window.Form->OnFirstPump = [&] {
        QTimer::singleShot(0, window.Form.get(), [&] {
            outputExistedAtClose = QFile::exists(output + QStringLiteral(".txt"));
            window.Form->windowHandle()->close();
            visibleAfterClose = window.Form->isVisible();
        });
    };
    window.Run();
    QVERIFY(!outputExistedAtClose);
    QVERIFY(visibleAfterClose);
    QCOMPARE(window.Log(), LogOf(kThreeColumnsRun));
    QCOMPARE(ReadBytes(output + QStringLiteral(".txt")), kThreeColumnsReduced);
    QTRY_VERIFY(!window.Form->isVisible());
}

void TMainWindowTest::log_lines_follow_text_typed_into_the_log() {
    TWindow window;
    window.Form->AddLogLine("uno");
    QPlainTextEdit* log = window.Memo1();
    log->moveCursor(QTextCursor::End);
    QTest::keyClicks(log, QStringLiteral("nota"));
    window.Form->AddLogLine("dos");
    window.Form->AddLogLine("tres");
    QCOMPARE(window.Log(), QStringLiteral("uno\nnota\ndos\ntres"));

    // A selection is dropped and the caret ends after the new line.
    TWindow fresh;
    fresh.Form->AddLogLine("uno");
    fresh.Memo1()->selectAll();
    fresh.Form->AddLogLine("dos");
    QCOMPARE(fresh.Log(), QStringLiteral("uno\ndos\n"));
    QVERIFY(!fresh.Memo1()->textCursor().hasSelection());
    QCOMPARE(fresh.Memo1()->textCursor().position(), fresh.Log().size());
}

void TMainWindowTest::log_follows_its_last_line() {
    TWindow window;
    QVERIFY(QTest::qWaitForWindowExposed(window.Form.get()));
    QScrollBar* scroll = window.Memo1()->verticalScrollBar();
    for (int line = 1; line <= 40; ++line) {
        window.Form->AddLogLine("Columnas Iniciales: " + std::to_string(line));
    }
    QVERIFY(scroll->maximum() > 0);
    QCOMPARE(scroll->value(), scroll->maximum());
    QTextCursor last = window.Memo1()->textCursor();
    last.movePosition(QTextCursor::PreviousBlock);
    QCOMPARE(last.block().text(), QStringLiteral("Columnas Iniciales: 40"));
    const QRect lastLine = window.Memo1()->cursorRect(last);
    QVERIFY(lastLine.top() >= 0 && lastLine.bottom() < window.Memo1()->viewport()->height());
}

QTEST_MAIN(TMainWindowTest)
#include "main_window_test.moc"
