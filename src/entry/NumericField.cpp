#include "entry/NumericField.h"

#include "entry/FocusColour.h"
#include "entry/Funcoes.h"
#include "entry/RegionalNumbers.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <limits>

namespace {

// Values from here up do not fit the columns that keep them.
double limitOf(NumericField::Kind kind) {
    switch (kind) {
    case NumericField::Money:
        return 99999999999.99;
    case NumericField::Percentage:
        return 99999.99;
    default:
        return std::numeric_limits<double>::infinity();
    }
}

} // namespace

NumericField::NumericField(QLineEdit* field, Kind kind, Variant variant)
    : QObject(field), field(field), fieldKind(kind), variant(variant) {}

NumericField* NumericField::attach(QLineEdit* field, Kind kind, Variant variant) {
    followFocusColour(field);
    field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* behaviour = new NumericField(field, kind, variant);
    field->installEventFilter(behaviour);
    const KeyFilter filter = kind == WholeNumber ? KeyFilter::WholeNumber : KeyFilter::Decimal;
    guardPaste(field, [filter] { return filter; });
    return behaviour;
}

QString NumericField::displayText(Kind kind, double value) {
    switch (kind) {
    case Money:
        return formatCurrency(value, 14, 2);
    case Quantity:
        return formatNumber(value, 14, 3);
    case Percentage:
        return formatNumber(value, 8, 2) + u'%';
    case WholeNumber:
        break;
    }
    return formatNumber(value, 10, 0);
}

NumericField* NumericField::of(const QLineEdit* field) {
    // A plain dynamic_cast: this class has no meta-object of its own.
    for (QObject* child : field->children())
        if (auto* behaviour = dynamic_cast<NumericField*>(child))
            return behaviour;
    return nullptr;
}

int NumericField::storedDecimals(Kind kind) {
    switch (kind) {
    case Money:
    case Percentage:
        return 2;
    case Quantity:
        return 3;
    case WholeNumber:
        break;
    }
    return 0;
}

// The plain number to edit. A display text in scientific notation
// ("R$ 1,0009899E+14") is written out in full, digit by digit: cleaning it
// with LimpaNumero would leave a different number ("1,000989914").
QString NumericField::editText(const QString& display) const {
    if (!display.contains(u'E', Qt::CaseInsensitive))
        return LimpaNumero(display);
    QString mantissaAndExponent;
    for (QChar c : display)
        if (c.isDigit() || c == u',' || c == u'-' || c == u'+' || c == u'E' || c == u'e')
            mantissaAndExponent += c;
    try {
        const RoundedDecimal plain =
            roundDecimal(toNumber(mantissaAndExponent), storedDecimals(fieldKind));
        QString text = QString::fromStdString(plain.integral);
        if (!plain.fraction.empty())
            text += u',' + QString::fromStdString(plain.fraction);
        return plain.negative ? u'-' + text : text;
    } catch (const ConversionError&) {
        return LimpaNumero(display);
    }
}

void NumericField::roundWholeNumber() const {
    if (fieldKind != WholeNumber || !field->text().contains(u','))
        return;
    try {
        field->setText(displayText(WholeNumber, toNumber(field->text())));
    } catch (const ConversionError&) {
        // Reported by whoever reads it.
    }
}

NumericField* NumericField::onExit(std::function<void()> hook) {
    exitHook = std::move(hook);
    return this;
}

bool NumericField::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        const QChar typed = typedCharacter(*key);
        if (typed.isNull())
            return false;
        const QChar kept = filterKey(
            fieldKind == WholeNumber ? KeyFilter::WholeNumber : KeyFilter::Decimal, typed);
        if (kept == typed)
            return false;
        if (!kept.isNull()) {
            QKeyEvent replaced = retyped(*key, kept);
            QCoreApplication::sendEvent(field, &replaced);
        }
        return true;
    }
    case QEvent::FocusIn:
        if (focus.step(*static_cast<QFocusEvent*>(event)) == FieldFocus::Step::Enter)
            enter();
        return false;
    case QEvent::FocusOut:
        if (focus.step(*static_cast<QFocusEvent*>(event)) == FieldFocus::Step::Exit) {
            leave();
            return FieldFocus::tookFocusBack(field);
        }
        return false;
    case QEvent::Hide:
        focus.forget();
        return false;
    default:
        return false;
    }
}

void NumericField::enter() {
    if (variant == ColourOnly)
        return;
    field->setText(editText(field->text()));
    field->selectAll();
}

void NumericField::leave() {
    try {
        if (variant == CleanFirst)
            field->setText(LimpaNumero(field->text()));
        if (variant != ColourOnly && fieldKind != WholeNumber) {
            const double value = toNumber(field->text());
            if (variant == Limited && value >= limitOf(fieldKind))
                focus.keepFocus(field);
            else
                field->setText(displayText(fieldKind, value));
        }
    } catch (const ConversionError&) {
        focus.keepFocus(field);
        return;
    }
    if (variant != ColourOnly)
        roundWholeNumber();
    if (!exitHook)
        return;
    try {
        exitHook();
    } catch (const ConversionError&) {
        // Back in the field, the operator edits the plain number again, not
        // the display text the exit has just written.
        enter();
        focus.keepFocus(field);
    }
}
