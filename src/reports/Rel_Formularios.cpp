#include "reports/Rel_Formularios.h"

#include "data/DataModule_MovEstq.h"
#include "data/DataModule_Produtos.h"

using namespace report;

TfRel_Mov_ESTQ_EST* fRel_Mov_ESTQ_EST = nullptr;
TfRelMovEstq_EST2* fRelMovEstq_EST2 = nullptr;
TfRel_MovEstq_Produto_Geral* fRel_MovEstq_Produto_Geral = nullptr;
TfRel_Mov_Estq_Produto_ES* fRel_Mov_Estq_Produto_ES = nullptr;
TfRel_Mov_Estq_Grupo* fRel_Mov_Estq_Grupo = nullptr;
TfRel_Mov_Estq_Grupo_ES* fRel_Mov_Estq_Grupo_ES = nullptr;
TfRel_Mov_Estq_Tipo* fRel_Mov_Estq_Tipo = nullptr;
TfRel_Listas_Precos* fRel_Listas_Precos = nullptr;
TfRel_Itens_Estoque* fRel_Itens_Estoque = nullptr;
TfRel_Itens_Estoque_Grupo* fRel_Itens_Estoque_Grupo = nullptr;
TfRelEstMin* fRelEstMin = nullptr;

namespace {

ListCopy* movimentos() {
    return dmMovEstq->cds_MovEstq;
}

ListCopy* produtos() {
    return dmProdutos->cds_Produtos;
}

Label* titulo(Band* cabecalho) {
    return cabecalho->label(QStringLiteral("lbTitulo"), {}, 0, 0, Align::BandCenter, Style::Title,
                            16);
}

// A summary caption the chooser writes, on row `linha` at the left or right.
Label* legenda(Band* sumario, const QString& nome, int linha, bool direita) {
    sumario->ruleTop = true;
    sumario->height = std::max(sumario->height, 4 + 12.0 * (linha + 1) + 2);
    return sumario->label(nome, {}, direita ? 280 : 0, 160, Align::Left, Style::Bold,
                          4 + 12.0 * linha);
}

// A header label the dialogs write.
Label* pedido(Band* cabecalho, const char* nome) {
    return cabecalho->label(QLatin1String(nome), {}, 0, 60, Align::Left, Style::Normal, 34);
}

} // namespace

TfRel_Mov_ESTQ_EST::TfRel_Mov_ESTQ_EST()
    : FormularioRelatorio(QStringLiteral("fRel_Mov_ESTQ_EST"), QStringLiteral("qrMov_Estq_EST"),
                          movimentos()),
      qrMov_Estq_EST(relatorio), lbTitulo(titulo(cabecalho())),
      lbTotal_Quantidade(legenda(sumario(), QStringLiteral("lbTotal_Quantidade"), 0, false)),
      lbTotal_Reais(legenda(sumario(), QStringLiteral("lbTotal_Reais"), 0, true)) {
    cabecalho()->height = 34;
    lbDataIni = pedido(cabecalho(), "lbDataIni");
    lbDataFim = pedido(cabecalho(), "lbDataFim");
}

TfRelMovEstq_EST2::TfRelMovEstq_EST2()
    : FormularioRelatorio(QStringLiteral("fRelMovEstq_EST2"), QStringLiteral("qrMovEstq_EST2"),
                          movimentos()),
      qrMovEstq_EST2(relatorio), lbTitulo(titulo(cabecalho())),
      lbTotalQuantidadeEE(legenda(sumario(), QStringLiteral("lbTotalQuantidadeEE"), 0, false)),
      lbTotalQuantidadeTT(legenda(sumario(), QStringLiteral("lbTotalQuantidadeTT"), 1, false)),
      lbTotal_ReaisEE(legenda(sumario(), QStringLiteral("lbTotal_ReaisEE"), 0, true)),
      lbTotal_ReaisTT(legenda(sumario(), QStringLiteral("lbTotal_ReaisTT"), 1, true)),
      lbTotalTER(legenda(sumario(), QStringLiteral("lbTotalTER"), 2, true)),
      lbTotalTEQ(legenda(sumario(), QStringLiteral("lbTotalTEQ"), 2, false)) {
    cabecalho()->height = 34;
    lbDataIni = pedido(cabecalho(), "lbDataIni");
    lbDataFim = pedido(cabecalho(), "lbDataFim");
}

