#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;

// Orders the shared product list by a column of the product join
// ("p.PRO_Descricao", "g.GRU_Descricao" ...): one statement, one reload.
void OrdenaProdutos(const QString& coluna);

// What the product browse and lookup screens share: the product grid, the
// orderings, and the search by code, description, reference, bar code or
// notes over the loaded list.
class TelaListaProdutos : public QDialog {
    Q_OBJECT
public:
    QLabel* lbTitulo_Busca;
    QRadioButton* rbPRO_Busca_Codigo;
    QRadioButton* rbPRO_Busca_Descricao;
    QRadioButton* rbPRO_Busca_Refer;
    QRadioButton* rbPRO_Busca_CodBar;
    QRadioButton* rbPRO_Busca_OBS;

protected:
    TelaListaProdutos(QWidget* parent, Qt::WindowFlags flags);

    QLabel* titulo(const QString& texto);
    QTableView* gradeProdutos(const QString& nome);
    // An order radio button: entering it orders the list by the column.
    QRadioButton* ordem(const QString& nome, const QString& legenda, const QString& coluna);
    // The "Busca" box: the label, the five search keys, the box and its button.
    QGroupBox* caixaBusca(QLineEdit* busca, QPushButton* botao);
    // Each showing: order and search by description, under the label given.
    void ordemInicial(QRadioButton* porDescricao, const QString& rotulo);
    // "Busca": the first product, in the list's order, whose field of the
    // checked key begins with the text (a code first padded to ten).
    void busca(QLineEdit* texto);
};

// Lists the products with their group, orders and searches them, and opens
// the product edit screen in the mode of the button pressed.
class TfManut_Produtos : public TelaListaProdutos {
    Q_OBJECT
public:
    explicit TfManut_Produtos(QWidget* parent = nullptr);

    // The edit mode the product edit screen works in.
    QString Modo;

    QTableView* dbg_Manut_PRO;
    QPushButton* btnManut_PRO_Novo;
    QPushButton* btnManut_PRO_Altera;
    QPushButton* btnManut_PRO_Exclui;
    QPushButton* btnManut_PRO_Consulta;
    QPushButton* btnManut_PRO_Fecha;
    QRadioButton* rbManut_Pro_Codigo;
    QRadioButton* rbManut_PRO_Descricao;
    QRadioButton* rbManut_PRO_Refer;
    QRadioButton* rbManut_PRO_Grupo;
    QLineEdit* edBusca_ManutPRO;
    QPushButton* btnBusca_ManutPro;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void abreDados(const QString& modo);
};

extern TfManut_Produtos* fManut_Produtos;
