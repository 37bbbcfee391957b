#include "reports/Rel_Estoque_Valorizado.h"

#include "data/DataModule_Conexao.h"
#include "entry/RegionalNumbers.h"
#include "reports/Totais.h"

using namespace report;

TfRel_Estoque_Valorizado* fRel_Estoque_Valorizado = nullptr;

namespace {

constexpr double Fim = BandReport::BandWidth;

enum Campo { Codigo, Descricao, Unidade, Quantidade, Medio, Valor, Grupo };

// The value takes the room a total of millions needs.
constexpr Coluna Colunas[] = {{"Código", "PRO_CODIGO", 0, 52, Align::Right},
                              {"Descrição", "PRO_DESCRICAO", 58, 182},
                              {"Unid.", "PRO_UNID", 244, 24},
                              {"Quantidade", "QUANTIDADE", 272, 66, Align::Right},
                              {"Custo Médio", "CUSTO_MEDIO", 342, 80, Align::Right},
                              {"Valor", "VALOR", 426, Fim - 426, Align::Right}};

} // namespace

TfRel_Estoque_Valorizado::TfRel_Estoque_Valorizado()
    : RelatorioCalculado(QStringLiteral("fRel_Estoque_Valorizado"),
                         QStringLiteral("qrEstoque_Valorizado"),
                         QStringLiteral("Estoque Valorizado pelo Custo Médio"),
                         {{QStringLiteral("PRO_CODIGO")},
                          {QStringLiteral("PRO_DESCRICAO")},
                          {QStringLiteral("PRO_UNID")},
                          {QStringLiteral("QUANTIDADE"), {}, FieldFormat::Quantity},
                          {QStringLiteral("CUSTO_MEDIO"), {}, FieldFormat::Money},
                          {QStringLiteral("VALOR"), {}, FieldFormat::Money},
                          {QStringLiteral("GRUPO")}}),
      qrEstoque_Valorizado(relatorio) {
    lbData = pedido(QStringLiteral("lbData"), QStringLiteral("Data:"), 0, 90, 30);
    lbGrupo = pedido(QStringLiteral("lbGrupo"), QStringLiteral("Grupo:"), 96, 270, 36);
    lbZerados = cabecalho()->label(QStringLiteral("lbZerados"), {}, 370, Fim - 370, Align::Right,
                                   Style::Normal, LinhaPeriodo);
    colunas(Colunas, 266);
    lbTotal = total(sumario(), 0, {280, 426, Fim},
                    {QStringLiteral("lbTit_Total"), QStringLiteral("Total do Estoque:"),
                     QStringLiteral("lbTotal")})
                  .valor;
}

void TfRel_Estoque_Valorizado::carrega(const QDate& data, const GrupoDoPedido& grupo,
                                       bool comZerados) {
    const custo::Leitura lida = custo::le(dmConexao->SQLC_QOR, grupo.codigo);
    std::vector<custo::Valorizado> estoque = custo::estoqueEm(lida, data);
    if (!comZerados)
        std::erase_if(estoque,
                      [](const custo::Valorizado& v) { return v.posicao.quantidade == 0; });

    NovasLinhas linhas = novasLinhas();
    custo::Centavos doEstoque = 0;
    porGrupo(estoque, [&](std::span<const custo::Valorizado> doGrupo) {
        linhas.texto(Grupo, tituloDoGrupo(*doGrupo.front().produto));
        linhas.fim();
        custo::Centavos soma = 0;
        for (const custo::Valorizado& v : doGrupo) {
            const custo::Centavos valor = custo::centavos(v.posicao.valor());
            soma += valor;
            linhas.texto(Codigo, v.produto->codigo);
            linhas.texto(Descricao, v.produto->descricao);
            linhas.texto(Unidade, v.produto->unidade);
            linhas.numero(Quantidade, quantidade(v.posicao.quantidade));
            linhas.numero(Medio, reais(custo::centavos(v.posicao.medio)));
            linhas.numero(Valor, reais(valor));
            linhas.fim();
        }
        linhas.texto(Grupo, totalDoGrupo(*doGrupo.front().produto));
        linhas.numero(Valor, reais(soma));
        linhas.fim();
        doEstoque += soma;
    });
    mostra(linhas.feitas());

    lbData->setCaption(data.toString(QStringLiteral("dd/MM/yyyy")));
    lbGrupo->setCaption(grupoPedido(grupo));
    lbZerados->setCaption(comZerados ? QStringLiteral("Com os produtos de quantidade zero")
                                     : QStringLiteral("Sem os produtos de quantidade zero"));
    lbTotal->setCaption(formatCurrency(reais(doEstoque), 14, 2));
}
