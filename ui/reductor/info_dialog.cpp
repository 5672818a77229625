#include "info_dialog.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

#include <algorithm>

#include "common/screen_placement.h"

namespace {

constexpr int kMargin = 8;          // dialog units, on every side
constexpr int kButtonGap = 10;      // dialog units between the text and the button
constexpr int kButtonWidth = 50;    // dialog units
constexpr int kButtonHeight = 14;   // dialog units
constexpr int kCaptionPadding = 8;  // pixels beside a caption too wide for kButtonWidth

// The box is laid out in dialog units of its font: a quarter of the average letter width across,
// an eighth of the character height down, so that it grows with the font as the platform's own
// message boxes do.
class TDialogUnits {
public:
    explicit TDialogUnits(const QFontMetrics& metrics)
        : across_(metrics.horizontalAdvance(
                      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                  52.0 / 4.0),
          down_(metrics.height() / 8.0) {}

    int Across(int units) const { return qRound(units * across_); }
    int Down(int units) const { return qRound(units * down_); }

private:
    double across_;
    double down_;
};

}  // namespace

void ShowInfoDialog(QWidget* owner, const QString& caption, const QString& text) {
    QDialog dialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                              Qt::MSWindowsFixedSizeDialogHint);
    dialog.setWindowTitle(caption);
    dialog.setFont(QApplication::font("QMessageBox"));
    const QFontMetrics metrics(dialog.font());
    const TDialogUnits units(metrics);
    const QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen();

    auto* label = new QLabel(&dialog);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    const QRect textRect =
        metrics.boundingRect(QRect(0, 0, screen->geometry().width() / 2, QWIDGETSIZE_MAX),
                             Qt::AlignLeft | Qt::TextWordWrap, label->text());

    auto* button = new QPushButton(QStringLiteral("OK"), &dialog);
    button->setDefault(true);
    QObject::connect(button, &QPushButton::clicked, &dialog, &QDialog::accept);
    const QSize buttonSize(std::max(units.Across(kButtonWidth),
                                    metrics.horizontalAdvance(button->text()) + kCaptionPadding),
                           units.Down(kButtonHeight));

    const int width = std::max(textRect.width(), buttonSize.width()) + 2 * units.Across(kMargin);
    const int buttonTop = units.Down(kMargin) + textRect.height() + units.Down(kButtonGap);
    label->setGeometry(units.Across(kMargin), units.Down(kMargin), textRect.width(),
                       textRect.height());
    button->setGeometry((width - buttonSize.width()) / 2, buttonTop, buttonSize.width(),
                        buttonSize.height());
    dialog.setFixedSize(width, buttonTop + buttonSize.height() + units.Down(kMargin));
    new TScreenPlacement(&dialog, kCentred);
    dialog.exec();
}
