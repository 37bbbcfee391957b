#include "reports/RelatorioCalculado.h"

using namespace report;

namespace {

constexpr double EntreLinhas = 14;

fb::ColumnType tipoDe(FieldFormat formato) {
    switch (formato) {
    case FieldFormat::Quantity:
    case FieldFormat::Percent:
    case FieldFormat::Money:
        return fb::ColumnType::Numeric;
    case FieldFormat::Date:
        return fb::ColumnType::Date;
    case FieldFormat::Plain:
        break;
    }
    return fb::ColumnType::Text;
}

std::vector<fb::Column> colunasDe(const std::vector<FieldDef>& campos) {
    std::vector<fb::Column> feitas;
    for (const FieldDef& campo : campos)
        feitas.push_back({campo.name, tipoDe(campo.format)});
    return feitas;
}

} // namespace

NovasLinhas::NovasLinhas(const std::vector<FieldDef>& campos)
    : linhas(colunasDe(campos)), atual(campos.size()) {}

void NovasLinhas::texto(int campo, const QString& valor) {
    atual[campo] = valor;
}

void NovasLinhas::numero(int campo, double valor) {
    atual[campo] = valor;
}

void NovasLinhas::data(int campo, const QDate& valor) {
    atual[campo] = valor;
}

void NovasLinhas::fim() {
    for (int i = 0; i < int(atual.size()); ++i) {
        QVariant& valor = atual[i];
        if (!valor.isValid())
            linhas.addNull(i);
        else if (valor.typeId() == QMetaType::QString)
            linhas.addText(i, valor.toString());
        else if (valor.typeId() == QMetaType::QDate)
            linhas.addDate(i, valor.toDate());
        else
            linhas.addNumber(i, valor.toDouble());
        valor = QVariant();
    }
    linhas.endRow();
}

RelatorioCalculado::RelatorioCalculado(const QString& formName, const QString& reportName,
                                       const QString& titulo, std::vector<FieldDef> campos)
    : FormularioRelatorio(formName, reportName,
                          new ListCopy(QStringLiteral("cds_") + formName.mid(1), nullptr,
                                       std::move(campos), nullptr)),
      ultimaLinha(LinhaTitulo) {
    lista()->setParent(this);
    lbTitulo = cabecalho()->label(QStringLiteral("lbTitulo"), titulo, 0, 0, Align::BandCenter,
                                  Style::Title, LinhaTitulo);
}

Label* RelatorioCalculado::pedido(const QString& nome, const QString& legenda, double x,
                                  double largura, double larguraLegenda) {
    ultimaLinha = LinhaPeriodo;
    cabecalho()->label(QStringLiteral("lbTit_") + nome.mid(2), legenda, x, larguraLegenda,
                       Align::Left, Style::Bold, ultimaLinha);
    return cabecalho()->label(nome, {}, x + larguraLegenda, largura - larguraLegenda, Align::Left,
                              Style::Normal, ultimaLinha);
}

void RelatorioCalculado::nota(const QString& texto) {
    ultimaLinha += EntreLinhas;
    cabecalho()->label(QStringLiteral("lbNota"), texto, 0, BandReport::BandWidth, Align::Left,
                       Style::Small, ultimaLinha);
}

void RelatorioCalculado::colunas(std::span<const Coluna> lista, double fimDoGrupo) {
    const double y = ultimaLinha + LinhaColunas - LinhaPeriodo;
    Band* header = cabecalho();
    header->height = y + EntreLinhas;
    header->ruleBottom = true;
    report::colunas(header, detalhe(), y, lista);
    detalhe()->field(QStringLiteral("GRUPO"), 0, fimDoGrupo, Align::Left)->style = Style::Bold;
}

QString RelatorioCalculado::tituloDoGrupo(const custo::Produto& produto) {
    return produto.grupo.isEmpty()
               ? QStringLiteral("Sem grupo")
               : QStringLiteral("Grupo %1 - %2").arg(produto.grupo, produto.descricaoGrupo);
}

QString RelatorioCalculado::totalDoGrupo(const custo::Produto& produto) {
    return produto.grupo.isEmpty() ? QStringLiteral("Total sem grupo")
                                   : QStringLiteral("Total do grupo %1").arg(produto.grupo);
}

QString RelatorioCalculado::grupoPedido(const GrupoDoPedido& grupo) {
    return grupo.codigo.isEmpty() ? QStringLiteral("Todos")
                                  : QStringLiteral("%1 - %2").arg(grupo.codigo, grupo.descricao);
}

void RelatorioCalculado::mostra(fb::ResultSet linhas) {
    lista()->Open(std::move(linhas));
}