TfRel_MovEstq_Produto_Geral::TfRel_MovEstq_Produto_Geral()
    : FormularioRelatorio(QStringLiteral("fRel_MovEstq_Produto_Geral"),
                          QStringLiteral("qrMovEstq_Produto_Geral"), movimentos()),
      qrMovEstq_Produto_Geral(relatorio) {
    lbDataInicial = pedido(cabecalho(), "lbDataInicial");
    lbDataFim = pedido(cabecalho(), "lbDataFim");
    lbCodPro = pedido(cabecalho(), "lbCodPro");
    lbDescPro = pedido(cabecalho(), "lbDescPro");
}

TfRel_Mov_Estq_Produto_ES::TfRel_Mov_Estq_Produto_ES()
    : FormularioRelatorio(QStringLiteral("fRel_Mov_Estq_Produto_ES"),
                          QStringLiteral("qrMov_Estq_Produto_ES"), movimentos()),
      qrMov_Estq_Produto_ES(relatorio) {
    lbDataInicial = pedido(cabecalho(), "lbDataInicial");
    lbDataFim = pedido(cabecalho(), "lbDataFim");
    lbCodPro = pedido(cabecalho(), "lbCodPro");
    lbDescPro = pedido(cabecalho(), "lbDescPro");
    lbTitulo = pedido(cabecalho(), "lbTitulo");
    lbTit_EEQ = pedido(cabecalho(), "lbTit_EEQ");
    lbTIT_EER = pedido(cabecalho(), "lbTIT_EER");
    lbTit_TipoSaida = pedido(cabecalho(), "lbTit_TipoSaida");
}

TfRel_Mov_Estq_Grupo::TfRel_Mov_Estq_Grupo()
    : FormularioRelatorio(QStringLiteral("fRel_Mov_Estq_Grupo"),
                          QStringLiteral("qrMov_Estq_Grupos"), movimentos()),
      qrMov_Estq_Grupos(relatorio) {
    lbDataInicial = pedido(cabecalho(), "lbDataInicial");
    lbDataFim = pedido(cabecalho(), "lbDataFim");
    lbCodPro = pedido(cabecalho(), "lbCodPro");
    lbDescPro = pedido(cabecalho(), "lbDescPro");
}

TfRel_Mov_Estq_Grupo_ES::TfRel_Mov_Estq_Grupo_ES()
    : FormularioRelatorio(QStringLiteral("fRel_Mov_Estq_Grupo_ES"),
                          QStringLiteral("qrMov_Estq_Grupo_ES"), movimentos()),
      qrMov_Estq_Grupo_ES(relatorio) {
    lbDataInicial = pedido(cabecalho(), "lbDataInicial");
    lbDataFim = pedido(cabecalho(), "lbDataFim");
    lbCodPro = pedido(cabecalho(), "lbCodPro");
    lbDescPro = pedido(cabecalho(), "lbDescPro");
    lbTitulo = pedido(cabecalho(), "lbTitulo");
    lbTit_EEQ = pedido(cabecalho(), "lbTit_EEQ");
    lbTIT_EER = pedido(cabecalho(), "lbTIT_EER");
}

TfRel_Mov_Estq_Tipo::TfRel_Mov_Estq_Tipo()
    : FormularioRelatorio(QStringLiteral("fRel_Mov_Estq_Tipo"), QStringLiteral("qrMov_Estq_Tipo"),
                          movimentos()),
      qrMov_Estq_Tipo(relatorio) {
    lbDataInicial = pedido(cabecalho(), "lbDataInicial");
    lbDataFim = pedido(cabecalho(), "lbDataFim");
    lbCodPro = pedido(cabecalho(), "lbCodPro");
    lbDescPro = pedido(cabecalho(), "lbDescPro");
}

TfRel_Listas_Precos::TfRel_Listas_Precos()
    : FormularioRelatorio(QStringLiteral("fRel_Listas_Precos"), QStringLiteral("qp_Listas_Precos"),
                          produtos()),
      qp_Listas_Precos(relatorio) {}

TfRel_Itens_Estoque::TfRel_Itens_Estoque()
    : FormularioRelatorio(QStringLiteral("fRel_Itens_Estoque"), QStringLiteral("qrItens_Estoque"),
                          produtos()),
      qrItens_Estoque(relatorio) {}

TfRel_Itens_Estoque_Grupo::TfRel_Itens_Estoque_Grupo()
    : FormularioRelatorio(QStringLiteral("fRel_Itens_Estoque_Grupo"),
                          QStringLiteral("qrItens_Estoque_Grupo"), produtos()),
      qrItens_Estoque_Grupo(relatorio) {}

TfRelEstMin::TfRelEstMin()
    : FormularioRelatorio(QStringLiteral("fRelEstMin"), QStringLiteral("qrEstMin"), produtos()),
      qrEstMin(relatorio) {}
