#include "movements/RelatoriosBalanco.h"

#include "data/FbResult.h"
#include "data/ListCopy.h"
#include "data/SqlQuery.h"
#include "entry/RegionalNumbers.h"
#include "movements/Balancos.h"
#include "reportengine/Formulario.h"
#include "reportengine/ReportPreview.h"
#include "shell/Messages.h"
#include "shell/Sessao.h"

#include <cmath>

using namespace report;

namespace {

constexpr double Fim = BandReport::BandWidth;

// Rows of the page header under the company line, where the other reports
// have them.
constexpr double LinhaTitulo = 16;
constexpr double LinhaBalanco = 34;
constexpr double LinhaColunas = 50;
constexpr double AlturaLinha = 11;

// Room under each product of the count sheet to write a number by hand.
constexpr double AlturaLinhaFolha = 18;

// The count sheet: what identifies a product on the shelf, then the
// quantity on hand when asked for, then the blank column, wider on a blind
// sheet.
constexpr Coluna Folha[] = {{"Código", "PRO_CODIGO", 0, 52, Align::Right},
                            {"Descrição", "PRO_DESCRICAO", 58, 168, Align::Left, true},
                            {"Unid.", "PRO_UNID", 232, 24},
                            {"Local", "PRO_LOCAL", 264, 50},
                            {"Cód. de Barras", "PRO_CODBAR", 320, 70}};
constexpr Coluna Esperado[] = {{"Esperado", "PRO_QUANT", 396, 60, Align::Right}};
constexpr Coluna ColunaContado{"Contado", "CONTADO", 464, Fim - 464};
constexpr Coluna ColunaContadoCega{"Contado", "CONTADO", 402, Fim - 402};

// The differences, the value in reais where the totals stand under it.
constexpr Coluna Diferencas[] = {{"Código", "CODIGO", 0, 52, Align::Right},
                                 {"Descrição", "DESCRICAO", 58, 128, Align::Left, true},
                                 {"Unid.", "UNIDADE", 190, 20},
                                 {"Esperado", "ESPERADO", 214, 56, Align::Right},
                                 {"Contado", "CONTADO", 274, 56, Align::Right},
                                 {"Diferença", "DIFERENCA", 334, 56, Align::Right},
                                 {"Valor (R$)", "VALOR", 394, 72, Align::Right},
                                 {"Obs.", "OBS", 474, Fim - 474}};
constexpr double TotalLegenda = 270;
constexpr double TotalValor = 394, TotalFim = 466;

// A report over a list of its own, which it takes with it when it goes.
std::unique_ptr<BandReport> relatorioSobre(const QString& nome, std::unique_ptr<ListCopy> lista) {
    auto feito = std::make_unique<BandReport>(nome, lista.get(), nullptr);
    lista.release()->setParent(feito.get());
    return feito;
}

// What both reports print at the top of every page: the company, the title
// and the count under it, and the column headings closing the header.
Band* cabecalho(BandReport* relatorio, const QString& titulo, const balanco::Contagem& contagem) {
    const Moldura moldura = report::moldura(relatorio);
    relatorio->beforeGeneration = [moldura] {
        moldura.empresa->setCaption(sessao().NomeEmpresa);
        moldura.fone->setCaption(sessao().FoneEmpresa);
    };
    Band* header = relatorio->band(BandKind::PageHeader);
    header->label(QStringLiteral("lbTitulo"), titulo, 0, 0, Align::BandCenter, Style::Title,
                  LinhaTitulo);
    header->label(QStringLiteral("lbTit_Descricao"), QStringLiteral("Descrição:"), 0, 52,
                  Align::Left, Style::Bold, LinhaBalanco);
    header->label(QStringLiteral("lbDescricao"), contagem.descricao, 52, 300, Align::Left,
                  Style::Normal, LinhaBalanco);
    header->label(QStringLiteral("lbTit_Abertura"), QStringLiteral("Abertura:"), 360, 50,
                  Align::Left, Style::Bold, LinhaBalanco);
    header->label(QStringLiteral("lbAbertura"),
                  contagem.abertura.date().toString(QStringLiteral("dd/MM/yyyy")), 410, 60,
                  Align::Left, Style::Normal, LinhaBalanco);
    header->height = LinhaColunas + 14;
    header->ruleBottom = true;
    return header;
}

// A quantity as the list keeps it: at the thousandth, and never a zero
// written with a minus.
double milesimos(double quantidade) {
    const double arredondada = std::round(quantidade * 1000) / 1000;
    return arredondada == 0 ? 0.0 : arredondada;
}

// What the apply of a count found, one row a product, in the order read.
fb::ResultSet linhasDe(const balanco::Previa& previa) {
    using fb::ColumnType;
    fb::ResultSet linhas({{QStringLiteral("CODIGO"), ColumnType::Text},
                          {QStringLiteral("DESCRICAO"), ColumnType::Text},
                          {QStringLiteral("UNIDADE"), ColumnType::Text},
                          {QStringLiteral("ESPERADO"), ColumnType::Numeric, 3},
                          {QStringLiteral("CONTADO"), ColumnType::Numeric, 3},
                          {QStringLiteral("DIFERENCA"), ColumnType::Numeric, 3},
                          {QStringLiteral("VALOR"), ColumnType::Numeric, 2},
                          {QStringLiteral("OBS"), ColumnType::Text}});
    linhas.reserve(int(previa.produtos.size()));
    for (const balanco::Diferenca& d : previa.produtos) {
        linhas.addText(0, d.codigo);
        linhas.addText(1, d.descricao);
        linhas.addText(2, d.unidade);
        linhas.addNumber(3, milesimos(d.esperado));
        linhas.addNumber(4, milesimos(d.contado));
        linhas.addNumber(5, milesimos(d.quantidade()));
        linhas.addNumber(6, d.valor());
        linhas.addText(7, d.contadoAlgo ? QString() : QStringLiteral("Não contado"));
        linhas.endRow();
    }
    return linhas;
}

void mostra(QWidget* pai, BandReport* relatorio) {
    ReportPreview preview(relatorio, pai);
    preview.run();
}

} // namespace

