#pragma once

#include <QChar>

class QKeyEvent;

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
