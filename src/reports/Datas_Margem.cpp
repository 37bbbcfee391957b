#include "reports/Datas_Margem.h"

#include "reports/Rel_Margem_Saidas.h"
#include "shell/Tela.h"

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>

TfDatas_Margem* fDatas_Margem = nullptr;

TfDatas_Margem::TfDatas_Margem(QWidget* parent) : DialogoRelatorio(parent) {
    TelaDeDados tela(this);
    Label1 = apresenta(tela, QStringLiteral("fDatas_Margem"), QStringLiteral("Margem das Saídas"),
                       QStringLiteral("Escolha o Período e os Produtos"));
    dtpData_Inicial =
        data(tela, QStringLiteral("dtpData_Inicial"), QStringLiteral("Data Inicial:"));
    dtpData_Final = data(tela, QStringLiteral("dtpData_Final"), QStringLiteral("Data Final:"));
    produtos = escolhaGrupo(tela);
    btnImprimir = tela.botao(QStringLiteral("btnImprimir"), QStringLiteral("Imprimir"));
    btnCancelar = tela.botao(QStringLiteral("btnCancelar"), QStringLiteral("Cancelar"));
    tela.conclui();

    liga(produtos, QStringLiteral("Datas_Margem"));
    aoMostrar({produtos.linha.codigo, produtos.linha.descricao}, dtpData_Inicial, dtpData_Final);
    botoes(btnImprimir, btnCancelar, &TfDatas_Margem::btnImprimirClick);
}

void TfDatas_Margem::btnImprimirClick() {
    const std::optional<GrupoDoPedido> grupo = grupoEscolhido(produtos);
    if (!grupo)
        return;
    imprimeEFecha([&] {
        fRel_Margem_Saidas->carrega(dtpData_Inicial->date(), dtpData_Final->date(), *grupo);
        EscolheSaida(Relatorio);
    });
}
