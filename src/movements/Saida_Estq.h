#pragma once

#include <QDialog>

class QDateEdit;
struct CamposProduto;
class QLabel;
class QLineEdit;
class QPushButton;

// Issues goods from stock under a type of exit: an "SS" movement that lowers
// the quantity on hand, never below what the screen shows.
class TfSaida_Estq : public QDialog {
    Q_OBJECT
public:
    explicit TfSaida_Estq(QWidget* parent = nullptr);

    QLabel* lbSaida_Titulo;
    QLineEdit* edSaida_CodPro;
    QLineEdit* edSaida_DescPro;
    QPushButton* btnSaida_Estoque_BuscaPRO;
    QLineEdit* edSaida_CodBar;
    QLineEdit* edSaida_Unid;
    QLineEdit* edSaida_QuantAtual;
    QDateEdit* dtpSaida_Data;
    QLineEdit* edSaida_CodTipo;
    QLineEdit* edSaida_DescTipo;
    QPushButton* btnSaida_Estoque_BuscaTipo;
    QLineEdit* EdSaida_Quant;
    QLineEdit* edSaida_PVenda;
    QLineEdit* edSaida_Doc;
    QPushButton* btnSaida_Estq_Grava;
    QPushButton* btnSaida_Estq_Limpa;
    QPushButton* btnSaida_Estq_Fecha;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setupConnections(const CamposProduto& produto);
    void limpa();
    void edSaida_CodTipoExit();
    void btnSaida_Estq_GravaClick();
};

extern TfSaida_Estq* fSaida_Estq;
