#include "reports/Datas_Grupo.h"

#include "data/DataModule_Grupos.h"
#include "data/FbParams.h"
#include "masterdata/Busca_Grupos.h"
#include "reports/Rel_Mov_Estq_Grupo.h"
#include "reports/Rel_Mov_Estq_Grupo_ES.h"
#include "shell/Cadastro.h"
#include "shell/Conventions.h"
#include "shell/Tela.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TfDatas_Grupo* fDatas_Grupo = nullptr;

TfDatas_Grupo::TfDatas_Grupo(QWidget* parent) : DialogoRelatorio(parent) {
    TelaDeDados tela(this);
    Label1 = apresenta(tela, QStringLiteral("fDatas_Grupo"),
                       QStringLiteral("Escolha um Grupo e um Período"),
                       QStringLiteral("Escolha um Grupo e uma Data Inicial e uma Data Final"));
    const LinhaCodigo grupo =
        linhaCodigo(tela, QStringLiteral("Grupo"), QStringLiteral("btnBusca_Grupo"));
    edCodGrupo = grupo.codigo;
    edDescGrupo = grupo.descricao;
    btnBusca_Grupo = grupo.busca;
    dtpData_Inicial = data(tela, QStringLiteral("dtpData_Inicial"), QStringLiteral("Data Inicial"));
    dtpData_Final = data(tela, QStringLiteral("dtpData_Final"), QStringLiteral("Data Final:"));
    btnImprimir = tela.botao(QStringLiteral("btnImprimir"), QStringLiteral("Imprimir"));
    btnCancelar = tela.botao(QStringLiteral("btnCancelar"), QStringLiteral("Cancelar"));
    tela.conclui();

    confereCodigo(grupo, dmGrupos->SQLQ_Grupos, LeituraGrupo);
    buscaCodigo(grupo, fBusca_Grupos, QStringLiteral("Datas_Grupo"));
    aoMostrar({edCodGrupo, edDescGrupo}, dtpData_Inicial, dtpData_Final);
    botoes(btnImprimir, btnCancelar, &TfDatas_Grupo::btnImprimirClick);
}

void TfDatas_Grupo::btnImprimirClick() {
    const QString codigo = edCodGrupo->text();
    const QString descricao = edDescGrupo->text();
    const QString daOperacao = QStringLiteral(" and p.PRO_CodGRU=:CodGRU and m.MOV_Oper=:Oper");
    const std::vector<Caso> casos = {
        {QStringLiteral("Mov Estq Grupos"),
         {QStringLiteral(" and p.PRO_CodGru=:CodGRU"), ComGrupo::Sim},
         {},
         EscrevePedido(fRel_Mov_Estq_Grupo, codigo, descricao),
         {}},
        {QStringLiteral("Mov Estq Grupo Entrada"),
         {daOperacao},
         QStringLiteral("EE"),
         EscrevePedido(fRel_Mov_Estq_Grupo_ES, codigo, descricao,
                       {"Movimentação de Estoque por Grupo(Somente Entradas)",
                        "Total de Entradas(Quantidade)", "Total de Entradas(R$)"}),
         {}},
        {QStringLiteral("Mov Estq Grupo Saida"),
         {daOperacao},
         QStringLiteral("SS"),
         EscrevePedido(fRel_Mov_Estq_Grupo_ES, codigo, descricao,
                       {"Movimentação de Estoque por Grupo(Somente Saídas)",
                        "Total de Saídas(Quantidade)", "Total de Saídas(R$)"}),
         {}},
    };
    fb::Params grupo;
    grupo.setText(QStringLiteral("CodGRU"), codigo);
    imprime(casos, dtpData_Inicial, dtpData_Final, grupo);
}
