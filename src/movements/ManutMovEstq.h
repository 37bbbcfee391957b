#pragma once

#include <QDialog>

class QDateEdit;
class QPushButton;
class QTableView;
class TEditH;

// Removes movements: the selected one alone, or together with its effect on
// the product's quantity on hand.
class TfManutMovEstq : public QDialog {
    Q_OBJECT
public:
    explicit TfManutMovEstq(QWidget* parent = nullptr);

    QDateEdit* dtpDataInicial;
    QDateEdit* dtpDataFinal;
    TEditH* edCodigo;
    TEditH* edDesc;
    QPushButton* btnBusca;
    QPushButton* btnFiltra;
    QTableView* dbgMovEstq;
    QPushButton* btnExcluir;
    QPushButton* btnReverter;
    QPushButton* btnFechar;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setupConnections();
    void edCodigoExit();
    void btnFiltraClick();
    void btnExcluirClick();
    void btnReverterClick();
};

extern TfManutMovEstq* fManutMovEstq;
