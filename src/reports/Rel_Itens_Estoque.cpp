#include "reports/Rel_Itens_Estoque.h"

TfRel_Itens_Estoque* fRel_Itens_Estoque = nullptr;

TfRel_Itens_Estoque::TfRel_Itens_Estoque()
    : RelatorioEstoque(QStringLiteral("fRel_Itens_Estoque"), QStringLiteral("qrItens_Estoque"),
                       false),
      qrItens_Estoque(relatorio) {}
