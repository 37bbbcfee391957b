#pragma once

class QFocusEvent;
class QLineEdit;

// Tells a field's real entries and exits apart from the other focus events
// it sees. A window losing or regaining activation (a message box, a lookup,
// another program, a popup menu) neither leaves nor enters the field. A
// field that receives the focus only to lose it at once, because the field
// being left took it back, was never entered and is not left either: its
// exit must not run on a text it never cleaned.
class FieldFocus {
public:
    enum class Step { None, Enter, Exit };

    Step step(const QFocusEvent& event);

    // The field was hidden with its window: the next focus is a new entry.
    void forget() { entered = false; }

    // From inside the field's exit: puts the focus back into it, text
    // selected, without a new entry.
    void keepFocus(QLineEdit* field);

    // Whether the exit handling put the focus back, so the platform's own
    // focus-out handling must not run.
    static bool tookFocusBack(const QLineEdit* field);

private:
    bool entered = false;
};
