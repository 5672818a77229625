// What the planner's panels share in building their controls: buttons for the window's actions,
// and a Tab order that runs on from one panel into the next.
#pragma once

#include <QList>
#include <QString>

class QAction;
class QToolButton;
class QWidget;

// A button of `parent` that triggers `action`, reachable by Tab, named `objectName` for tests and
// `accessibleName` for screen readers.
QToolButton* ActionButton(QWidget* parent, const char* objectName, QAction* action,
                          const QString& accessibleName);

// Puts `widgets` in Tab order one after another, the first after `previous` (or first of all, with
// none). Returns the last of them, or `previous` when there are none.
QWidget* ChainTabOrder(QWidget* previous, const QList<QWidget*>& widgets);
