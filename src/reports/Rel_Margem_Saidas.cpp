#include "reports/Rel_Margem_Saidas.h"

#include "data/DataModule_Conexao.h"
#include "entry/RegionalNumbers.h"
#include "reports/CargaRelatorio.h"
#include "reports/Colunas.h"
#include "reports/Totais.h"

#include <optional>

using namespace report;

TfRel_Margem_Saidas* fRel_Margem_Saidas = nullptr;

namespace {

constexpr double Fim = BandReport::BandWidth;

enum Campo { Codigo, Descricao, Quantidade, Venda, Custo, SemCusto, Margem, Percentual, Grupo };

// Amounts up to "R$ 99.999.999,99".
constexpr Coluna ColunaVenda{"Venda", "VENDA", 252, 76, Align::Right};
constexpr Coluna ColunaCusto{"Custo", "CUSTO", 332, 76, Align::Right};
constexpr Coluna ColunaMargem{"Margem", "MARGEM", 412, 76, Align::Right};
constexpr Coluna ColunaPercentual{"Margem %", "PERCENTUAL", 492, Fim - 492, Align::Right};
constexpr Coluna Colunas[] = {{"Código", "PRO_CODIGO", 0, 52, Align::Right},
                              {"Descrição", "PRO_DESCRICAO", 58, 128},
                              {"Quantidade", "QUANTIDADE", 192, 56, Align::Right},
                              ColunaVenda,
                              ColunaCusto,
                              ColunaMargem,
                              ColunaPercentual};

// A figure to the hundredth, halves away from zero.
double centesimos(double valor) {
    return double(custo::centavos(valor)) / 100;
}

// Where the totals stand on their row: under their columns.
Label* totalSob(Band* sumario, int linha, const char* nome, const Coluna& coluna) {
    return total(sumario, linha, {coluna.x, coluna.x, coluna.x + coluna.largura},
                 {QStringLiteral("lbTit_%1").arg(QLatin1String(nome)),
                  {},
                  QStringLiteral("lb%1").arg(QLatin1String(nome))})
        .valor;
}

// What a group or the whole period add up to, each figure the sum of the
// lines as printed.
struct Soma {
    custo::Centavos venda = 0, custo = 0, margem = 0, semCusto = 0;

    void mais(const Soma& outra) {
        venda += outra.venda;
        custo += outra.custo;
        margem += outra.margem;
        semCusto += outra.semCusto;
    }
    // The margin over what was sold at a known cost, when anything was.
    std::optional<double> percentual() const {
        const custo::Centavos comCusto = venda - semCusto;
        if (comCusto <= 0)
            return std::nullopt;
        return centesimos(double(margem) * 100 / double(comCusto));
    }
};

} // namespace

TfRel_Margem_Saidas::TfRel_Margem_Saidas()
    : RelatorioCalculado(QStringLiteral("fRel_Margem_Saidas"), QStringLiteral("qrMargem_Saidas"),
                         QStringLiteral("Margem das Saídas pelo Custo Médio"),
                         {{QStringLiteral("PRO_CODIGO")},
                          {QStringLiteral("PRO_DESCRICAO")},
                          {QStringLiteral("QUANTIDADE"), {}, FieldFormat::Quantity},
                          {QStringLiteral("VENDA"), {}, FieldFormat::Money},
                          {QStringLiteral("CUSTO"), {}, FieldFormat::Money},
                          {QStringLiteral("SEM_CUSTO")},
                          {QStringLiteral("MARGEM"), {}, FieldFormat::Money},
                          {QStringLiteral("PERCENTUAL"), {}, FieldFormat::Percent},
                          {QStringLiteral("GRUPO")}}),
      qrMargem_Saidas(relatorio) {
    const Periodo periodo =
        linhaPeriodo(cabecalho(), LinhaPeriodo, QStringLiteral("lbDataInicial"));
    lbDataInicial = periodo.inicio;
    lbDataFim = periodo.fim;
    lbGrupo = pedido(QStringLiteral("lbGrupo"), QStringLiteral("Grupo:"), 180, Fim - 180, 36);
    nota(QStringLiteral("Saídas menos estornos de saída; custo ao custo médio de cada momento."));
    colunas(Colunas, 186);
    // Where the cost would be, across the margin.
    detalhe()->field(QStringLiteral("SEM_CUSTO"), ColunaCusto.x,
                     ColunaPercentual.x - ColunaCusto.x);

    Band* band = sumario();
    lbTotalVenda = total(band, 0, {0, ColunaVenda.x, ColunaVenda.x + ColunaVenda.largura},
                         {QStringLiteral("lbTit_Total"), QStringLiteral("Total do Período:"),
                          QStringLiteral("lbTotalVenda")})
                       .valor;
    lbTotalCusto = totalSob(band, 0, "TotalCusto", ColunaCusto);
    lbTotalMargem = totalSob(band, 0, "TotalMargem", ColunaMargem);
    lbTotalPercentual = totalSob(band, 0, "TotalPercentual", ColunaPercentual);
    const Total semCusto = total(band, 1, {0, ColunaVenda.x, ColunaVenda.x + ColunaVenda.largura},
                                 {QStringLiteral("lbTit_SemCusto"),
                                  QStringLiteral("Vendas sem custo conhecido, fora da margem:"),
                                  QStringLiteral("lbSemCusto")});
    lbTit_SemCusto = semCusto.legenda;
    lbSemCusto = semCusto.valor;
}

