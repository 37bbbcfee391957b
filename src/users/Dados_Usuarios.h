#pragma once

#include <QDialog>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

// Creates, changes, deletes or shows one user, in the mode the user browse
// screen set.
class TfDados_Usuarios : public QDialog {
    Q_OBJECT
public:
    explicit TfDados_Usuarios(QWidget* parent = nullptr);

    QLabel* lbTitulo_Dados_Usuarios;
    QLineEdit* edUSU_Codigo;
    QLineEdit* edUSU_Nome;
    QLineEdit* edUSU_Login;
    QLineEdit* edUSU_Senha;
    QLineEdit* edUSU_Senha2;
    QComboBox* cbUSU_Ativo;
    QDateEdit* dtpUSU_DCad;
    QPushButton* btnUSU_Grava;
    QPushButton* btnUSU_Limpa;
    QPushButton* btnDados_USU_Fecha;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setupConnections();
    void FormShow();
    void limpaCampos();
    void carregaUsuario();
    void edUSU_CodigoEnter();
    void btnUSU_GravaClick();
    void btnUSU_LimpaClick();
    bool camposPreenchidos();
    bool deixaAlguemEntrar();
    void inclui();
    void altera();
    void exclui();
    void passaCampos();
};

extern TfDados_Usuarios* fDados_Usuarios;
