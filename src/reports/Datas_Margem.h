#pragma once

#include "reports/DialogoRelatorio.h"

class QDateEdit;
class QLabel;
class QPushButton;

// Asks for the period of the exits and every product or one group's.
class TfDatas_Margem : public DialogoRelatorio {
    Q_OBJECT
public:
    explicit TfDatas_Margem(QWidget* parent = nullptr);

    QLabel* Label1;
    QDateEdit* dtpData_Inicial;
    QDateEdit* dtpData_Final;
    EscolhaGrupo produtos; // rbTodos, rbGrupo and the group's row
    QPushButton* btnImprimir;
    QPushButton* btnCancelar;

private:
    void btnImprimirClick();
};

extern TfDatas_Margem* fDatas_Margem;
