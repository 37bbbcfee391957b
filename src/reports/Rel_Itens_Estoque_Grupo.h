#pragma once

#include "reports/RelatorioEstoque.h"

// The products of one group in stock with the value of their stock; the
// group is the one the group dialog shows when the list is generated.
class TfRel_Itens_Estoque_Grupo : public RelatorioEstoque {
    Q_OBJECT
public:
    TfRel_Itens_Estoque_Grupo();

    report::BandReport* const qrItens_Estoque_Grupo;
    report::Label* lbCodGrupo;
    report::Label* lbDescGrupo;

protected:
    void preparaCabecalho() override;
};

extern TfRel_Itens_Estoque_Grupo* fRel_Itens_Estoque_Grupo;
