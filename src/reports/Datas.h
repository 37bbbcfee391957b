#pragma once

#include "reports/DialogoRelatorio.h"

class QDateEdit;
class QLabel;
class QPushButton;

// Asks for the period of the movement reports by date.
class TfDatas : public DialogoRelatorio {
    Q_OBJECT
public:
    explicit TfDatas(QWidget* parent = nullptr);

    QLabel* Label1;
    QDateEdit* dtpData_Ini;
    QDateEdit* dtpData_Fim;
    QPushButton* btnDIF_Imprimir;
    QPushButton* btnDIF_Sair;

private:
    void btnDIF_ImprimirClick();
};

extern TfDatas* fDatas;
