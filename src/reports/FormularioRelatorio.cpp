#include "reports/FormularioRelatorio.h"

#include "reportengine/Formulario.h"
#include "shell/Sessao.h"

using namespace report;

FormularioRelatorio::FormularioRelatorio(const QString& formName, const QString& reportName,
                                         ListCopy* data)
    : relatorio(new BandReport(reportName, data, this)) {
    setObjectName(formName);
    const Moldura feita = moldura(relatorio);
    lbEMP_NOME = feita.empresa;
    lbEMP_Fone = feita.fone;
    detalhe()->height = AlturaLinha;
    relatorio->beforeGeneration = [this] { cabecalhoEmpresa(); };
}

void FormularioRelatorio::cabecalhoEmpresa() {
    lbEMP_NOME->setCaption(sessao().NomeEmpresa);
    lbEMP_Fone->setCaption(sessao().FoneEmpresa);
}
