#include "data/DataModule_Conexao.h"

TdmConexao* dmConexao = nullptr;

TdmConexao::TdmConexao(QObject* parent)
    : QObject(parent), SQLC_QOR(new SqlConnection(QStringLiteral("SQLC_QOR"), this)) {
    setObjectName(QStringLiteral("dmConexao"));
}
