#pragma once

#include "reports/DialogoRelatorio.h"

class QCheckBox;
class QDateEdit;
class QLabel;
class QPushButton;

// Asks for the day the stock is valued at, every product or one group's,
// and whether the products at zero are listed.
class TfData_Estoque : public DialogoRelatorio {
    Q_OBJECT
public:
    explicit TfData_Estoque(QWidget* parent = nullptr);

    QLabel* Label1;
    QDateEdit* dtpData;
    EscolhaGrupo produtos; // rbTodos, rbGrupo and the group's row
    QCheckBox* cbZerados;
    QPushButton* btnImprimir;
    QPushButton* btnCancelar;

private:
    void btnImprimirClick();
};

extern TfData_Estoque* fData_Estoque;
