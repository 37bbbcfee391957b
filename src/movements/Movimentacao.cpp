#include "movements/Movimentacao.h"

#include "data/DataModule_Conexao.h"
#include "data/DataModule_MovEstq.h"
#include "data/DataModule_Produtos.h"
#include "data/DbError.h"
#include "shell/Gravacao.h"
#include "shell/Messages.h"

BaseMovimentos BaseMovimentos::programa() {
    return {dmConexao->SQLC_QOR, dmMovEstq->SQLQ_MovEstq, dmProdutos->SQLQ_Produtos};
}

namespace {

// The quantity on hand, read with the product row locked until the end of
// the transaction. A lock that another transaction held and has since
// committed answers with a conflict; reading again then locks the committed
// row. Refuses a product that does not exist.
double quantidadeBloqueada(SqlQuery* produtos, const QString& leitura, const QString& codigo,
                           int* conflitos) {
    produtos->setStatement({leitura});
    for (;;) {
        try {
            produtos->ParamByName(QStringLiteral("CodigoC")).setAsString(codigo);
            produtos->Open();
            break;
        } catch (const DbError& e) {
            if (!e.updateConflict())
                throw;
            if (conflitos)
                ++*conflitos;
        }
    }
    if (produtos->IsEmpty())
        throw Recusa(Messages::Kind::Information, MensagemProdutoNaoEncontrado);
    // A null quantity is none.
    const double quantidade = produtos->result().value(0, 0).toDouble();
    produtos->Close();
    return quantidade;
}

void insereMovimento(SqlQuery* q, const Movimento& m) {
    const bool saida = m.operacao == Operacao::Saida;
    if (saida)
        q->setStatement({QStringLiteral("Insert into MOV_ESTQ (MOV_CodPro,MOV_Oper, "
                                        "MOV_Data,MOV_Valor,MOV_Quant,MOV_Doc,MOV_Tipo)"),
                         QStringLiteral("Values (:CodigoC,:OperC,:DataC,:ValorC,:QuantC,:DocC,:"
                                        "TipoC)")});
    else
        q->setStatement({QStringLiteral("Insert into MOV_ESTQ (MOV_CodPro,MOV_Oper, "
                                        "MOV_Data,MOV_Valor,MOV_Quant,MOV_Doc)"),
                         QStringLiteral("Values (:CodigoC,:OperC,:DataC,:ValorC,:QuantC,:DocC)")});
    q->ParamByName(QStringLiteral("CodigoC")).setAsString(m.codigo);
    q->ParamByName(QStringLiteral("OperC")).setAsString(m.operacao);
    q->ParamByName(QStringLiteral("DataC")).setAsDate(m.data);
    q->ParamByName(QStringLiteral("ValorC")).setAsFloat(m.valor);
    q->ParamByName(QStringLiteral("QuantC")).setAsFloat(m.quantidade);
    q->ParamByName(QStringLiteral("DocC")).setAsString(m.documento);
    if (saida)
        q->ParamByName(QStringLiteral("TipoC")).setAsString(m.tipo);
    q->Run();
}

// What the operation does to the quantity on hand.
double novaQuantidade(const QString& operacao, double lida, double quantidade) {
    if (operacao == Operacao::Entrada)
        return lida + quantidade;
    if (operacao == Operacao::EstornoSaida)
        return quantidade + lida;
    return lida - quantidade;
}

void gravaQuantidade(SqlQuery* produtos, const QStringList& linhas, const QString& parametro,
                     const QString& codigo, double quantidade) {
    produtos->setStatement(linhas);
    produtos->ParamByName(parametro).setAsFloat(quantidade);
    produtos->ParamByName(QStringLiteral("CodigoC")).setAsString(codigo);
    produtos->Run();
}

} // namespace

void EscreveMovimento(const BaseMovimentos& base, const Movimento& movimento,
                      const GravaQuantidade& gravaProduto, int* conflitos) {
    insereMovimento(base.movimentos, movimento);
    const double lida = quantidadeBloqueada(
        base.produtos,
        QStringLiteral("Select PRO_Quant From PRODUTOS Where PRO_Codigo=:CodigoC With Lock"),
        movimento.codigo, conflitos);
    // The exit screen checked the quantity it showed; another workstation
    // may have issued stock since.
    if (movimento.operacao == Operacao::Saida && movimento.quantidade > lida)
        throw Recusa(Messages::Kind::Error, MensagemQuantidadeSaida);
    const double total = novaQuantidade(movimento.operacao, lida, movimento.quantidade);
    if (gravaProduto)
        gravaProduto(base.produtos, total);
    else
        gravaQuantidade(base.produtos,
                        {QStringLiteral("Update Produtos SET PRO_Quant=:QuantidadeTotalC"),
                         QStringLiteral("Where PRO_Codigo=:CodigoC")},
                        QStringLiteral("QuantidadeTotalC"), movimento.codigo, total);
}

bool GravaMovimento(const BaseMovimentos& base, const Movimento& movimento,
                    const QString& mensagemFalha, const GravaQuantidade& gravaProduto,
                    int* conflitos) {
    const WriteSite site{base.conexao, nullptr, Messages::Kind::Warning, mensagemFalha, true};
    return Grava(site, [&] { EscreveMovimento(base, movimento, gravaProduto, conflitos); });
}

bool ReverteMovimento(const BaseMovimentos& base, const QString& codigo, const QString& operacao,
                      double quantidade, const std::function<void()>& apagaMovimento) {
    const WriteSite site{base.conexao, nullptr, Messages::Kind::Error,
                         QStringLiteral("Não Consegui Realizar a Operação, Tente Novamente"), true};
    return Grava(site, [&] {
        const double lida = quantidadeBloqueada(
            base.produtos,
            QStringLiteral("Select PRO_Quant From Produtos Where PRO_Codigo=:CodigoC With Lock"),
            codigo, nullptr);
        const bool somou = operacao == Operacao::Entrada || operacao == Operacao::EstornoSaida;
        gravaQuantidade(
            base.produtos,
            {QStringLiteral(
                "Update Produtos SET PRO_Quant=:QuantidadeC Where PRO_Codigo=:CodigoC")},
            QStringLiteral("QuantidadeC"), codigo, somou ? lida - quantidade : quantidade + lida);
        apagaMovimento();
    });
}
