#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;

// Picks a type of stock exit for the screen that opened it (its Chamador).
class TfBusca_Tipos : public QDialog {
    Q_OBJECT
public:
    explicit TfBusca_Tipos(QWidget* parent = nullptr);

    // Names the screen that opened the lookup; "Seleciona" answers it.
    QString Chamador;

    QRadioButton* rbBusca_Tipos_Codigo;
    QRadioButton* rbBusca_Tipos_Descricao;
    QLabel* lbBusca_Tipos_Busca;
    QLineEdit* edBusca_Tipos_Busca;
    QPushButton* btnBusca_Tipos;
    QTableView* dbg_BuscaTipos;
    QPushButton* btnBusca_TIP_Fechar;
    QPushButton* btnBusca_Seleciona;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setupConnections();
    void FormShow();
    void btnBusca_TiposClick();
    void btnBusca_SelecionaClick();
};

extern TfBusca_Tipos* fBusca_Tipos;
