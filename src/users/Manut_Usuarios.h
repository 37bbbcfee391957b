#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;

// Lists the users who may log in, orders and searches them, and opens the
// user edit screen in the mode of the button pressed.
class TfManut_Usuarios : public QDialog {
    Q_OBJECT
public:
    explicit TfManut_Usuarios(QWidget* parent = nullptr);

    // The edit mode the user edit screen works in.
    QString Modo;

    QRadioButton* rbUSU_Codigo;
    QRadioButton* rbUSU_Nome;
    QRadioButton* rbUSU_Login;
    QLabel* lbUSU_Busca;
    QLineEdit* edUSU_Busca;
    QPushButton* btnUSU_Busca;
    QTableView* dbgManut_Usuarios;
    QPushButton* btnUSU_Inclui;
    QPushButton* btnUSU_Altera;
    QPushButton* btnUSU_Exclui;
    QPushButton* btnUSU_Consulta;
    QPushButton* btnUSU_Fecha;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setupConnections();
    void FormShow();
    void ordena(QRadioButton* escolha, const QString& rotulo, const QString& coluna);
    void btnUSU_BuscaClick();
    void abreDados(const QString& modo, const QString& listaVazia);
};

extern TfManut_Usuarios* fManut_Usuarios;
