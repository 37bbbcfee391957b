#pragma once

#include <QDialog>

class QDateEdit;
struct CamposProduto;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// Receives goods into stock: an "EE" movement, and the product rewritten
// with the screen's prices, limits and texts and the entry's date as its
// last purchase.
class TfEntrada_Estq : public QDialog {
    Q_OBJECT
public:
    explicit TfEntrada_Estq(QWidget* parent = nullptr);

    QLabel* lbEntrada_Titulo;
    QLineEdit* edENT_CodPRO;
    QLineEdit* edEnt_DescPro;
    QPushButton* btnENT_Estoque_BuscaPRO;
    QLineEdit* edENT_CodBar;
    QLineEdit* edENT_Unid;
    QLineEdit* edEnt_QuantAtual;
    QLineEdit* edEnt_Quant;
    QDateEdit* dtpEnt_Data;
    QLineEdit* edEnt_Documento;
    QLineEdit* edEnt_PCusto;
    QLineEdit* edEnt_Margem;
    QLineEdit* edEnt_PVenda;
    QLineEdit* edENT_Local;
    QLineEdit* edENT_Min;
    QLineEdit* edENT_Max;
    QLineEdit* edEnt_Refer;
    QPlainTextEdit* edENT_Obs;
    QPushButton* btnEntrada_Grava;
    QPushButton* btnEntrada_Limpa;
    QPushButton* btnEntrada_Fechar;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setupConnections(const CamposProduto& produto);
    void limpa();
    void carrega(class SqlQuery* q);
    void btnEntrada_GravaClick();
    void gravaProduto(SqlQuery* q, double quantidadeTotal);
};

extern TfEntrada_Estq* fEntrada_Estq;
