#include "panel_widgets.h"

#include <QToolButton>

QToolButton* ActionButton(QWidget* parent, const char* objectName, QAction* action,
                          const QString& accessibleName) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setDefaultAction(action);
    button->setAccessibleName(accessibleName);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

QWidget* ChainTabOrder(QWidget* previous, const QList<QWidget*>& widgets) {
    for (QWidget* widget : widgets) {
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, widget);
        }
        previous = widget;
    }
    return previous;
}
