// The notice a run shows through its host: a small modal box with the text and one OK button.
#pragma once

#include <QString>

class QWidget;

// Shows `text` modally over `owner` with `caption` in its title bar and returns once the user has
// dismissed it (OK, Enter, Esc or the close box). A CR LF pair in `text` is one line break.
void ShowInfoDialog(QWidget* owner, const QString& caption, const QString& text);
