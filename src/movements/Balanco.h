#pragma once

#include "movements/Balancos.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

// The stock count: open a count over some products, print its count sheets,
// count into it by typing or scanning codes (from several workstations at
// once), see what applying it would do and apply it as entries and exits.
class TfBalanco : public QDialog {
    Q_OBJECT
public:
    explicit TfBalanco(QWidget* parent = nullptr);

    // Opening a count.
    QLineEdit* edBal_Descricao;
    QRadioButton* rbBal_Todos;
    QRadioButton* rbBal_Grupo;
    QLineEdit* edBal_Grupo;
    QRadioButton* rbBal_NaoContados;
    QLineEdit* edBal_Dias;
    QPushButton* btnBal_Abre;

    // The count worked on, and its sheets.
    QComboBox* cbBal_Balanco;
    QCheckBox* cbBal_Esperado;
    QPushButton* btnBal_Folha;
    QPushButton* btnBal_Cancela;

    // Counting.
    QLineEdit* edBal_Quant;
    QLineEdit* edBal_Codigo;
    QLabel* lbBal_Total;
    QTableWidget* dbgBal_Linhas;
    QPushButton* btnBal_CancelaLinha;

    // Applying.
    QRadioButton* rbBal_Manter;
    QRadioButton* rbBal_Zerar;
    QComboBox* cbBal_Tipo;
    QPushButton* btnBal_Previa;
    QTableWidget* dbgBal_Previa;
    QLabel* lbBal_Previa;
    QPushButton* btnBal_Aplica;
    QPushButton* btnBal_Diferencas;
    QPushButton* btnBal_Fecha;

    // The count the screen works on, 0 when none is open.
    int numero() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setupConnections();
    void btnBal_AbreClick();
    void btnBal_FolhaClick();
    void btnBal_CancelaClick();
    void edBal_CodigoEnter();
    void btnBal_CancelaLinhaClick();
    void btnBal_PreviaClick();
    void btnBal_AplicaClick();
    void btnBal_DiferencasClick();
    // The open counts again, keeping the one chosen when it is still open.
    void carregaBalancos(int escolher = 0);
    void carregaTipos();
    void mostraLinhas();
    // The exit type of the adjustments: the one chosen, or "Ajuste de
    // Balanço", created when the operator agrees. Empty: none.
    QString tipoDeSaida();

    int ultimoAplicado = 0;
    int previaDe = 0; // the count the preview shows
};

extern TfBalanco* fBalanco;
