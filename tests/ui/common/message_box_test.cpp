// The message boxes both windows share: their next-answer hook, and the boxes they show when no
// answer is set.
#include <QAbstractButton>
#include <QPushButton>
#include <QTest>

#include "common/caption_room.h"
#include "common/message_box.h"
#include "common/screen_placement.h"
#include "ui_test_support.h"

namespace {

// The planner's question about a plan with unsaved changes.
TQuestion UnsavedQuestion() {
    return {.Caption = QStringLiteral("Cambios sin guardar"),
            .Text = QStringLiteral("El plan semana.kelvo tiene cambios sin guardar. ¿Quiere "
                                   "guardarlos?"),
            .Buttons = {{QMessageBox::Save, QStringLiteral("&Guardar")},
                        {QMessageBox::Discard, QStringLiteral("&Descartar")},
                        {QMessageBox::Cancel, QStringLiteral("&Cancelar")}},
            .Default = QMessageBox::Save,
            .Name = QStringLiteral("UnsavedBox")};
}

// What the answerer saw of a message box before it answered it.
struct TBoxSeen {
    bool Seen = false;
    QString Name;
    QString Caption;
    QString Text;
    Qt::TextFormat Format = Qt::AutoText;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QStringList Buttons;  // the texts of its buttons, in Qt's order of the standard buttons
    QString Default;      // the text of the button Enter presses
    bool CaptionWhole = false;
    bool Centred = false;
};

// Records a message box, then presses the button showing `press`, or the key `key` where
// `press` is empty.
TModalAnswerer::THandler AnswerBox(TBoxSeen& seen, const QString& press, int key = 0) {
    return [&seen, press, key](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box == nullptr) {
            modal->close();
            return;
        }
        AwaitFramedPlacement(box, kCentred);
        seen.Seen = true;
        seen.Name = box->objectName();
        seen.Caption = box->windowTitle();
        seen.Text = box->text();
        seen.Format = box->textFormat();
        seen.Icon = box->icon();
        for (const QAbstractButton* button : box->buttons()) {
            seen.Buttons << button->text();
        }
        seen.Buttons.sort();
        seen.Default = box->defaultButton() != nullptr ? box->defaultButton()->text() : QString();
        seen.CaptionWhole = box->width() >= WholeCaptionWidth(box->windowTitle(), box->font());
        seen.Centred = PlacedByFrame(box, kCentred);
        for (QAbstractButton* button : box->buttons()) {
            if (!press.isEmpty() && button->text() == press) {
                // A click, not a mouse event, which a box not yet mapped can lose.
                button->click();
                return;
            }
        }
        if (key != 0) {
            QTest::keyClick(box, static_cast<Qt::Key>(key));
        }
        if (box->isVisible()) {
            box->close();
        }
    };
}

}  // namespace

class TMessageBoxTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { owner_.show(); }
    void next_answer_is_returned_without_a_box();
    void next_answer_serves_one_box_only();
    void question_returns_the_button_pressed_data();
    void question_returns_the_button_pressed();
    void error_box_shows_its_icon_caption_and_plain_text_data();
    void error_box_shows_its_icon_caption_and_plain_text();

private:
    QWidget owner_;
};

void TMessageBoxTest::next_answer_is_returned_without_a_box() {
    TMessageBox messages;
    TModalAnswerer answerer({});  // closes and counts any box that comes up
    messages.SetNextAnswer(QMessageBox::Discard);
    QCOMPARE(messages.Ask(&owner_, UnsavedQuestion()), QMessageBox::Discard);
    messages.SetNextAnswer(QMessageBox::Ok);
    messages.ShowError(&owner_, QMessageBox::Warning, QStringLiteral("Kelvo Planner"),
                       QStringLiteral("No se pudo imprimir."), QStringLiteral("ErrorBox"));
    QCOMPARE(answerer.Unexpected(), 0);
}

