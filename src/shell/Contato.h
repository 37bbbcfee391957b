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
