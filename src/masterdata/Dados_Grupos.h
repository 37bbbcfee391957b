#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// Creates, changes and deletes one product group, in the mode the group
// browse screen set.
class TfDados_Grupos : public QDialog {
    Q_OBJECT
public:
    explicit TfDados_Grupos(QWidget* parent = nullptr);

    // The group being changed or deleted.
    QString CodigoAtual;

    QLabel* lb_Titulo_DadosGRU;
    QLineEdit* edGRU_Codigo;
    QLineEdit* edGRU_Descricao;
    QPushButton* btnGRU_Salva;
    QPushButton* btnGRU_Limpa;
    QPushButton* btnGRU_Fecha;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setupConnections();
    void FormShow();
    void edGRU_CodigoEnter();
    void edGRU_DescricaoExit();
    void btnGRU_SalvaClick();
    void btnGRU_LimpaClick();
    void inclui();
    void altera();
    void exclui();
    void carregaGrupo();
};

extern TfDados_Grupos* fDados_Grupos;
