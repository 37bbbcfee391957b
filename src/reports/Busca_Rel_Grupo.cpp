#include "reports/Busca_Rel_Grupo.h"

#include "data/DataModule_Grupos.h"
#include "data/FbParams.h"
#include "masterdata/Busca_Grupos.h"
#include "reports/CargaRelatorio.h"
#include "shell/Cadastro.h"
#include "shell/Conventions.h"
#include "shell/Tela.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TfBusca_Rel_Grupo* fBusca_Rel_Grupo = nullptr;

TfBusca_Rel_Grupo::TfBusca_Rel_Grupo(QWidget* parent) : DialogoRelatorio(parent) {
    TelaDeDados tela(this);
    Label1 = apresenta(tela, QStringLiteral("fBusca_Rel_Grupo"), QStringLiteral("Escolha um Grupo"),
                       QStringLiteral("Escolha um Grupo "));
    const LinhaCodigo grupo =
        linhaCodigo(tela, QStringLiteral("Grupo"), QStringLiteral("btnBusca_Grupo"));
    edCodGrupo = grupo.codigo;
    edDescGrupo = grupo.descricao;
    btnBusca_Grupo = grupo.busca;
    btnImprimir = tela.botao(QStringLiteral("btnImprimir"), QStringLiteral("Imprimir"));
    btnCancelar = tela.botao(QStringLiteral("btnCancelar"), QStringLiteral("Cancelar"));
    tela.conclui(TelaDeDados::Enter::Fica);

    confereCodigo(grupo, dmGrupos->SQLQ_Grupos, LeituraGrupo);
    // The description comes from the group; the operator does not type it.
    onEnter(edDescGrupo, [this] { btnBusca_Grupo->setFocus(); });
    buscaCodigo(grupo, fBusca_Grupos, QStringLiteral("fBusca_Rel_Grupo"));
    aoMostrar({edCodGrupo, edDescGrupo});
    botoes(btnImprimir, btnCancelar, &TfBusca_Rel_Grupo::btnImprimirClick);
}

void TfBusca_Rel_Grupo::btnImprimirClick() {
    imprimeEFecha([this] {
        if (Relatorio != QStringLiteral("Itens Estoque Grupo"))
            return;
        // No code asks for group "000000", which lists no products.
        edCodGrupo->setText(CompletaCodigo(edCodGrupo->text()));
        fb::Params grupo;
        grupo.setText(QStringLiteral("CodGRU"), edCodGrupo->text());
        CarregaProdutos(ProdutosDoGrupo, grupo);
        EscolheSaida(Relatorio);
    });
}
