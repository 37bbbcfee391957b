#include "reports/Datas_Tipo.h"

#include "data/DataModule_Tipos.h"
#include "data/FbParams.h"
#include "masterdata/Busca_Tipos.h"
#include "reports/Rel_Mov_Estq_Tipo.h"
#include "shell/Cadastro.h"
#include "shell/Conventions.h"
#include "shell/Tela.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TfDatas_Tipo* fDatas_Tipo = nullptr;

TfDatas_Tipo::TfDatas_Tipo(QWidget* parent) : DialogoRelatorio(parent) {
    const QString titulo =
        QStringLiteral("Escolha um Tipo de Saída e uma Data Inicial e uma Data Final");
    TelaDeDados tela(this);
    Label1 = apresenta(tela, QStringLiteral("fDatas_Tipo"), titulo, titulo);
    const LinhaCodigo tipo =
        linhaCodigo(tela, QStringLiteral("Tipo"), QStringLiteral("btnBusca_Tipo"));
    edCodTipo = tipo.codigo;
    edDescTipo = tipo.descricao;
    btnBusca_Tipo = tipo.busca;
    dtpData_Inicial = data(tela, QStringLiteral("dtpData_Inicial"), QStringLiteral("Data Inicial"));
    dtpData_Final = data(tela, QStringLiteral("dtpData_Final"), QStringLiteral("Data Final:"));
    btnImprimir = tela.botao(QStringLiteral("btnImprimir"), QStringLiteral("Imprimir"));
    btnCancelar = tela.botao(QStringLiteral("btnCancelar"), QStringLiteral("Cancelar"));
    tela.conclui();
    // The buttons come first in this screen's tab order.
    OrdemTab({btnImprimir, btnCancelar, btnBusca_Tipo, edCodTipo, edDescTipo, dtpData_Inicial,
              dtpData_Final});

    confereCodigo(tipo, dmTipos->SQLQ_Tipos, LeituraTipo);
    buscaCodigo(tipo, fBusca_Tipos, QStringLiteral("Datas_Tipo"));
    aoMostrar({edCodTipo, edDescTipo}, dtpData_Inicial, dtpData_Final);
    botoes(btnImprimir, btnCancelar, &TfDatas_Tipo::btnImprimirClick);
}

void TfDatas_Tipo::btnImprimirClick() {
    const std::vector<Caso> casos = {
        {QStringLiteral("Mov Estq Tipos"),
         {QStringLiteral(" and m.MOV_Tipo=:CodTIP"), ComGrupo::Sim},
         {},
         EscrevePedido(fRel_Mov_Estq_Tipo, edCodTipo->text(), edDescTipo->text()),
         {}},
    };
    fb::Params tipo;
    tipo.setText(QStringLiteral("CodTIP"), edCodTipo->text());
    imprime(casos, dtpData_Inicial, dtpData_Final, tipo);
}
