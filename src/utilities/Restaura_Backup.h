#pragma once

#include <QDialog>
#include <exception>

class QComboBox;
class QLineEdit;
class QPushButton;

// Restores the stock data or the configuration from backup files. The stock
// connection stays closed while the screen is shown.
class TfRestaura_Backup : public QDialog {
    Q_OBJECT
public:
    explicit TfRestaura_Backup(QWidget* parent = nullptr);

    QLineEdit* edBackup1;
    QPushButton* Button2;
    QLineEdit* edPasta;
    QPushButton* btnGeraBackup;
    QPushButton* btnEscolhePasta;
    QPushButton* btnFechar;
    QLineEdit* edBackup2;
    QPushButton* Button1;
    QLineEdit* edPasta2;
    QPushButton* btnGeraBackup2;
    QPushButton* btnEscolherPasta;
    QPushButton* btnFechar2;
    // The safety copies of each database, newest first.
    QComboBox* cbCopias;
    QComboBox* cbCopias2;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void setupConnections();
    void btnGeraBackupClick();
    void btnGeraBackup2Click();
    void restaura(const QString& backup, const QString& banco, const QString& esquema);
    QString bancoPeloServidor(const QString& banco) const;
    void listaCopias();
    void listaCopias(QComboBox* lista, const QString& escolhido, const QString& arquivo);
    bool falhou(const QString& titulo, const std::exception& e);

    // The files chosen in the dialogs; typed text is never used.
    QString backupDados, bancoDados, backupConfig, bancoConfig;
};

extern TfRestaura_Backup* fRestaura_Backup;
