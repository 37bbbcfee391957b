#include "entry/EditH.h"

#include "entry/FocusColour.h"
#include "entry/Funcoes.h"
#include "entry/KeyFilter.h"
#include "entry/RegionalNumbers.h"

#include <QFocusEvent>
#include <QKeyEvent>

TEditH::TEditH(QWidget* parent) : QLineEdit(parent) {
    setText(QString());
    followFocusColour(this);
    guardPaste(this, [this] {
        if (!FNumero)
            return KeyFilter::None;
        return FCasaDecimal != 0 ? KeyFilter::Decimal : KeyFilter::Digits;
    });
}

void TEditH::setTextAlignment(TAlignment alignment) {
    if (alignment == FAlignment)
        return;
    FAlignment = alignment;
    const Qt::Alignment horizontal = alignment == taRightJustify ? Qt::AlignRight
                                     : alignment == taCenter     ? Qt::AlignHCenter
                                                                 : Qt::AlignLeft;
    setAlignment(horizontal | Qt::AlignVCenter);
}

void TEditH::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (focus.step(*event) != FieldFocus::Step::Enter)
        return;
    if (FNumero)
        setText(LimpaNumero(text()));
    selectAll();
    if (OnEnter)
        OnEnter();
}

void TEditH::focusOutEvent(QFocusEvent* event) {
    if (focus.step(*event) != FieldFocus::Step::Exit) {
        QLineEdit::focusOutEvent(event);
        return;
    }
    if (FNumero)
        formatOnExit();
    if (OnExit)
        OnExit();
    if (!FieldFocus::tookFocusBack(this))
        QLineEdit::focusOutEvent(event);
}

void TEditH::formatOnExit() {
    try {
        const double value = toNumber(text());
        // Each format set replaces the text of the one before.
        if (!FMoeda && !FPorcentagem)
            setText(formatNumber(value, 14, FCasaDecimal));
        if (FMoeda)
            setText(formatCurrency(value, 14, FCasaDecimal));
        if (FPorcentagem)
            setText(formatNumber(value, 10, FCasaDecimal) + u'%');
    } catch (const ConversionError&) {
        const QString zero = zeroText();
        if (!zero.isNull())
            setText(zero);
        focus.keepFocus(this);
    }
}

// The text written after a failed conversion; a null text leaves the text as
// it was. Money ignores the decimals, and four decimals fall back to three.
QString TEditH::zeroText() const {
    if (FMoeda)
        return QStringLiteral("0,00");
    static const char* const zeros[] = {"0", "0,0", "0,00", "0,000", "0,000"};
    if (FCasaDecimal < 0 || FCasaDecimal > 4)
        return QString();
    QString zero = QString::fromLatin1(zeros[FCasaDecimal]);
    return FPorcentagem ? zero + u'%' : zero;
}

void TEditH::keyPressEvent(QKeyEvent* event) {
    const QChar typed = typedCharacter(*event);
    if (typed.isNull()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    QChar key = typed;
    if (FNumero)
        key = filterKey(FCasaDecimal != 0 ? KeyFilter::Decimal : KeyFilter::Digits, typed);
    if (OnKeyPress)
        OnKeyPress(key);
    if (key.isNull()) {
        event->accept();
    } else if (key == typed) {
        QLineEdit::keyPressEvent(event);
    } else {
        QKeyEvent replaced = retyped(*event, key);
        QLineEdit::keyPressEvent(&replaced);
        event->setAccepted(replaced.isAccepted());
    }
}

void TEditH::hideEvent(QHideEvent* event) {
    focus.forget();
    QLineEdit::hideEvent(event);
}
