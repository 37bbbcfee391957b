#pragma once

#include "masterdata/Manut_Produtos.h"

// Picks a product for the screen that opened it (its Chamador): the product
// list with the browse screen's orderings and searches.
class TfBusca_Produtos : public TelaListaProdutos {
    Q_OBJECT
public:
    explicit TfBusca_Produtos(QWidget* parent = nullptr);

    // Names the screen that opened the lookup; "Seleciona" answers it.
    QString Chamador;

    QRadioButton* rbCon_Pro_Codigo;
    QRadioButton* rbCon_PRO_Descricao;
    QRadioButton* rbCon_PRO_Refer;
    QRadioButton* rbManut_Con_Grupo;
    QLineEdit* edBusca_ConPRO;
    QPushButton* btnBusca_ConPro;
    QTableView* dbg_Con_PRO;
    QPushButton* btnCon_PRO_Fecha;
    QPushButton* btnCon_PRO_Seleciona;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void btnCon_PRO_SelecionaClick();
};

extern TfBusca_Produtos* fBusca_Produtos;
