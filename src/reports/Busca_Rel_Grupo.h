#pragma once

#include "reports/DialogoRelatorio.h"

class QLabel;
class QLineEdit;
class QPushButton;

// Asks for one group and lists its products in stock.
class TfBusca_Rel_Grupo : public DialogoRelatorio {
    Q_OBJECT
public:
    explicit TfBusca_Rel_Grupo(QWidget* parent = nullptr);

    QLabel* Label1;
    QLineEdit* edCodGrupo;
    QLineEdit* edDescGrupo;
    QPushButton* btnBusca_Grupo;
    QPushButton* btnImprimir;
    QPushButton* btnCancelar;

private:
    void btnImprimirClick();
};

extern TfBusca_Rel_Grupo* fBusca_Rel_Grupo;
