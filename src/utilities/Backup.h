#pragma once

#include <QDialog>
#include <memory>

class QLineEdit;
class QPushButton;

namespace fb {
class Service;
}

// Backs the stock data and the configuration up into files of the
// operator's choice.
class TfBackup : public QDialog {
    Q_OBJECT
public:
    explicit TfBackup(QWidget* parent = nullptr);
    ~TfBackup() override;

    // The working directory when the screen was shown, restored after every
    // backup and on closing.
    QString PastaInicial;

    QLineEdit* edPasta;
    QPushButton* btnGeraBackup;
    QPushButton* btnEscolhePasta;
    QPushButton* btnFechar;
    QLineEdit* edPasta2;
    QPushButton* btnGeraBackup2;
    QPushButton* btnEscolherPasta;
    QPushButton* btnFechar2;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void setupConnections();
    void FormShow();
    void escolhe(QLineEdit* campo, QString& arquivo, const QString& nome);
    void geraBackup(const QString& banco, const QString& arquivo, const QString& sucesso,
                    const QString& falha);

    std::unique_ptr<fb::Service> ibbackup;
    QString arquivoDados;
    QString arquivoConfig;
};

extern TfBackup* fBackup;
