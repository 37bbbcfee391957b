#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;

// Lists the product groups, orders and searches them, and opens the group
// edit screen in the mode of the button pressed.
class TfManut_Grupos : public QDialog {
    Q_OBJECT
public:
    explicit TfManut_Grupos(QWidget* parent = nullptr);

    // The edit mode the group edit screen works in.
    QString Modo;

    QRadioButton* rbManut_Grupos_Codigo;
    QRadioButton* rbManut_GRupos_Descricao;
    QLabel* lbManut_Grupos_Busca;
    QLineEdit* edManut_Grupos_Busca;
    QPushButton* Button1;
    QTableView* dbg_ManutGrupos;
    QPushButton* btn_Manut_GRU_Novo;
    QPushButton* btnManut_GRU_Altera;
    QPushButton* btnManut_GRU_Exclui;
    QPushButton* btnManut_GRU_Fechar;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setupConnections();
    void FormCreate();
    void ordena(QRadioButton* botao, const QString& ordem, const QString& rotulo);
    void Button1Click();
    void abreDados(const QString& modo);
};

extern TfManut_Grupos* fManut_Grupos;

// The statements that order the group list, and the search label of each.
void OrdenaGrupos(const QString& ordem, QLabel* rotulo, const QString& textoRotulo);
