#pragma once

#include "reports/DialogoRelatorio.h"

class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

// Asks for a type of exit and a period: the exits of that type.
class TfDatas_Tipo : public DialogoRelatorio {
    Q_OBJECT
public:
    explicit TfDatas_Tipo(QWidget* parent = nullptr);

    QLabel* Label1;
    QPushButton* btnImprimir;
    QPushButton* btnCancelar;
    QPushButton* btnBusca_Tipo;
    QLineEdit* edCodTipo;
    QLineEdit* edDescTipo;
    QDateEdit* dtpData_Inicial;
    QDateEdit* dtpData_Final;

private:
    void btnImprimirClick();
};

extern TfDatas_Tipo* fDatas_Tipo;
