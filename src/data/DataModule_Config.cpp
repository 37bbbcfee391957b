#include "data/DataModule_Config.h"

TdmConfig* dmConfig = nullptr;

TdmConfig::TdmConfig(QObject* parent)
    : QObject(parent), SQLC_Config(new SqlConnection(QStringLiteral("SQLC_Config"), this)) {
    setObjectName(QStringLiteral("dmConfig"));
}
