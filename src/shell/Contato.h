#pragma once

#include <QString>

// The maker's details shown on the start-up screens and in messages.
namespace Contato {
inline const QString Empresa = QStringLiteral("Kelvara Sistemas");
inline const QString HomePage = QStringLiteral("www.kelvara.example");
inline const QString Email = QStringLiteral("contato@kelvara.example");
inline const QString EmailSuporte = QStringLiteral("suporte@kelvara.example");
inline const QString TelefoneSuporte = QStringLiteral("(11) 5555-0100");
} // namespace Contato

// The one text for every start-up and connection failure, followed by the
// error's own text.
inline QString MensagemBancoNaoEncontrado(const QString& erro) {
    return QStringLiteral("Não Consegui encontrar o Banco de Dados as Possíveis causas podem ser:\n"
                          " 1 - verifique se o FireBird está Ativo\n"
                          " 2 - Verique no arquivo Config.ini se o Path dos Dados está correto\n"
                          " Caso não consiga resolver entre em Contato Através do Email ") +
           Contato::EmailSuporte + QStringLiteral(" ou pelo Telefone: ") +
           Contato::TelefoneSuporte + QStringLiteral("\n E diga o Código de Erro:") + erro;
}

// The databases are open in another Kelvara on this computer: the embedded
// engine lets one program at a time use them.
inline const QString MensagemJaAberto = QStringLiteral(
    "O Kelvara já está aberto neste computador. Use a janela que já está aberta.\n"
    "Para usar o programa em mais de uma janela ou estação ao mesmo tempo, instale o servidor "
    "Firebird e aponte o Config.INI para ele.");

// The database is being replaced by a restore, or its restore was cut while
// replacing it, on another workstation.
inline const QString MensagemEmRestauracao = QStringLiteral(
    "Um backup está sendo restaurado neste Banco de Dados por outra estação, ou a restauração "
    "foi interrompida. Espere que ela termine e abra o Kelvara de novo; se ela foi interrompida, "
    "abra o Kelvara na estação que a fez para concluí-la ou desfazê-la.");
