#pragma once

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The business's own details, kept in the company row of the configuration
// database; the main window's header shows part of them.
class TfEmpresa : public QDialog {
    Q_OBJECT
public:
    explicit TfEmpresa(QWidget* parent = nullptr);

    QPushButton* Grava;
    QPushButton* Fechar;
    QLineEdit* edEMP_Nome;
    QLineEdit* edEMP_Insc;
    QLineEdit* edEMP_Ender;
    QLineEdit* edEMP_Bairro;
    QLineEdit* edEMP_Cidade;
    QLineEdit* edEMP_UF;
    QLineEdit* edEMP_Fone;
    QLineEdit* edEMP_FAX;
    QLineEdit* edEMP_HomeP;
    QLineEdit* edEMP_Email;
    QPlainTextEdit* edEMP_Obs;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setupConnections();
    void FormShow();
    void GravaClick();
};

extern TfEmpresa* fEmpresa;
