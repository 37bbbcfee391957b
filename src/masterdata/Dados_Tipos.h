#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// Creates, changes and deletes one type of stock exit, in the mode the
// exit-type browse screen set.
class TfDados_Tipos : public QDialog {
    Q_OBJECT
public:
    explicit TfDados_Tipos(QWidget* parent = nullptr);

    // The exit type being inserted, changed or deleted.
    QString CodigoAtual;

    QLabel* lbTIP_Titulo;
    QLineEdit* edTIP_Codigo;
    QLineEdit* edTIP_Descricao;
    QPushButton* btnTIP_Salva;
    QPushButton* btnTIP_Limpa;
    QPushButton* btnTIP_Fechar;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setupConnections();
    void FormShow();
    void edTIP_CodigoEnter();
    void edTIP_DescricaoExit();
    void btnTIP_SalvaClick();
    void btnTIP_LimpaClick();
    bool descricaoPreenchida();
};

extern TfDados_Tipos* fDados_Tipos;
