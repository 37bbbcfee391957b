#pragma once

#include <QDialog>

class ListaFiltrada;
class QCheckBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;

// Lists the movements of a period for reading, narrowed to some operations
// and to one product by a filter that only this screen's grid applies: the
// movement list itself keeps every row it loaded, for the reports.
class TfConsulta_MovEstq : public QDialog {
    Q_OBJECT
public:
    explicit TfConsulta_MovEstq(QWidget* parent = nullptr);

    QCheckBox* cbEntradas;
    QCheckBox* cbSaidas;
    QCheckBox* cbEst_Entrada;
    QCheckBox* cbEst_Saida;
    QDateEdit* dtpData_Inicial;
    QDateEdit* dtpData_Final;
    QPushButton* btnDatas_Filtrar;
    QRadioButton* cbTodosProdutos;
    QRadioButton* cbDeterminado_Produto;
    QLineEdit* edCodPro;
    QLineEdit* edCodBar;
    QPushButton* btnBusca_Produto;
    QLineEdit* edDescricao;
    QPushButton* btnProduto_Filtrar;
    QTableView* dbgConsulta_MovEstq;
    QPushButton* btnConsulta_MovEstq_Fechar;

    // The grid's filter text, and whether it is on.
    QString Filter;
    bool Filtered = false;
    // The rows the grid shows.
    ListaFiltrada* linhas;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setupConnections();
    void cbOperacaoClick(QCheckBox* box, QString& fragmento, const QString& operacao);
    void btnProduto_FiltrarClick();
    void btnDatas_FiltrarClick();
    void edCodProExit();
    void edCodBarExit();
    // Shows the product just read, or says there is none.
    bool mostraProduto(bool achou);
    void montaFragmentoProduto();
    void aplicaFiltro();

    QString fragEntradas;
    QString fragSaidas;
    QString fragEstEntrada;
    QString fragEstSaida;
    QString fragProduto;
};

extern TfConsulta_MovEstq* fConsulta_MovEstq;
