#pragma once

#include "reports/DialogoRelatorio.h"

class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

// Asks for a group and a period: the movements of its products, or only
// their entries or only their exits.
class TfDatas_Grupo : public DialogoRelatorio {
    Q_OBJECT
public:
    explicit TfDatas_Grupo(QWidget* parent = nullptr);

    QLabel* Label1;
    QLineEdit* edCodGrupo;
    QLineEdit* edDescGrupo;
    QPushButton* btnBusca_Grupo;
    QDateEdit* dtpData_Inicial;
    QDateEdit* dtpData_Final;
    QPushButton* btnImprimir;
    QPushButton* btnCancelar;

private:
    void btnImprimirClick();
};

extern TfDatas_Grupo* fDatas_Grupo;
