#include "reports/FormularioRelatorio.h"

#include "shell/Sessao.h"

using namespace report;

FormularioRelatorio::FormularioRelatorio(const QString& formName, const QString& reportName,
                                         ListCopy* data)
    : relatorio(new BandReport(reportName, data, this)) {
    setObjectName(formName);
    constexpr double Largura = BandReport::BandWidth;
    Band* header = cabecalho();
    header->height = 14;
    lbEMP_NOME =
        header->label(QStringLiteral("lbEMP_NOME"), {}, 0, Largura * 0.6, Align::Left, Style::Bold);
    lbEMP_Fone = header->label(QStringLiteral("lbEMP_Fone"), {}, Largura * 0.6, Largura * 0.4,
                               Align::Right, Style::Bold);
    lbEMP_NOME->role = lbEMP_Fone->role = LabelRole::Letterhead;

    Band* footer = rodape();
    footer->height = 16;
    footer->ruleTop = true;
    footer->label(QStringLiteral("lbPagina"), QStringLiteral("Página:"), 0, 32, Align::Left,
                  Style::Normal, 4);
    footer->system(SystemField::PageNumber, 32, 40, Align::Left)->y = 4;
    footer->label(QStringLiteral("lbDataHora"), QStringLiteral("Data/Hora:"), Largura - 130, 42,
                  Align::Left, Style::Normal, 4);
    footer->system(SystemField::DateTime, Largura - 88, 88, Align::Right)->y = 4;

    detalhe()->height = AlturaLinha;
    relatorio->beforeGeneration = [this] { cabecalhoEmpresa(); };
}

void FormularioRelatorio::cabecalhoEmpresa() {
    lbEMP_NOME->setCaption(sessao().NomeEmpresa);
    lbEMP_Fone->setCaption(sessao().FoneEmpresa);
}
