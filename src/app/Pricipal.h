#pragma once

#include "shell/Sessao.h"

#include <QMainWindow>
#include <QString>
#include <functional>

class QLabel;
class QStatusBar;

// The main window: the hub from which every other screen is opened, with the
// company header and the status bar.
class TfPrincipal : public QMainWindow {
    Q_OBJECT
public:
    explicit TfPrincipal(QWidget* parent = nullptr);

    // The version this program brings the stock database up to.
    static inline const QString VersaoPrograma = QStringLiteral("1.1.1-24112006");

    ~TfPrincipal() override;

    // What other screens and the reports read, kept in the shell's session
    // value: the window writes it through these names.
    QString& Opcao = sessao().Opcao;
    QString& NomeEmpresa = sessao().NomeEmpresa;
    QString& FoneEmpresa = sessao().FoneEmpresa;
    QString& NumeroVersao = sessao().NumeroVersao;

    QLabel* lbNome;
    QLabel* lbEndereco;
    QLabel* lbTelefone;
    QLabel* lbEmail;
    QLabel* lbHomePage;
    QStatusBar* sbPrincipal;
    QLabel* sbPainel[3];

    // Shows the login screen; the login module puts itself here.
    static inline std::function<void()>& MostraLogin = sessao().mostraLogin;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void criaMenu();
    void FormShow();
    void verificaVersao();
    void leVersao();
    void portaoLogin();
    void cabecalhoEmpresa();

    bool mostrado = false;
};

extern TfPrincipal* fPrincipal;
