#include "data/DataModule_Grupos.h"

#include "data/DataModule_Conexao.h"

TdmGrupos* dmGrupos = nullptr;

TdmGrupos::TdmGrupos(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("dmGrupos"));
    SqlConnection* qor = dmConexao->SQLC_QOR;
    SQLQ_Grupos = new SqlQuery(QStringLiteral("SQLQ_Grupos"), qor, this);
    SQLQ_Grupos2 = new SqlQuery(QStringLiteral("SQLQ_Grupos2"), qor, this);
    SQLQ_Grupos2->SQL << QStringLiteral("Select * From Grupos");
    cds_Grupos = new ListCopy(QStringLiteral("cds_Grupos"), SQLQ_Grupos2,
                              {{QStringLiteral("GRU_CODIGO"), QStringLiteral("Código")},
                               {QStringLiteral("GRU_DESCRICAO"), QStringLiteral("Descrição")}},
                              this);
    cds_Grupos->Open();
}
