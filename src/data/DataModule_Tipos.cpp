#include "data/DataModule_Tipos.h"

#include "data/DataModule_Conexao.h"

TdmTipos* dmTipos = nullptr;

TdmTipos::TdmTipos(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("dmTipos"));
    SqlConnection* qor = dmConexao->SQLC_QOR;
    SQLQ_Tipos = new SqlQuery(QStringLiteral("SQLQ_Tipos"), qor, this);
    SQLQ_Tipos2 = new SqlQuery(QStringLiteral("SQLQ_Tipos2"), qor, this);
    SQLQ_Tipos2->SQL << QStringLiteral("select * from tipos");
    cds_Tipos = new ListCopy(QStringLiteral("cds_Tipos"), SQLQ_Tipos2,
                             {{QStringLiteral("TIP_CODIGO"), QStringLiteral("Código")},
                              {QStringLiteral("TIP_DESCRICAO"), QStringLiteral("Descrição")}},
                             this);
    cds_Tipos->Open();
}
