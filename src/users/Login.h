#pragma once

#include <QDialog>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

// The login at start: lets in a user whose login and password match an
// active user, or ends the program.
class TfLogin : public QDialog {
    Q_OBJECT
public:
    explicit TfLogin(QWidget* parent = nullptr);
    ~TfLogin() override;

    QLabel* Label3;
    QLabel* Label1;
    QLineEdit* edLogin;
    QLabel* Label2;
    QLineEdit* edSenha;
    QPushButton* fLoginEntrar;
    QPushButton* fLoginCancela;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void setupConnections();
    std::optional<QString> usuarioDosCampos();
    void fLoginEntrarClick();
    void fLoginCancelaClick();

    bool cancelado = false;
};

extern TfLogin* fLogin;
