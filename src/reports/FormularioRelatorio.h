#pragma once

#include "reportengine/BandReport.h"

#include <QObject>

class ListCopy;

// What every report form shares: its report over one list, the company
// header at the top of every page and the page footer with the page number
// and the date and time under a rule. The form itself is never shown.
class FormularioRelatorio : public QObject {
    Q_OBJECT
public:
    report::BandReport* componente() const { return relatorio; }

    report::Label* lbEMP_NOME;
    report::Label* lbEMP_Fone;

protected:
    FormularioRelatorio(const QString& formName, const QString& reportName, ListCopy* data);

    // The main window's company name and telephone into the header.
    void cabecalhoEmpresa();

    report::Band* cabecalho() const { return relatorio->band(report::BandKind::PageHeader); }
    report::Band* detalhe() const { return relatorio->band(report::BandKind::Detail); }
    report::Band* sumario() const { return relatorio->band(report::BandKind::Summary); }
    report::Band* rodape() const { return relatorio->band(report::BandKind::PageFooter); }

    report::BandReport* const relatorio;

    // Rows of the page header below the company line.
    static constexpr double LinhaTitulo = 16;
    static constexpr double LinhaPeriodo = 34;
    static constexpr double LinhaColunas = 50;
    static constexpr double AlturaLinha = 11;
};
