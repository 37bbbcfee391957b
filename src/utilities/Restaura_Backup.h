#pragma once

#include <QDialog>
#include <memory>

class QLineEdit;
class QPushButton;

namespace fb {
class Service;
}

// Restores the stock data or the configuration from backup files. The stock
// connection stays closed while the screen is shown.
class TfRestaura_Backup : public QDialog {
    Q_OBJECT
public:
    explicit TfRestaura_Backup(QWidget* parent = nullptr);
    ~TfRestaura_Backup() override;

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

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void setupConnections();
    void btnGeraBackupClick();
    void btnGeraBackup2Click();
    void restaura(const QString& backup, const QString& banco, const QString& esquema);

    std::unique_ptr<fb::Service> ibRestaura;
    // The files chosen in the dialogs; typed text is never used.
    QString backupDados, bancoDados, backupConfig, bancoConfig;
};

extern TfRestaura_Backup* fRestaura_Backup;
