#include "reports/Rel_Itens_Estoque_Grupo.h"

#include "reports/Busca_Rel_Grupo.h"

#include <QLineEdit>

TfRel_Itens_Estoque_Grupo* fRel_Itens_Estoque_Grupo = nullptr;

TfRel_Itens_Estoque_Grupo::TfRel_Itens_Estoque_Grupo()
    : RelatorioEstoque(QStringLiteral("fRel_Itens_Estoque_Grupo"),
                       QStringLiteral("qrItens_Estoque_Grupo"), true),
      qrItens_Estoque_Grupo(relatorio), lbCodGrupo(grupo.codigo), lbDescGrupo(grupo.descricao) {}

void TfRel_Itens_Estoque_Grupo::preparaCabecalho() {
    if (!fBusca_Rel_Grupo) // a report made without the program's screens
        return;
    lbCodGrupo->setCaption(fBusca_Rel_Grupo->edCodGrupo->text());
    lbDescGrupo->setCaption(fBusca_Rel_Grupo->edDescGrupo->text());
}
