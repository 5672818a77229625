#include "message_box.h"

#include <QAbstractButton>

#include "common/caption_room.h"
#include "common/screen_placement.h"

namespace {

// The looks every box shares, set once its buttons are in place; then shows it and waits.
int Execute(QMessageBox& box, const QString& name) {
    if (!name.isEmpty()) {
        box.setObjectName(name);
    }
    box.setTextFormat(Qt::PlainText);
    KeepCaptionWhole(box);
    new TScreenPlacement(&box, kCentred);
    return box.exec();
}

}  // namespace

void TMessageBox::ShowError(QWidget* owner, QMessageBox::Icon icon, const QString& caption,
                            const QString& text, const QString& name) {
    if (!next_.empty()) {
        next_.pop_front();
        return;
    }
    QMessageBox box(icon, caption, text, QMessageBox::Ok, owner);
    Execute(box, name);
}

QMessageBox::StandardButton TMessageBox::Ask(QWidget* owner, const TQuestion& question) {
    if (!next_.empty()) {
        const QMessageBox::StandardButton answer = next_.front();
        next_.pop_front();
        return answer;
    }
    QMessageBox::StandardButtons buttons;
    for (const TQuestionButton& button : question.Buttons) {
        buttons |= button.Button;
    }
    QMessageBox box(QMessageBox::Question, question.Caption, question.Text, buttons, owner);
    for (const TQuestionButton& button : question.Buttons) {
        if (!button.Text.isEmpty()) {
            box.button(button.Button)->setText(button.Text);
        }
    }
    if (question.Default != QMessageBox::NoButton) {
        box.setDefaultButton(question.Default);
    }
    return static_cast<QMessageBox::StandardButton>(Execute(box, question.Name));
}
