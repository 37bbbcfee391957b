#pragma once

#include "entry/FieldFocus.h"
#include "entry/KeyFilter.h"

#include <QObject>
#include <functional>

class QLineEdit;

// A screen's money, quantity, percentage or whole-number field: right-aligned,
// plain digits while focused and its display text otherwise. A screen
// switches it on with one line per field:
//
//     NumericField::attach(edPRO_PCusto, NumericField::Money, NumericField::Limited)
//         ->onExit([this] { edPRO_PCustoExit(); });
//
// The field always follows the focus colour convention and filters the keys
// of its kind (decimal; whole number: digits and comma).
class NumericField : public QObject {
public:
    enum Kind { Money, Quantity, Percentage, WholeNumber };

    enum Variant {
        // Entry: clean the text and select it. Exit: read the text, write its
        // display text, or take the focus back when it does not read.
        // Whole numbers keep their text as typed.
        Plain,
        // Plain, but a value at or above the kind's limit is left as typed
        // and keeps the focus.
        Limited,
        // Plain, with the text cleaned once more before it is read.
        CleanFirst,
        // Only the colour changes on entry and exit.
        ColourOnly,
    };

    // The field's behaviour lives as long as the field.
    static NumericField* attach(QLineEdit* field, Kind kind, Variant variant = Plain);

    // The display text of a value: "R$ 1.234,50", "2,500", "30,00%", "12".
    static QString displayText(Kind kind, double value);

    // Runs on every exit after the field's own handling, unless the field's
    // text did not read. A ConversionError thrown by the hook takes the focus
    // back into the field without a message, like the field's own failure.
    NumericField* onExit(std::function<void()> hook);

    // The behaviour attached to a field, or null.
    static NumericField* of(const QLineEdit* field);

    // The decimals the kind's columns keep (NUMERIC(15, n)).
    static int storedDecimals(Kind kind);

    Kind kind() const { return fieldKind; }

    // A whole-number field shows the whole number it stores: a fraction
    // typed into it ("1,5") is rounded where the operator sees it ("2").
    // A text that does not read as a number is left as it is.
    void roundWholeNumber() const;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    NumericField(QLineEdit* field, Kind kind, Variant variant);

    void enter();
    void leave();
    QString editText(const QString& display) const;

    QLineEdit* field;
    Kind fieldKind;
    Variant variant;
    FieldFocus focus;
    std::function<void()> exitHook;
};
