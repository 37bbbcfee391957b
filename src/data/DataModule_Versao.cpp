#include "data/DataModule_Versao.h"

#include "data/DataModule_Conexao.h"

TdmVersao* dmVersao = nullptr;

TdmVersao::TdmVersao(QObject* parent)
    : QObject(parent),
      SQLQ_Versao(new SqlQuery(QStringLiteral("SQLQ_Versao"), dmConexao->SQLC_QOR, this)) {
    setObjectName(QStringLiteral("dmVersao"));
    SQLQ_Versao->SQL << QStringLiteral("Select * From Versao");
    SQLQ_Versao->Open();
}
