#pragma once

#include <QDialog>

class QDateEdit;
struct CamposProduto;
class QLabel;
class QLineEdit;
class QPushButton;

// Reverses an entry ("TE", the quantity on hand falls) or an exit ("TS", it
// rises), in the mode the main window's Opcao names when the screen opens.
class TfEstorno_Estq : public QDialog {
    Q_OBJECT
public:
    explicit TfEstorno_Estq(QWidget* parent = nullptr);

    QLabel* lEstorno_Titulo;
    QLineEdit* edEST_CodPro;
    QLineEdit* edEst_DescPro;
    QPushButton* btnEST_BuscaPro;
    QLineEdit* edEST_CodBar;
    QLineEdit* edEst_Unid;
    QLineEdit* edEst_QuantAtual;
    QDateEdit* dtpEst_Data;
    QLineEdit* EdEst_Quant;
    QLabel* lEst_Preco;
    QLineEdit* edEst_Preco;
    QLineEdit* edEst_Doc;
    QPushButton* btnEst_Grava;
    QPushButton* btnEst_Limpa;
    QPushButton* btnEst_Fecha;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setupConnections(const CamposProduto& produto);
    void limpa();
    void btnEst_GravaClick();
};

extern TfEstorno_Estq* fEstorno_Estq;
