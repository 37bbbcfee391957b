#pragma once

#include <QString>
#include <functional>

// What the main window knows that other screens read, and what they tell it:
// one value of the shell that the main window writes and fills with its own
// ways of showing things, so that no screen reaches up to the window.
struct Sessao {
    // The operation the menu command opened a movement screen for.
    QString Opcao;
    // The company name and phone, as the main window read them when shown.
    QString NomeEmpresa;
    QString FoneEmpresa;
    // The version recorded in the stock database.
    QString NumeroVersao;
    // The login of the user who came in, when the program asks for one.
    QString Usuario;

    // Shows the login screen; the login module puts itself here.
    std::function<void()> mostraLogin;
    // The main window's status line: one of its panels gets a text.
    std::function<void(int painel, const QString& texto)> mostraStatus;
    // The main window's company panel, after the company data was saved.
    std::function<void(const QString& nome, const QString& endereco, const QString& telefone,
                       const QString& email, const QString& homePage)>
        mostraEmpresa;
};

Sessao& sessao();