void TfRel_Margem_Saidas::carrega(const QDate& inicio, const QDate& fim,
                                  const GrupoDoPedido& grupo) {
    const custo::Leitura lida = custo::le(dmConexao->SQLC_QOR, grupo.codigo);
    const std::vector<custo::Margem> saidas = custo::margemDasSaidas(lida, inicio, fim);

    NovasLinhas linhas = novasLinhas();
    auto figuras = [&](const Soma& soma) {
        linhas.numero(Venda, reais(soma.venda));
        linhas.numero(Custo, reais(soma.custo));
        linhas.numero(Margem, reais(soma.margem));
        if (const auto p = soma.percentual())
            linhas.numero(Percentual, *p);
    };
    Soma doPeriodo;
    porGrupo(saidas, [&](std::span<const custo::Margem> doGrupo) {
        linhas.texto(Grupo, tituloDoGrupo(*doGrupo.front().produto));
        linhas.fim();
        Soma soma;
        for (const custo::Margem& m : doGrupo) {
            Soma produto;
            produto.venda = m.venda;
            linhas.texto(Codigo, m.produto->codigo);
            linhas.texto(Descricao, m.produto->descricao);
            linhas.numero(Quantidade, quantidade(m.quantidade));
            if (m.custoConhecido) {
                produto.custo = custo::centavos(m.custo);
                produto.margem = produto.venda - produto.custo;
                figuras(produto);
            } else {
                produto.semCusto = produto.venda;
                linhas.numero(Venda, reais(produto.venda));
                linhas.texto(SemCusto, QStringLiteral("Sem custo conhecido"));
            }
            linhas.fim();
            soma.mais(produto);
        }
        linhas.texto(Grupo, totalDoGrupo(*doGrupo.front().produto));
        figuras(soma);
        linhas.fim();
        doPeriodo.mais(soma);
    });
    mostra(linhas.feitas());

    EscrevePeriodo(lbDataInicial, lbDataFim, inicio, fim);
    lbGrupo->setCaption(grupoPedido(grupo));
    lbTotalVenda->setCaption(formatCurrency(reais(doPeriodo.venda), 14, 2));
    lbTotalCusto->setCaption(formatCurrency(reais(doPeriodo.custo), 14, 2));
    lbTotalMargem->setCaption(formatCurrency(reais(doPeriodo.margem), 14, 2));
    const auto percentual = doPeriodo.percentual();
    lbTotalPercentual->setCaption(percentual ? formatNumber(*percentual, 14, 2) + u'%' : QString());
    lbTit_SemCusto->setEnabled(doPeriodo.semCusto != 0);
    lbSemCusto->setEnabled(doPeriodo.semCusto != 0);
    lbSemCusto->setCaption(formatCurrency(reais(doPeriodo.semCusto), 14, 2));
}
