#pragma once

#include <QChar>
#include <QString>
#include <functional>

class QKeyEvent;
class QLineEdit;

// Which typed characters a numeric field lets through.
enum class KeyFilter {
    None,        // everything
    Decimal,     // digits, and ',' or '.' as the decimal comma
    WholeNumber, // digits and ',' as typed; the full stop is dropped
    Digits,      // digits only
};

// The character a typed key becomes under the filter, or a null QChar when
// the filter drops it. Keys that type nothing printable (Backspace, Enter,
// Escape, editing shortcuts) pass unchanged.
QChar filterKey(KeyFilter filter, QChar key);

// The typed character of a key press, or a null QChar when it types none.
QChar typedCharacter(const QKeyEvent& event);

// A copy of event that types `key` instead.
QKeyEvent retyped(const QKeyEvent& event, QChar key);

// What a pasted text becomes in a field of the filter: a number as a
// spreadsheet or another screen writes it ("R$ 1.234,50", "12,5%", "1.234",
// "12.5") is pasted as the digits and comma the keys would have typed
// ("1234,50", "12,5", "1234", "12,5"); anything else (letters, a sign, two
// numbers) gives a null QString and is not pasted, as typing it would type
// nothing. Under None every text passes as it is.
QString filterPaste(KeyFilter filter, const QString& pasted);

// Pasting into the field meets the field's filter, however the text comes:
// the paste keys, the context menu, the middle button or a drop. filter
// answers the field's filter at the moment of the paste.
void guardPaste(QLineEdit* field, std::function<KeyFilter()> filter);
