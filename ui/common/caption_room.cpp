#include "caption_room.h"

#include <QFont>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace {

// The icon, three buttons and the spacing between them and around the caption, in title-bar
// squares: what a title bar 20 px tall takes beside its caption (116 px, measured with openbox).
constexpr int kTitleBarSquares = 6;
// A title bar stands this much taller than its font's line.
constexpr int kTitleBarPadding = 8;

}  // namespace

int WholeCaptionWidth(const QString& caption, const QFont& font) {
    QFont bold = font;
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    return metrics.horizontalAdvance(caption) +
           kTitleBarSquares * (metrics.height() + kTitleBarPadding);
}

void KeepCaptionWhole(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr) {
        return;
    }
    grid->addItem(new QSpacerItem(WholeCaptionWidth(box.windowTitle(), box.font()), 0,
                                  QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
}
