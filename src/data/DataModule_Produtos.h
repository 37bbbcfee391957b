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

// The insertion of a product by the product screen.
inline const QStringList InsereProduto = {
    QStringLiteral("Insert into PRODUTOS (PRO_Codigo,PRO_Descricao, "
                   "PRO_Unid,PRO_CodGRU,PRO_Local,PRO_Min,PRO_Margem,PRO_PCusto,"
                   "PRO_PVenda,PRO_DCad,PRO_OBS,PRO_Refer,PRO_CodBar,PRO_EMax,"
                   "PRO_Quant)"),
    QStringLiteral("Values (:CodigoC,:DescricaoC,:UnidC,:CodGRUC,:LocalC,:MinC,"
                   ":MargemC,:PCustoC,:PVendaC,:DCadC,:ObsC,:ReferC,:CodBarC,:EMaxC,"
                   ":QuantC)")};

// The insertion of a product by the import, which brings its last purchase
// date too.
inline const QStringList InsereProdutoImportado = {
    QStringLiteral("Insert into PRODUTOS (PRO_Codigo,PRO_Descricao, "
                   "PRO_Unid,PRO_CodGRU,PRO_Local,PRO_Min,PRO_Margem,PRO_PCusto,"
                   "PRO_PVenda,PRO_DCad,PRO_OBS,PRO_Refer,PRO_CodBar,PRO_EMax,"
                   "PRO_Quant,PRO_UComp)"),
    QStringLiteral("Values (:CodigoC,:DescricaoC,:UnidC,:CodGRUC,:LocalC,:MinC,"
                   ":MargemC,:PCustoC,:PVendaC,:DCadC,:ObsC,:ReferC,:CodBarC,:EMaxC,"
                   ":QuantC,:UCompC)")};
