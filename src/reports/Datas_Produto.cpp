#include "reports/Datas_Produto.h"

#include "data/FbParams.h"
#include "masterdata/Busca_Produtos.h"
#include "movements/TelaMovimento.h"
#include "reports/Rel_MovEstq_Produto_Geral.h"
#include "reports/Rel_Mov_Estq_Produto_ES.h"
#include "shell/Cadastro.h"
#include "shell/Tela.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TfDatas_Produto* fDatas_Produto = nullptr;

TfDatas_Produto::TfDatas_Produto(QWidget* parent) : DialogoRelatorio(parent) {
    TelaDeDados tela(this);
    Label1 = apresenta(tela, QStringLiteral("fDatas_Produto"),
                       QStringLiteral("Escolha um Produto e o Período"),
                       QStringLiteral("Escolha um Produto e a Data Inicial e Data Final"));
    edCodPro = tela.campo(QStringLiteral("edCodPro"), QStringLiteral("Código"), 32767, 12);
    edCodPro->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edCodBar =
        tela.campoAoLado(QStringLiteral("edCodBar"), QStringLiteral("Código de Barras"), 32767, 16);
    EdDescPro = tela.campo(QStringLiteral("EdDescPro"), QStringLiteral("Descrição:"), 32767, 40);
    btnBusca_Produto = BotaoBusca(this, QStringLiteral("btnBusca_Produto"));
    tela.aoLado(btnBusca_Produto);
    dtpData_Inicial =
        data(tela, QStringLiteral("dtpData_Inicial"), QStringLiteral("Data Inicial:"));
    dtpData_Final = data(tela, QStringLiteral("dtpData_Final"), QStringLiteral("Data Final:"));
    btnImprime = tela.botao(QStringLiteral("btnImprime"), QStringLiteral("Imprime"));
    btnFechar = tela.botao(QStringLiteral("btnFechar"), QStringLiteral("Fechar"));
    tela.conclui();

    LeituraProduto leitura;
    leitura.codBarAusenteVaiAoCodigo = true;
    leitura.parametroCodBar = QStringLiteral("CodBar");
    InstalaLeituraProduto({edCodPro, EdDescPro, btnBusca_Produto, edCodBar, nullptr, nullptr},
                          leitura);
    AbreBuscaCom(edCodPro, btnBusca_Produto, fBusca_Produtos, QStringLiteral("Datas_Produto"));
    aoMostrar({edCodPro, edCodBar, EdDescPro}, dtpData_Inicial, dtpData_Final);
    botoes(btnImprime, btnFechar, &TfDatas_Produto::btnImprimeClick);
}

void TfDatas_Produto::btnImprimeClick() {
    const QString codigo = edCodPro->text();
    const QString descricao = EdDescPro->text();
    const QString doProduto = QStringLiteral(" and m.MOV_CodPro=:CodPro");
    const QString daOperacao = doProduto + QStringLiteral(" and m.MOV_Oper=:Oper");
    const std::vector<Caso> casos = {
        {QStringLiteral("Rel MovEstq Produto Geral"),
         {doProduto},
         {},
         EscrevePedido(fRel_MovEstq_Produto_Geral, codigo, descricao),
         {}},
        {QStringLiteral("Mov Estq Produto Entrada"),
         {daOperacao},
         QStringLiteral("EE"),
         EscrevePedido(fRel_Mov_Estq_Produto_ES, codigo, descricao,
                       {"Movimentação de Estoque por Produto(Somente Entradas)",
                        "Total de Entradas(Quantidade)", "Total de Entradas(R$)"}),
         {}},
        {QStringLiteral("Mov Estq Produto Saida"),
         {daOperacao},
         QStringLiteral("SS"),
         EscrevePedido(fRel_Mov_Estq_Produto_ES, codigo, descricao,
                       {"Movimentação de Estoque por Produto(Somente Saídas)",
                        "Total de Saídas(Quantidade)", "Total de Saídas(R$)"}),
         {}},
    };
    fb::Params produto;
    produto.setText(QStringLiteral("CodPro"), codigo);
    imprime(casos, dtpData_Inicial, dtpData_Final, produto);
}
