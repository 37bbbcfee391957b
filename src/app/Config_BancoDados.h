#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The database folder screen, shown by start-up when there is no
// configuration file yet.
class TfConfig_BancoDados : public QDialog {
    Q_OBJECT
public:
    explicit TfConfig_BancoDados(QWidget* parent = nullptr);

    // Set when the operator chose to leave the program here.
    bool SairPrograma = false;

    QLineEdit* edPathDados;
    QPushButton* btnSalvar_Dados;
    QPushButton* btnTestar_Dados;
    QPushButton* btnSair_Programa;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setupConnections();
    void FormShow();
    void btnSalvar_DadosClick();
    void btnTestar_DadosClick();
    void btnSair_ProgramaClick();
    void falhouConexao(const std::exception& e);
};

extern TfConfig_BancoDados* fConfig_BancoDados;
