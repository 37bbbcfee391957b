#include "entry/KeyFilter.h"

#include <QKeyEvent>

QChar filterKey(KeyFilter filter, QChar key) {
    if (filter == KeyFilter::None || !key.isPrint())
        return key;
    if (key.isDigit() && key.unicode() < 128)
        return key;
    switch (filter) {
    case KeyFilter::Decimal:
        return key == u',' || key == u'.' ? QChar(u',') : QChar();
    case KeyFilter::WholeNumber:
        return key == u',' ? key : QChar();
    default:
        return QChar();
    }
}

QChar typedCharacter(const QKeyEvent& event) {
    return event.text().size() == 1 ? event.text().front() : QChar();
}

QKeyEvent retyped(const QKeyEvent& event, QChar key) {
    int code = Qt::Key_unknown;
    if (key == u'\b')
        code = Qt::Key_Backspace;
    else if (key == u'\r')
        code = Qt::Key_Return;
    else if (key.isPrint())
        code = key.toUpper().unicode();
    return QKeyEvent(event.type(), code, event.modifiers(), QString(key), event.isAutoRepeat());
}
