// Room for a window's whole caption in a window manager's title bar.
#pragma once

#include <QString>

class QFont;
class QMessageBox;

// The least width at which a title bar shows `caption` whole: the caption in a bold face of `font`,
// as title bars set it, beside the window's icon and its buttons, each taken as a square as tall
// as such a title bar.
int WholeCaptionWidth(const QString& caption, const QFont& font);

// Widens `box` to at least WholeCaptionWidth of its caption. A message box sizes itself to its
// text alone, which for a short message leaves the caption cut short.
void KeepCaptionWhole(QMessageBox& box);
