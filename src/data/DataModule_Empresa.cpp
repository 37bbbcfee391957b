#include "data/DataModule_Empresa.h"

#include "data/DataModule_Config.h"

TdmEmpresa* dmEmpresa = nullptr;

TdmEmpresa::TdmEmpresa(QObject* parent)
    : QObject(parent),
      SQLQ_Empresa(new SqlQuery(QStringLiteral("SQLQ_Empresa"), dmConfig->SQLC_Config, this)) {
    setObjectName(QStringLiteral("dmEmpresa"));
}
