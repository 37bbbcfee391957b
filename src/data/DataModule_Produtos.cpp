#include "data/DataModule_Produtos.h"

#include "data/DataModule_Conexao.h"

TdmProdutos* dmProdutos = nullptr;

TdmProdutos::TdmProdutos(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("dmProdutos"));
    SqlConnection* qor = dmConexao->SQLC_QOR;
    SQLQ_Produtos = new SqlQuery(QStringLiteral("SQLQ_Produtos"), qor, this);
    SQLQ_Produtos2 = new SqlQuery(QStringLiteral("SQLQ_Produtos2"), qor, this);
    SQLQ_Produtos2->SQL << QStringLiteral("SElect p.*,g.GRU_Descricao From Produtos p join Grupos "
                                          "g on(p.PRO_CodGRU =g.GRU_Codigo)");
    using F = FieldFormat;
    cds_Produtos =
        new ListCopy(QStringLiteral("cds_Produtos"), SQLQ_Produtos2,
                     {{QStringLiteral("PRO_CODIGO"), QStringLiteral("Código"), F::Plain, true},
                      {QStringLiteral("PRO_DESCRICAO"), QStringLiteral("Descrição")},
                      {QStringLiteral("PRO_UNID"), QStringLiteral("Unid.")},
                      {QStringLiteral("PRO_CODGRU"), QStringLiteral("Grupo")},
                      {QStringLiteral("PRO_LOCAL"), QStringLiteral("Local")},
                      {QStringLiteral("PRO_QUANT"), QStringLiteral("Quantidade"), F::Quantity},
                      {QStringLiteral("PRO_MIN"), QStringLiteral("Est.Mínimo")},
                      {QStringLiteral("PRO_MARGEM"), QStringLiteral("Margem"), F::Percent},
                      {QStringLiteral("PRO_PCUSTO"), QStringLiteral("Preço de Custo"), F::Money},
                      {QStringLiteral("PRO_PVENDA"), QStringLiteral("Preço de Venda"), F::Money},
                      {QStringLiteral("PRO_UCOMP"), QStringLiteral("Últ.Compra"), F::Date},
                      {QStringLiteral("PRO_DCAD"), QStringLiteral("Cadastro"), F::Date},
                      {QStringLiteral("PRO_OBS"), QStringLiteral("Observações")},
                      {QStringLiteral("PRO_REFER"), QStringLiteral("Referência")},
                      {QStringLiteral("PRO_CODBAR"), QStringLiteral("Cód.Barras")},
                      {QStringLiteral("PRO_EMAX"), QStringLiteral("Est.Máximo")},
                      {QStringLiteral("GRU_DESCRICAO"), QStringLiteral("Descrição do Grupo")}},
                     this);
    cds_Produtos->Open();
}
