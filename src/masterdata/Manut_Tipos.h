#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;

// Lists the types of stock exit, orders and searches them, and opens the
// exit-type edit screen in the mode of the button pressed.
class TfManut_Tipos : public QDialog {
    Q_OBJECT
public:
    explicit TfManut_Tipos(QWidget* parent = nullptr);

    // The edit mode the exit-type edit screen works in.
    QString Modo;

    QPushButton* btnTip_Inclui;
    QPushButton* btnTIP_Altera;
    QPushButton* btnTIP_Exclui;
    QPushButton* btnTIP_Fecha;
    QRadioButton* rbTIP_Codigo;
    QRadioButton* rbTIP_Descricao;
    QLabel* lbTIP_Busca;
    QLineEdit* edManut_TIP_Busca;
    QPushButton* btnTIP_Busca;
    QTableView* dbg_Manut_Tip;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setupConnections();
    void FormShow();
    void btnTIP_BuscaClick();
    void abreDados(const QString& modo);
};

extern TfManut_Tipos* fManut_Tipos;

// Orders the shared exit-type list.
void OrdenaTipos(const QString& ordem);
