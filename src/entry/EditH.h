#pragma once

#include "entry/FieldFocus.h"

#include <QLineEdit>
#include <functional>

// A single-line edit with an optional numeric mode chosen by its properties.
// With Numero set it shows plain digits while focused and formats the value
// on exit (money with Moeda, a percentage with Porcentagem, CasaDecimal
// decimals); a text that does not read becomes the zero text of its format
// and keeps the focus.
//
// The owner's handlers run after the built-in behaviour and see its result:
// OnEnter the cleaned, selected text; OnExit the formatted text; OnKeyPress
// the filtered key, a null QChar when the filter dropped it, which the
// handler may replace or drop in turn.
class TEditH : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(TAlignment Alignment READ textAlignment WRITE setTextAlignment STORED true)
    Q_PROPERTY(bool Numero READ numero WRITE setNumero STORED true)
    Q_PROPERTY(bool Moeda READ moeda WRITE setMoeda STORED true)
    Q_PROPERTY(bool Porcentagem READ porcentagem WRITE setPorcentagem STORED true)
    Q_PROPERTY(int CasaDecimal READ casaDecimal WRITE setCasaDecimal STORED true)

public:
    enum TAlignment { taLeftJustify, taRightJustify, taCenter };
    Q_ENUM(TAlignment)

    explicit TEditH(QWidget* parent = nullptr);

    TAlignment textAlignment() const { return FAlignment; }
    void setTextAlignment(TAlignment alignment);
    bool numero() const { return FNumero; }
    void setNumero(bool numero) { FNumero = numero; }
    bool moeda() const { return FMoeda; }
    void setMoeda(bool moeda) { FMoeda = moeda; }
    bool porcentagem() const { return FPorcentagem; }
    void setPorcentagem(bool porcentagem) { FPorcentagem = porcentagem; }
    int casaDecimal() const { return FCasaDecimal; }
    void setCasaDecimal(int casas) { FCasaDecimal = casas; }

    std::function<void()> OnEnter;
    std::function<void()> OnExit;
    std::function<void(QChar& key)> OnKeyPress;

    // From inside OnExit: puts the focus back into the control without
    // running the entry again.
    void keepFocus() { focus.keepFocus(this); }

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void formatOnExit();
    QString zeroText() const;

    TAlignment FAlignment = taLeftJustify;
    bool FNumero = false;
    bool FMoeda = false;
    bool FPorcentagem = false;
    int FCasaDecimal = 0;
    FieldFocus focus;
};
