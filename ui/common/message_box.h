// The message boxes of both windows, behind one object that a test can answer in the player's
// place.
#pragma once

#include <QMessageBox>
#include <QString>

#include <deque>
#include <vector>

// A button of a question, and the text it shows in place of Qt's own (empty: Qt's own).
struct TQuestionButton {
    QMessageBox::StandardButton Button = QMessageBox::NoButton;
    QString Text;
};

// A question to ask: a box with Qt's question icon, `Caption`, `Text` and `Buttons`, laid out
// in the platform's order; `Default` is the one Enter presses.
struct TQuestion {
    QString Caption;
    QString Text;
    std::vector<TQuestionButton> Buttons;
    QMessageBox::StandardButton Default = QMessageBox::NoButton;
    QString Name;  // the box's objectName, by which tests find it; empty for none
};

// Every box shows its text as plain text, is widened so that its caption shows whole in the
// title bar, and stands centred on its monitor by its frame. A window owns one; a test may set
// the next answer beforehand, as KeePassXC's MessageBox::setNextAnswer.
class TMessageBox {
public:
    // Shows an error modally over `owner`: a box with `icon`, `caption` in its title bar, `text`
    // and one OK button, named `name` (its objectName, by which tests find it). Returns once the
    // player has dismissed it. With a next answer set, whatever it is, shows nothing and clears
    // the first one.
    void ShowError(QWidget* owner, QMessageBox::Icon icon, const QString& caption,
                   const QString& text, const QString& name = QString());

    // Shows `question` modally over `owner` and returns the button the player pressed; Esc and
    // the close box press the question's Cancel (or No) button, if it has one. With a next answer
    // set, returns the first one instead, shows nothing and clears it.
    QMessageBox::StandardButton Ask(QWidget* owner, const TQuestion& question);

    // Makes the next ShowError or Ask answer `answer` without showing a box. Only that one: the
    // one after it shows its box again, or takes the answer set after this one, in the order set.
    void SetNextAnswer(QMessageBox::StandardButton answer) { next_.push_back(answer); }

private:
    std::deque<QMessageBox::StandardButton> next_;
};
