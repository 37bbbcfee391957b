#include "shell/LeituraProduto.h"

#include "data/DataModule_Produtos.h"
#include "data/SqlQuery.h"

namespace {

// Reads a product with the statement and its one parameter.
bool leProduto(const QString& sql, const QString& parametro, const QString& valor, int coluna) {
    SqlQuery* q = dmProdutos->SQLQ_Produtos;
    q->Close();
    if (valor.size() > coluna)
        return false;
    q->setStatement({sql});
    q->ParamByName(parametro).setAsString(valor);
    q->Open();
    return !q->IsEmpty();
}

} // namespace

bool LeProdutoPorCodigo(const QString& codigo) {
    return leProduto(QStringLiteral("Select * FROM PRODUTOS Where PRO_Codigo=:CodigoC"),
                     QStringLiteral("CodigoC"), codigo, 10);
}

bool LeProdutoPorCodBar(const QString& codBar, const QString& parametro) {
    return leProduto(QStringLiteral("Select * FROM PRODUTOS Where PRO_CodBar=:") + parametro,
                     parametro, codBar, 14);
}

double NumeroProduto(SqlQuery* q, const QString& coluna) {
    return q->result().value(0, coluna).toDouble();
}
