#include "reports/Datas.h"

#include "data/FbParams.h"
#include "reports/Rel_MovEstq_EST2.h"
#include "reports/Rel_Mov_Estq.h"
#include "reports/Rel_Mov_Estq_EST.h"
#include "shell/Tela.h"

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>

TfDatas* fDatas = nullptr;

TfDatas::TfDatas(QWidget* parent) : DialogoRelatorio(parent) {
    TelaDeDados tela(this);
    Label1 = apresenta(tela, QStringLiteral("fDatas"),
                       QStringLiteral("Escolha as Datas Inicial e Final"),
                       QStringLiteral("Escolha o Período"));
    dtpData_Ini = data(tela, QStringLiteral("dtpData_Ini"), QStringLiteral("Data Inicial:"));
    dtpData_Fim = data(tela, QStringLiteral("dtpData_Fim"), QStringLiteral("Data Final:"));
    btnDIF_Imprimir = tela.botao(QStringLiteral("btnDIF_Imprimir"), QStringLiteral("Imprimir"));
    btnDIF_Sair = tela.botao(QStringLiteral("btnDIF_Sair"), QStringLiteral("Fechar"));
    tela.conclui(TelaDeDados::Enter::Fica);
    botoes(btnDIF_Imprimir, btnDIF_Sair, &TfDatas::btnDIF_ImprimirClick);
    aoMostrar({}, dtpData_Ini, dtpData_Fim);
}

void TfDatas::btnDIF_ImprimirClick() {
    auto periodo = [](auto* form) {
        return [form](const QDate& inicio, const QDate& fim) {
            EscrevePeriodo(form->lbDataIni, form->lbDataFim, inicio, fim);
        };
    };
    const QString daOperacao = QStringLiteral(" and m.MOV_Oper=:Oper");
    const std::vector<Caso> casos = {
        {QStringLiteral("Mov_Estq Geral Datas"), {}, {}, periodo(fRel_Mov_Estq), {}},
        {QStringLiteral("Rel MovEstq Entradas"),
         {daOperacao},
         QStringLiteral("EE"),
         periodo(fRel_Mov_ESTQ_EST),
         {}},
        {QStringLiteral("Rel MovEstq Saídas"),
         {daOperacao},
         QStringLiteral("SS"),
         periodo(fRel_Mov_ESTQ_EST),
         {}},
        {QStringLiteral("Rel MovEstq Saidas Estornos"),
         {QStringLiteral(" and (m.MOV_Oper='SS' or m.MOV_Oper='TS')")},
         {},
         periodo(fRelMovEstq_EST2),
         QStringLiteral("Rel MovEstq Saidas Estorno")},
        {QStringLiteral("Rel MovEstq Entradas Estornos"),
         {QStringLiteral(" and (m.MOV_Oper='EE' or m.MOV_Oper='TE')")},
         {},
         periodo(fRelMovEstq_EST2),
         QStringLiteral("Rel MovEstq Entradas Estorno")},
    };
    imprime(casos, dtpData_Ini, dtpData_Fim, {});
}
