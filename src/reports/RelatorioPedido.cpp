#include "reports/RelatorioPedido.h"

RelatorioPedido::RelatorioPedido(const QString& formName, const QString& reportName,
                                 const QString& caption, const QString& rotulo, double recuo)
    : RelatorioMovimento(formName, reportName) {
    titulo(caption);
    lbDataInicial = periodo(QStringLiteral("lbDataInicial"));
    const Pedido linha = pedido(rotulo, recuo);
    lbCodPro = linha.codigo;
    lbDescPro = linha.descricao;
}
