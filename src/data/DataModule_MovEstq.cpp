#include "data/DataModule_MovEstq.h"

#include "data/DataModule_Conexao.h"

TdmMovEstq* dmMovEstq = nullptr;

TdmMovEstq::TdmMovEstq(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("dmMovEstq"));
    SqlConnection* qor = dmConexao->SQLC_QOR;
    using F = FieldFormat;
    SQLQ_MovEstq = new SqlQuery(QStringLiteral("SQLQ_MovEstq"), qor, this);

    SQLQ_MovEstq2 = new SqlQuery(QStringLiteral("SQLQ_MovEstq2"), qor, this);
    SQLQ_MovEstq2->SQL << BaseMovEstq2;
    cds_MovEstq =
        new ListCopy(QStringLiteral("cds_MovEstq"), SQLQ_MovEstq2,
                     {{QStringLiteral("MOV_CODPRO"), QStringLiteral("Cód.Prod."), F::Plain, true},
                      {QStringLiteral("PRO_DESCRICAO"), QStringLiteral("Descrição")},
                      {QStringLiteral("MOV_TIPO"), QStringLiteral("Tipo")},
                      {QStringLiteral("MOV_OPER"), QStringLiteral("Operação")},
                      {QStringLiteral("MOV_DATA"), QStringLiteral("Data"), F::Date},
                      {QStringLiteral("MOV_VALOR"), QStringLiteral("Valor"), F::Money},
                      {QStringLiteral("MOV_QUANT"), QStringLiteral("Quantidade"), F::Quantity},
                      {QStringLiteral("MOV_DOC"), QStringLiteral("Documento")},
                      {QStringLiteral("DESCRICAO"), QStringLiteral("Operação")},
                      {QStringLiteral("TIP_DESCRICAO"), QStringLiteral("Tipo de Saída")}},
                     this);

    SQLQ_MovEstq3 = new SqlQuery(QStringLiteral("SQLQ_MovEstq3"), qor, this);
    SQLQ_MovEstq3->SQL << QStringLiteral("Select * From Mov_Estq Where MOV_Data='11/11/2001'");
    cds_movEstq2 = new ListCopy(QStringLiteral("cds_movEstq2"), SQLQ_MovEstq3,
                                {{QStringLiteral("MOV_CODPRO"), QStringLiteral("Cód.Prod.")},
                                 {QStringLiteral("MOV_OPER"), QStringLiteral("Operação")},
                                 {QStringLiteral("MOV_TIPO"), QStringLiteral("Tipo de Saída")},
                                 {QStringLiteral("MOV_DATA"), QStringLiteral("Data"), F::Date},
                                 {QStringLiteral("MOV_VALOR"), QStringLiteral("Valor")},
                                 {QStringLiteral("MOV_QUANT"), QStringLiteral("Quantidade")},
                                 {QStringLiteral("MOV_DOC"), QStringLiteral("Documento")}},
                                this);

    // The first statement of the movement list selects every movement ever
    // made, yet no one sees those rows before a screen or report reloads the
    // list with its own statement. Checking it now keeps a missing table or
    // column a start-up failure; fetching waits for the first use, so start-up
    // does not slow down as movements accumulate.
    cds_MovEstq->OpenDeferred();
    cds_movEstq2->Open();
}
