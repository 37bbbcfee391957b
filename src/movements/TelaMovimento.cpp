#include "movements/TelaMovimento.h"

#include "data/DataModule_Produtos.h"
#include "entry/NumericField.h"
#include "masterdata/Dados_Produtos.h"
#include "movements/Movimentacao.h"
#include "shell/Conventions.h"
#include "shell/Messages.h"
#include "shell/Tela.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>

CamposProduto CriaCamposProduto(TelaDeDados& tela, QWidget* dono, const NomesCamposProduto& n) {
    CamposProduto c;
    // The codes take no more than their columns (PRO_CODIGO, PRO_CODBAR).
    c.codigo = tela.campo(QString::fromLatin1(n.codigo), QStringLiteral("Código:"), 10, 12);
    c.codigo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    c.busca = BotaoBusca(dono, QString::fromLatin1(n.busca));
    tela.aoLado(c.busca);
    c.descricao =
        tela.campo(QString::fromLatin1(n.descricao), QStringLiteral("Descrição:"), 32767, 40);
    c.codBar =
        tela.campo(QString::fromLatin1(n.codBar), QStringLiteral("Código de Barras:"), 14, 16);
    c.unidade =
        tela.campoAoLado(QString::fromLatin1(n.unidade), QStringLiteral("Unidade:"), 32767, 5);
    c.quantAtual = tela.campo(QString::fromLatin1(n.quantAtual),
                              QString::fromUtf8(n.legendaQuantAtual), 32767, 14);
    return c;
}

QDateEdit* CampoData(TelaDeDados& tela, QWidget* dono, const QString& nome) {
    QDateEdit* data = Data(dono, nome);
    tela.linha(QStringLiteral("Data:"), data);
    return data;
}

namespace {

void carregaComuns(const CamposProduto& c, SqlQuery* q) {
    c.codigo->setText(q->FieldText(QStringLiteral("PRO_CODIGO")));
    c.descricao->setText(q->FieldText(QStringLiteral("PRO_DESCRICAO")));
    c.codBar->setText(q->FieldText(QStringLiteral("PRO_CODBAR")));
    if (!c.unidade)
        return;
    c.unidade->setText(q->FieldText(QStringLiteral("PRO_UNID")));
    c.quantAtual->setText(NumericField::displayText(NumericField::Quantity,
                                                    NumeroProduto(q, QStringLiteral("PRO_QUANT"))));
}

} // namespace

void InstalaLeituraProduto(const CamposProduto& c, LeituraProduto regras) {
    auto resultado = [c, regras](bool achou, QLineEdit* campo) {
        SqlQuery* q = dmProdutos->SQLQ_Produtos;
        if (!achou) {
            q->Close();
            Messages::information(MensagemProdutoNaoEncontrado);
            if (regras.apagaAusente)
                campo->clear();
            campo->setFocus();
            return;
        }
        carregaComuns(c, q);
        if (regras.preco)
            regras.preco->setText(NumericField::displayText(
                NumericField::Money, NumeroProduto(q, regras.colunaPreco())));
        if (regras.carrega)
            regras.carrega(q);
        q->Close();
    };
    onEnter(c.codigo, [c, regras] {
        if (regras.aoEntrarNoCodigo)
            regras.aoEntrarNoCodigo();
        if (regras.aparaAoEntrar)
            c.codigo->setText(c.codigo->text().trimmed());
    });
    onExit(c.codigo, [c, regras, resultado] {
        const QString texto = c.codigo->text();
        if (regras.aparaAoEntrar ? texto.trimmed().isEmpty() : texto.isEmpty())
            return;
        c.codigo->setText(CompletaCodigoProduto(texto));
        resultado(LeProdutoPorCodigo(c.codigo->text()), c.codigo);
    });
    onExit(c.codBar, [c, regras, resultado] {
        if (c.codBar->text().trimmed().isEmpty())
            return;
        resultado(LeProdutoPorCodBar(c.codBar->text(), regras.parametroCodBar),
                  regras.codBarAusenteVaiAoCodigo ? c.codigo : c.codBar);
    });
}

bool ConfereProduto(QLineEdit* codigo) {
    const bool existe = LeProdutoPorCodigo(codigo->text());
    dmProdutos->SQLQ_Produtos->Close();
    if (!existe) {
        Messages::information(MensagemProdutoNaoEncontrado);
        codigo->setFocus();
    }
    return existe;
}
