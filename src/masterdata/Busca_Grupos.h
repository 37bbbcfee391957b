#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;

// Picks a product group for the screen that opened it (its Chamador).
class TfBusca_Grupos : public QDialog {
    Q_OBJECT
public:
    explicit TfBusca_Grupos(QWidget* parent = nullptr);

    // Names the screen that opened the lookup; "Seleciona" answers it.
    QString Chamador;

    QRadioButton* rbBusca_Grupos_Codigo;
    QRadioButton* rbBusca_GRupos_Descricao;
    QLabel* lbBusca_Grupos_Busca;
    QLineEdit* edBusca_Grupos_Busca;
    QPushButton* btnBusca_Grupos;
    QTableView* dbg_BuscaGrupos;
    QPushButton* btnBusca_GRU_Fechar;
    QPushButton* btnBusca_Seleciona;

private:
    void setupConnections();
    void btnBusca_GruposClick();
    void btnBusca_SelecionaClick();
};

extern TfBusca_Grupos* fBusca_Grupos;