namespace balanco {

std::unique_ptr<BandReport> folhaDeContagem(SqlConnection* conexao, int numero, bool comEsperado) {
    const Contagem contagem = balanco::contagem(conexao, numero);
    std::vector<FieldDef> campos = {
        {QStringLiteral("PRO_CODIGO")}, {QStringLiteral("PRO_DESCRICAO")},
        {QStringLiteral("PRO_UNID")},   {QStringLiteral("PRO_LOCAL")},
        {QStringLiteral("PRO_CODBAR")}, {QStringLiteral("CONTADO"), {}, FieldFormat::Quantity}};
    // A blind sheet does not even read the quantity on hand.
    if (comEsperado)
        campos.push_back({QStringLiteral("PRO_QUANT"), {}, FieldFormat::Quantity});
    auto* consulta = new SqlQuery(QStringLiteral("SQLQ_FolhaDeContagem"), conexao, nullptr);
    auto lista = std::make_unique<ListCopy>(QStringLiteral("cds_FolhaDeContagem"), consulta,
                                            std::move(campos), nullptr);
    consulta->setParent(lista.get());
    // The shelves are walked in the order of their locations; products
    // without one come last. The count's column stays empty in the
    // spreadsheet too, for whoever types the count in there.
    consulta->SQL = {
        QStringLiteral("Select p.PRO_Codigo, p.PRO_Descricao, p.PRO_Unid, p.PRO_Local, "
                       "p.PRO_CodBar, Cast(Null As Numeric(15,3)) As CONTADO") +
            (comEsperado ? QStringLiteral(", p.PRO_Quant") : QString()),
        QStringLiteral("From Balanco_Produto b Join Produtos p On p.PRO_Codigo=b.BAP_CodPro"),
        QStringLiteral("Where b.BAP_Numero=:NumeroC"),
        QStringLiteral("Order By Iif(Coalesce(Trim(p.PRO_Local), '')='', 1, 0), p.PRO_Local, "
                       "p.PRO_Descricao, p.PRO_Codigo")};
    consulta->Params.setInteger(QStringLiteral("NumeroC"), numero);
    lista->Open();

    auto relatorio = relatorioSobre(QStringLiteral("qrFolhaDeContagem"), std::move(lista));
    Band* header = cabecalho(
        relatorio.get(), QStringLiteral("Folha de Contagem do Balanço %1").arg(numero), contagem);
    Band* detail = relatorio->band(BandKind::Detail);
    detail->height = AlturaLinhaFolha;
    detail->ruleBottom = true;
    colunas(header, detail, LinhaColunas, Folha);
    if (comEsperado)
        colunas(header, detail, LinhaColunas, Esperado);
    const Coluna contado[] = {comEsperado ? ColunaContado : ColunaContadoCega};
    colunas(header, detail, LinhaColunas, contado);
    return relatorio;
}

std::unique_ptr<BandReport> relatorioDeDiferencas(SqlConnection* conexao, int numero) {
    const Contagem contagem = balanco::contagem(conexao, numero);
    const Previa previa = diferencas(conexao, numero);
    std::vector<FieldDef> campos = {{QStringLiteral("CODIGO")},
                                    {QStringLiteral("DESCRICAO")},
                                    {QStringLiteral("UNIDADE")},
                                    {QStringLiteral("ESPERADO"), {}, FieldFormat::Quantity},
                                    {QStringLiteral("CONTADO"), {}, FieldFormat::Quantity},
                                    {QStringLiteral("DIFERENCA"), {}, FieldFormat::Quantity},
                                    {QStringLiteral("VALOR"), {}, FieldFormat::Money},
                                    {QStringLiteral("OBS")}};
    auto lista = std::make_unique<ListCopy>(QStringLiteral("cds_DiferencasDoBalanco"), nullptr,
                                            std::move(campos), nullptr);
    lista->Open(linhasDe(previa));

    auto relatorio = relatorioSobre(QStringLiteral("qrDiferencasDoBalanco"), std::move(lista));
    Band* header = cabecalho(relatorio.get(),
                             QStringLiteral("Diferenças do Balanço %1").arg(numero), contagem);
    Band* detail = relatorio->band(BandKind::Detail);
    detail->height = AlturaLinha;
    colunas(header, detail, LinhaColunas, Diferencas);

    // The totals are the apply's, each a sum of the lines' values as they
    // are printed, to the cent.
    const struct {
        const char* nome;
        const char* legenda;
        double valor;
    } totais[] = {{"Sobra", "Sobras (R$):", previa.valorSobra},
                  {"Falta", "Faltas (R$):", previa.valorFalta},
                  {"Saldo", "Saldo (R$):", previa.valorSobra - previa.valorFalta}};
    Band* summary = relatorio->band(BandKind::Summary);
    summary->ruleTop = true;
    double y = 4;
    for (const auto& total : totais) {
        summary->label(QStringLiteral("lbTit_%1").arg(QLatin1String(total.nome)),
                       QString::fromUtf8(total.legenda), TotalLegenda, TotalValor - TotalLegenda,
                       Align::Left, Style::Bold, y);
        summary->label(QStringLiteral("lb%1").arg(QLatin1String(total.nome)),
                       formatCurrency(total.valor, 14, 2), TotalValor, TotalFim - TotalValor,
                       Align::Right, Style::Fixed, y);
        y += 12;
    }
    summary->height = y + 2;
    return relatorio;
}

} // namespace balanco

void MostraFolhaDeContagem(QWidget* pai, SqlConnection* conexao, int numero, bool comEsperado) {
    mostra(pai, balanco::folhaDeContagem(conexao, numero, comEsperado).get());
}

void MostraDiferencas(QWidget* pai, SqlConnection* conexao, int numero) {
    if (balanco::contagem(conexao, numero).situacao != balanco::Situacao::Aplicado) {
        Messages::warning(QStringLiteral("O balanço %1 não foi aplicado: as diferenças saem depois "
                                         "que ele for aplicado.")
                              .arg(numero));
        return;
    }
    mostra(pai, balanco::relatorioDeDiferencas(conexao, numero).get());
}
