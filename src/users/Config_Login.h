#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

// Switches the login at start on or off, for the following starts.
class TfConfig_Login : public QDialog {
    Q_OBJECT
public:
    explicit TfConfig_Login(QWidget* parent = nullptr);

    QLabel* Label1;
    QComboBox* cbLoginSN;
    QPushButton* btnGravarLogin;
    QPushButton* btnFecharLogin;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setupConnections();
    void FormShow();
    void btnGravarLoginClick();
};

extern TfConfig_Login* fConfig_Login;

// Whether the configuration asks for a login at start (LOGIN "S").
bool LoginExigido();

// Whether some active user other than the one of that code may log in.
bool AlguemAtivo(const QString& excetoCodigo = {});
