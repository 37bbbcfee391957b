#include "reports/Data_Estoque.h"

#include "reports/Rel_Estoque_Valorizado.h"
#include "shell/Tela.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>

TfData_Estoque* fData_Estoque = nullptr;

TfData_Estoque::TfData_Estoque(QWidget* parent) : DialogoRelatorio(parent) {
    TelaDeDados tela(this);
    Label1 = apresenta(tela, QStringLiteral("fData_Estoque"), QStringLiteral("Estoque Valorizado"),
                       QStringLiteral("Escolha a Data e os Produtos"));
    dtpData = data(tela, QStringLiteral("dtpData"), QStringLiteral("Estoque ao fim do dia:"));
    produtos = escolhaGrupo(tela);
    cbZerados = new QCheckBox(QStringLiteral("Com os produtos de quantidade zero"), this);
    cbZerados->setObjectName(QStringLiteral("cbZerados"));
    tela.linha({}, cbZerados);
    btnImprimir = tela.botao(QStringLiteral("btnImprimir"), QStringLiteral("Imprimir"));
    btnCancelar = tela.botao(QStringLiteral("btnCancelar"), QStringLiteral("Cancelar"));
    tela.conclui();

    liga(produtos, QStringLiteral("Data_Estoque"));
    aoMostrar({produtos.linha.codigo, produtos.linha.descricao}, dtpData);
    botoes(btnImprimir, btnCancelar, &TfData_Estoque::btnImprimirClick);
}

void TfData_Estoque::btnImprimirClick() {
    const std::optional<GrupoDoPedido> grupo = grupoEscolhido(produtos);
    if (!grupo)
        return;
    imprimeEFecha([&] {
        fRel_Estoque_Valorizado->carrega(dtpData->date(), *grupo, cbZerados->isChecked());
        EscolheSaida(Relatorio);
    });
}
