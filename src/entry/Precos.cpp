#include "entry/Precos.h"

#include "entry/RegionalNumbers.h"

#include <QLineEdit>

void AcoplaPrecos(QLineEdit* custo, QLineEdit* margem, QLineEdit* venda,
                  NumericField::Variant variant) {
    auto recalculaMargem = [custo, margem, venda] {
        const double valorCusto = fieldValue(custo->text());
        if (valorCusto == 0)
            return;
        margem->setText(NumericField::displayText(
            NumericField::Percentage, fieldValue(venda->text()) * 100 / valorCusto - 100));
    };
    auto recalculaVenda = [custo, margem, venda] {
        const double valorCusto = fieldValue(custo->text());
        if (valorCusto == 0)
            return;
        venda->setText(NumericField::displayText(
            NumericField::Money, (fieldValue(margem->text()) / 100 + 1) * valorCusto));
    };
    NumericField::attach(custo, NumericField::Money, variant)->onExit(recalculaMargem);
    NumericField::attach(venda, NumericField::Money, variant)->onExit(recalculaMargem);
    NumericField::attach(margem, NumericField::Percentage, variant)->onExit(recalculaVenda);
}
