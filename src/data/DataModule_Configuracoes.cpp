#include "data/DataModule_Configuracoes.h"

#include "data/DataModule_Config.h"

TdmConfiguracoes* dmConfiguracoes = nullptr;

TdmConfiguracoes::TdmConfiguracoes(QObject* parent)
    : QObject(parent), SQLQ_Configuracoes(new SqlQuery(QStringLiteral("SQLQ_Configuracoes"),
                                                       dmConfig->SQLC_Config, this)) {
    setObjectName(QStringLiteral("dmConfiguracoes"));
    SQLQ_Configuracoes->SQL << QStringLiteral("Select * From Configuracoes");
    SQLQ_Configuracoes->Open();
}
