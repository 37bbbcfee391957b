#include "data/DataModule_Grupos.h"

#include "data/DataModule_Conexao.h"

TdmGrupos* dmGrupos = nullptr;

TdmGrupos::TdmGrupos(QObject* parent)
    : QObject(parent),
      SQLQ_Grupos2(new SqlQuery(QStringLiteral("SQLQ_Grupos2"), dmConexao->SQLC_QOR, this)) {
    setObjectName(QStringLiteral("dmGrupos"));
    SQLQ_Grupos2->SQL << QStringLiteral("Select * From Grupos");
    SQLQ_Grupos2->Open();
}
