#include "entry/FieldFocus.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>

FieldFocus::Step FieldFocus::step(const QFocusEvent& event) {
    switch (event.reason()) {
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
        if (event.type() == QEvent::FocusOut || entered)
            return Step::None;
        break; // a window coming back whose field was never entered
    default:
        break;
    }
    if (event.type() == QEvent::FocusIn) {
        if (entered)
            return Step::None;
        entered = true;
        return Step::Enter;
    }
    if (event.type() == QEvent::FocusOut && entered) {
        entered = false;
        return Step::Exit;
    }
    return Step::None;
}

void FieldFocus::keepFocus(QLineEdit* field) {
    entered = true;
    // Taken back synchronously: the control the focus was going to then
    // never sees an entry, as it would if the move had been refused.
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
}

bool FieldFocus::tookFocusBack(const QLineEdit* field) {
    return QApplication::focusWidget() == field;
}
