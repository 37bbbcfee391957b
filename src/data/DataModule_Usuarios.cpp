#include "data/DataModule_Usuarios.h"

#include "data/DataModule_Conexao.h"

TdmUsuarios* dmUsuarios = nullptr;

TdmUsuarios::TdmUsuarios(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("dmUsuarios"));
    SqlConnection* qor = dmConexao->SQLC_QOR;
    SQLQ_Usuarios = new SqlQuery(QStringLiteral("SQLQ_Usuarios"), qor, this);
    SQLQ_Usuarios2 = new SqlQuery(QStringLiteral("SQLQ_Usuarios2"), qor, this);
    SQLQ_Usuarios2->SQL << QStringLiteral("Select * From Usuarios");
    cds_Usuarios =
        new ListCopy(QStringLiteral("cds_Usuarios"), SQLQ_Usuarios2,
                     {{QStringLiteral("USU_CODIGO"), QStringLiteral("Código")},
                      {QStringLiteral("USU_NOME"), QStringLiteral("Nome")},
                      {QStringLiteral("USU_LOGIN"), QStringLiteral("Login")},
                      {QStringLiteral("USU_SENHA"), QStringLiteral("Senha")},
                      {QStringLiteral("USU_ATIVO"), QStringLiteral("Ativo")},
                      {QStringLiteral("USU_DCAD"), QStringLiteral("Cadastro"), FieldFormat::Date}},
                     this);
    // The list loads through its source query, which is left closed.
    cds_Usuarios->Open();
}
