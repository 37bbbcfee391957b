#pragma once

#include "shell/Cadastro.h"

#include <QDialog>

class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class SqlQuery;

// Creates, changes, deletes and shows one product, in the mode the product
// browse screen set. Cost, margin and sale price recompute one another as
// the operator leaves them.
class TfDados_Produtos : public QDialog {
    Q_OBJECT
public:
    explicit TfDados_Produtos(QWidget* parent = nullptr);

    QLabel* lbDados_Pro_Titulo;
    QLineEdit* edPRO_Codigo;
    QLineEdit* edPRO_Descricao;
    QLineEdit* edPRO_CodGru;
    QPushButton* btnDados_Pro_Busca;
    QLineEdit* edPRO_Quant;
    QLineEdit* edPRO_Unid;
    QLineEdit* edPRO_Min;
    QLineEdit* edPRO_EMax;
    QLineEdit* edPRO_PCusto;
    QLineEdit* edPRO_Margem;
    QLineEdit* edPRO_PVenda;
    QLineEdit* edPRO_Local;
    QLineEdit* edPRO_Refer;
    QLineEdit* edPRO_CodBar;
    QDateEdit* dtpPro_DCad;
    QLineEdit* edPRO_UComp;
    QPlainTextEdit* edPRO_Obs;
    QPushButton* btnPRO_Salva;
    QPushButton* btnPRO_Limpa;
    QLineEdit* edPRO_NomeGru;
    QPushButton* btnPRO_Fecha;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setupConnections();
    void FormShow();
    void limpa(const QString& zeroMoeda, const QString& semCompra);
    void carregaProduto();
    void edPRO_CodigoExit();
    void edPRO_CodGruExit();
    void edPRO_NomeGruEnter();
    void edPRO_MinExit();
    void edPRO_EMaxExit();
    void btnPRO_SalvaClick();
    void btnPRO_LimpaClick();
    bool camposPreenchidos();
    void passaCampos(SqlQuery* q);
    void inclui();
    void altera();
    void exclui();
};

extern TfDados_Produtos* fDados_Produtos;
