#include "reportengine/Formulario.h"

namespace report {

Moldura moldura(BandReport* relatorio) {
    constexpr double Largura = BandReport::BandWidth;
    Band* header = relatorio->band(BandKind::PageHeader);
    header->height = 14;
    Moldura feita;
    feita.empresa =
        header->label(QStringLiteral("lbEMP_NOME"), {}, 0, Largura * 0.6, Align::Left, Style::Bold);
    feita.fone = header->label(QStringLiteral("lbEMP_Fone"), {}, Largura * 0.6, Largura * 0.4,
                               Align::Right, Style::Bold);
    feita.empresa->role = feita.fone->role = LabelRole::Letterhead;

    Band* footer = relatorio->band(BandKind::PageFooter);
    footer->height = 16;
    footer->ruleTop = true;
    footer->label(QStringLiteral("lbPagina"), QStringLiteral("Página:"), 0, 32, Align::Left,
                  Style::Normal, 4);
    footer->system(SystemField::PageNumber, 32, 40, Align::Left)->y = 4;
    footer->label(QStringLiteral("lbDataHora"), QStringLiteral("Data/Hora:"), Largura - 130, 42,
                  Align::Left, Style::Normal, 4);
    footer->system(SystemField::DateTime, Largura - 88, 88, Align::Right)->y = 4;
    return feita;
}

std::vector<Label*> colunas(Band* titulos, Band* detalhe, double y, std::span<const Coluna> lista) {
    std::vector<Label*> feitos;
    for (std::size_t i = 0; i < lista.size(); ++i) {
        const Coluna& c = lista[i];
        const QString campo = QLatin1String(c.campo);
        detalhe->field(campo, c.x, c.largura, c.align, c.quebra);
        if (!c.titulo)
            continue;
        // A heading over several fields spans them all from the left.
        double largura = c.largura;
        Align align = c.align;
        for (std::size_t j = i + 1; j < lista.size() && !lista[j].titulo; ++j) {
            largura = lista[j].x + lista[j].largura - c.x;
            align = Align::Left;
        }
        const QString nome =
            c.nomeTitulo ? QLatin1String(c.nomeTitulo) : QStringLiteral("lbTit_%1").arg(campo);
        feitos.push_back(
            titulos->label(nome, QString::fromUtf8(c.titulo), c.x, largura, align, Style::Bold, y));
        feitos.back()->role = LabelRole::ColumnHeading;
    }
    return feitos;
}

} // namespace report
