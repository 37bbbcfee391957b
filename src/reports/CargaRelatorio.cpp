#include "reports/CargaRelatorio.h"

#include "data/DataModule_MovEstq.h"
#include "data/DataModule_Produtos.h"
#include "reportengine/BandReport.h"
#include "reports/Tela_Impressora.h"

namespace {

const QString PrimeiraLinha = QStringLiteral(
    "SElect m.*,p.PRO_Descricao, c.DESCRICAO,t.TIP_Descricao From Mov_Estq m join Produtos p on "
    "(m.MOV_CodPro = p.PRO_Codigo) join CodMOV c on (m.MOV_Oper=c.CODIGO)  Left Outer join Tipos "
    "t on");
const QString PrimeiraLinhaComGrupo = QStringLiteral(
    "SElect m.*,p.PRO_Descricao,p.PRO_CodGru, c.DESCRICAO,t.TIP_Descricao From Mov_Estq m join "
    "Produtos p on (m.MOV_CodPro = p.PRO_Codigo) join CodMOV c on (m.MOV_Oper=c.CODIGO)  Left "
    "Outer join Tipos t on");

} // namespace

void CarregaProdutos(const QString& sql, const fb::Params& parametros) {
    dmProdutos->cds_Produtos->Reload({sql}, parametros);
}

void CarregaMovimentos(const Movimentos& movimentos, const QDate& inicio, const QDate& fim,
                       fb::Params parametros) {
    parametros.setDate(QStringLiteral("DataIniD"), inicio);
    parametros.setDate(QStringLiteral("DataFimD"), fim);
    dmMovEstq->cds_MovEstq->Reload(
        {movimentos.grupo == ComGrupo::Sim ? PrimeiraLinhaComGrupo : PrimeiraLinha,
         QStringLiteral("(m.MOV_Tipo=t.TIP_CODIGO) Where m.MOV_DAta Between :DataIniD and "
                        ":DataFimD") +
             movimentos.condicao + QStringLiteral(" Order By m.MOV_Data ")},
        parametros);
}

void EscrevePeriodo(report::Label* inicio, report::Label* fim, const QDate& de, const QDate& ate) {
    inicio->setCaption(de.toString(QStringLiteral("dd/MM/yyyy")));
    fim->setCaption(ate.toString(QStringLiteral("dd/MM/yyyy")));
}

void EscolheSaida(const QString& relatorio) {
    fTela_Impressora->Relatorio = relatorio;
    fTela_Impressora->exec();
}
