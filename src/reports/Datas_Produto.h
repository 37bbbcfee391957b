#pragma once

#include "reports/DialogoRelatorio.h"

class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

// Asks for a product and a period: its movements, or only its entries or
// only its exits.
class TfDatas_Produto : public DialogoRelatorio {
    Q_OBJECT
public:
    explicit TfDatas_Produto(QWidget* parent = nullptr);

    QLabel* Label1;
    QLineEdit* edCodPro;
    QLineEdit* edCodBar;
    QLineEdit* EdDescPro;
    QPushButton* btnBusca_Produto;
    QDateEdit* dtpData_Inicial;
    QDateEdit* dtpData_Final;
    QPushButton* btnImprime;
    QPushButton* btnFechar;

private:
    void btnImprimeClick();
};

extern TfDatas_Produto* fDatas_Produto;
