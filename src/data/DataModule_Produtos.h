#pragma once

#include "data/ListCopy.h"
#include "data/SqlQuery.h"

#include <QObject>

// Products: the command query and the shared product list, which the
// browse and lookup screens and the product reports all show.
class TdmProdutos : public QObject {
    Q_OBJECT
public:
    explicit TdmProdutos(QObject* parent = nullptr);

    SqlQuery* SQLQ_Produtos;
    SqlQuery* SQLQ_Produtos2;
    ListCopy* cds_Produtos;
};

extern TdmProdutos* dmProdutos;
