#pragma once

#include "utilities/Importacao.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTableWidget;

// Brings groups or products in from a spreadsheet: an Excel workbook or a
// CSV text. The chosen file is read away from the screen, which shows how far
// it has come and can stop it, and then shown as it would be stored: how its
// columns were matched, its first rows, every line that would be refused,
// with all its reasons, and every line stored with a value changed.
// Nothing is written until the operator confirms; then every good line is
// written in one transaction.
class TfImporta_Produtos : public QDialog {
    Q_OBJECT
public:
    explicit TfImporta_Produtos(QWidget* parent = nullptr);

    QRadioButton* rbProdutos;
    QRadioButton* rbGrupos;
    QLineEdit* edArquivo;
    QPushButton* btnEscolheArquivo;
    QLabel* lbLeitura;
    QLabel* lbColunas;
    QTableWidget* dbgPrevia;
    QListWidget* lstRecusas;
    QListWidget* lstAvisos;
    QLabel* lbResumo;
    QPushButton* btnImportar;
    QPushButton* btnFechar;

    // The rows the preview shows at most.
    static constexpr int LinhasPrevia = 20;

private:
    void setupConnections();
    void btnEscolheArquivoClick();
    void btnImportarClick();
    // Reads the chosen file again and shows what an import would do.
    void planeja();
    void mostra();
    bool grava();

    importacao::Plano plano;
};

extern TfImporta_Produtos* fImporta_Produtos;