void TMessageBoxTest::next_answer_serves_one_box_only() {
    TMessageBox messages;
    TBoxSeen error;
    TBoxSeen question;
    TModalAnswerer answerer(
        {AnswerBox(error, QStringLiteral("OK")), AnswerBox(question, QString(), Qt::Key_Escape)});
    messages.SetNextAnswer(QMessageBox::Save);
    QCOMPARE(messages.Ask(&owner_, UnsavedQuestion()), QMessageBox::Save);
    messages.ShowError(&owner_, QMessageBox::Critical, QStringLiteral("kelvo-reductor"),
                       QStringLiteral("Cannot open file nope.txt"));
    QCOMPARE(messages.Ask(&owner_, UnsavedQuestion()), QMessageBox::Cancel);
    QCOMPARE(answerer.Answered(), 2);
    QCOMPARE(error.Text, QStringLiteral("Cannot open file nope.txt"));
    QVERIFY(question.Seen);
}

void TMessageBoxTest::question_returns_the_button_pressed_data() {
    QTest::addColumn<QString>("press");  // empty: the key
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("answer");
    QTest::newRow("Guardar") << QStringLiteral("&Guardar") << 0 << int(QMessageBox::Save);
    QTest::newRow("Descartar") << QStringLiteral("&Descartar") << 0 << int(QMessageBox::Discard);
    QTest::newRow("Cancelar") << QStringLiteral("&Cancelar") << 0 << int(QMessageBox::Cancel);
    QTest::newRow("Enter") << QString() << int(Qt::Key_Return) << int(QMessageBox::Save);
    QTest::newRow("Esc") << QString() << int(Qt::Key_Escape) << int(QMessageBox::Cancel);
}

void TMessageBoxTest::question_returns_the_button_pressed() {
    QFETCH(QString, press);
    QFETCH(int, key);
    QFETCH(int, answer);
    TMessageBox messages;
    TBoxSeen seen;
    TModalAnswerer answerer({AnswerBox(seen, press, key)});
    QCOMPARE(int(messages.Ask(&owner_, UnsavedQuestion())), answer);
    QCOMPARE(answerer.Answered(), 1);
    QCOMPARE(seen.Name, QStringLiteral("UnsavedBox"));
    QCOMPARE(seen.Caption, QStringLiteral("Cambios sin guardar"));
    QCOMPARE(seen.Text, UnsavedQuestion().Text);
    QCOMPARE(seen.Format, Qt::PlainText);
    QCOMPARE(seen.Icon, QMessageBox::Question);
    QCOMPARE(seen.Buttons, (QStringList{QStringLiteral("&Cancelar"), QStringLiteral("&Descartar"),
                                        QStringLiteral("&Guardar")}));
    QCOMPARE(seen.Default, QStringLiteral("&Guardar"));
    QVERIFY(seen.CaptionWhole);
    QVERIFY(seen.Centred);
}

void TMessageBoxTest::error_box_shows_its_icon_caption_and_plain_text_data() {
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("name");
    QTest::newRow("the reductor's")
        << int(QMessageBox::Critical) << QStringLiteral("Kelvo") << QString();
    QTest::newRow("the planner's") << int(QMessageBox::Warning) << QStringLiteral("Kelvo Planner")
                                   << QStringLiteral("ErrorBox");
    QTest::newRow("a caption longer than the text")
        << int(QMessageBox::Critical)
        << QStringLiteral("Kelvo Planner: el plan de la semana treinta y dos, sin título todavía")
        << QString();
}

void TMessageBoxTest::error_box_shows_its_icon_caption_and_plain_text() {
    QFETCH(int, icon);
    QFETCH(QString, caption);
    QFETCH(QString, name);
    // Markup stays as typed: a path or an engine message may hold angle brackets.
    const QString text = QStringLiteral("No se pudo guardar <b>/tmp/a&b.kelvo</b>");
    TMessageBox messages;
    TBoxSeen seen;
    TModalAnswerer answerer({AnswerBox(seen, QStringLiteral("OK"))});
    messages.ShowError(&owner_, static_cast<QMessageBox::Icon>(icon), caption, text, name);
    QCOMPARE(answerer.Answered(), 1);
    QCOMPARE(int(seen.Icon), icon);
    QCOMPARE(seen.Caption, caption);
    QCOMPARE(seen.Name, name);
    QCOMPARE(seen.Text, text);
    QCOMPARE(seen.Format, Qt::PlainText);
    QCOMPARE(seen.Buttons, QStringList{QStringLiteral("OK")});
    QVERIFY(seen.CaptionWhole);
    QVERIFY(seen.Centred);
}

QTEST_MAIN(TMessageBoxTest)
#include "message_box_test.moc"
