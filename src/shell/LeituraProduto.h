#pragma once

#include <QString>

class SqlQuery;

// The one reading of a product by a code the operator typed: by its code as
// stored (ten characters, see CompletaCodigoProduto) or by its bar code.
// Answers whether there is one, its row left open in dmProdutos'
// SQLQ_Produtos for the caller to read and close. A text longer than its
// column names no product: it is not sent, as the server would refuse it.
bool LeProdutoPorCodigo(const QString& codigo);
bool LeProdutoPorCodBar(const QString& codBar,
                        const QString& parametro = QStringLiteral("CodBarC"));

// A number of the product row the query holds; a null is zero.
double NumeroProduto(SqlQuery* q, const QString& coluna);
