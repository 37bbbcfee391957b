#include "reports/Rel_Conferencia_Estoque.h"

#include "data/DataModule_Conexao.h"
#include "reports/Totais.h"

using namespace report;

TfRel_Conferencia_Estoque* fRel_Conferencia_Estoque = nullptr;

namespace {

constexpr double Fim = BandReport::BandWidth;

enum Campo { Codigo, Descricao, Unidade, Cadastro, EmEstoque, SomaMovimentos, Diferenca, Grupo };

constexpr Coluna Colunas[] = {{"Código", "PRO_CODIGO", 0, 52, Align::Right},
                              {"Descrição", "PRO_DESCRICAO", 58, 188},
                              {"Unid.", "PRO_UNID", 250, 24},
                              {"Cadastro", "PRO_DCAD", 278, 54},
                              {"Em Estoque", "EM_ESTOQUE", 336, 66, Align::Right},
                              {"Movimentos", "MOVIMENTOS", 406, 64, Align::Right},
                              {"Diferença", "DIFERENCA", 474, Fim - 474, Align::Right}};

} // namespace

TfRel_Conferencia_Estoque::TfRel_Conferencia_Estoque()
    : RelatorioCalculado(QStringLiteral("fRel_Conferencia_Estoque"),
                         QStringLiteral("qrConferencia_Estoque"),
                         QStringLiteral("Conferência do Estoque com os Movimentos"),
                         {{QStringLiteral("PRO_CODIGO")},
                          {QStringLiteral("PRO_DESCRICAO")},
                          {QStringLiteral("PRO_UNID")},
                          {QStringLiteral("PRO_DCAD"), {}, FieldFormat::Date},
                          {QStringLiteral("EM_ESTOQUE"), {}, FieldFormat::Quantity},
                          {QStringLiteral("MOVIMENTOS"), {}, FieldFormat::Quantity},
                          {QStringLiteral("DIFERENCA"), {}, FieldFormat::Quantity},
                          {QStringLiteral("GRUPO")}}),
      qrConferencia_Estoque(relatorio) {
    nota(QStringLiteral("Movimentos: entradas e estornos de saída menos saídas e estornos de "
                        "entrada. A diferença é a abertura do custo médio, desde o cadastro."));
    colunas(Colunas, 330);
    lbProdutos = total(sumario(), 0, {0, 110, 160},
                       {QStringLiteral("lbTit_Produtos"), QStringLiteral("Produtos listados:"),
                        QStringLiteral("lbProdutos")})
                     .valor;
}

void TfRel_Conferencia_Estoque::carrega() {
    const custo::Leitura lida = custo::le(dmConexao->SQLC_QOR);
    const std::vector<custo::Diferenca> diferentes = custo::conferencia(lida);
    NovasLinhas linhas = novasLinhas();
    porGrupo(diferentes, [&](std::span<const custo::Diferenca> doGrupo) {
        linhas.texto(Grupo, tituloDoGrupo(*doGrupo.front().produto));
        linhas.fim();
        for (const custo::Diferenca& d : doGrupo) {
            linhas.texto(Codigo, d.produto->codigo);
            linhas.texto(Descricao, d.produto->descricao);
            linhas.texto(Unidade, d.produto->unidade);
            linhas.data(Cadastro, d.produto->cadastro);
            linhas.numero(EmEstoque, quantidade(d.produto->emEstoque));
            linhas.numero(SomaMovimentos, quantidade(d.movimentos));
            linhas.numero(Diferenca, quantidade(d.produto->emEstoque - d.movimentos));
            linhas.fim();
        }
    });
    mostra(linhas.feitas());
    lbProdutos->setCaption(QString::number(diferentes.size()));
}
