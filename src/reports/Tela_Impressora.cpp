#include "reports/Tela_Impressora.h"

#include "reports/Rel_Conferencia_Estoque.h"
#include "reports/Rel_EstMin.h"
#include "reports/Rel_Estoque_Valorizado.h"
#include "reports/Rel_Itens_Estoque.h"
#include "reports/Rel_Itens_Estoque_Grupo.h"
#include "reports/Rel_Listas_Precos.h"
#include "reports/Rel_Margem_Saidas.h"
#include "reports/Rel_MovEstq_EST2.h"
#include "reports/Rel_MovEstq_Produto_Geral.h"
#include "reports/Rel_Mov_Estq.h"
#include "reports/Rel_Mov_Estq_EST.h"
#include "reports/Rel_Mov_Estq_Grupo.h"
#include "reports/Rel_Mov_Estq_Grupo_ES.h"
#include "reports/Rel_Mov_Estq_Produto_ES.h"
#include "reports/Rel_Mov_Estq_Tipo.h"
#include "shell/Arquivos.h"
#include "shell/Messages.h"
#include "shell/Tela.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <functional>
#include <vector>

using report::BandReport;

TfTela_Impressora* fTela_Impressora = nullptr;

namespace {

struct Chave {
    QString relatorio;
    std::function<BandReport*()> componente;
    std::function<void()> legendas; // captions written before the output
};

void legendasEntradasSaidas(const char* titulo, const char* quantidade, const char* reais) {
    fRel_Mov_ESTQ_EST->lbTitulo->setCaption(QString::fromUtf8(titulo));
    fRel_Mov_ESTQ_EST->lbTotal_Quantidade->setCaption(QString::fromUtf8(quantidade));
    fRel_Mov_ESTQ_EST->lbTotal_Reais->setCaption(QString::fromUtf8(reais));
}

void legendasEstorno(const char* titulo, const char* movimento, const char* estorno) {
    const QString m = QString::fromUtf8(movimento);
    const QString e = QString::fromUtf8(estorno);
    TfRelMovEstq_EST2* f = fRelMovEstq_EST2;
    f->lbTitulo->setCaption(QString::fromUtf8(titulo));
    f->lbTotalQuantidadeEE->setCaption(QStringLiteral("Total de %1(Quantidade):").arg(m));
    f->lbTotalQuantidadeTT->setCaption(QStringLiteral("Total de %1(Quantidade):").arg(e));
    f->lbTotal_ReaisEE->setCaption(QStringLiteral("Total de %1(R$):").arg(m));
    f->lbTotal_ReaisTT->setCaption(QStringLiteral("Total de %1(R$):").arg(e));
    f->lbTotalTER->setCaption(QStringLiteral("%1 - Estornos (R$):").arg(m));
    f->lbTotalTEQ->setCaption(QStringLiteral("%1 - Estornos (Quantidade):").arg(m));
}

// The keys, in the order they are tested.
const std::vector<Chave>& chaves() {
    static const std::vector<Chave> tabela = {
        {QStringLiteral("Mov_Estq Geral Datas"), [] { return fRel_Mov_Estq->qrMov_Estq; }, {}},
        {QStringLiteral("Lista Preco Descricao"),
         [] { return fRel_Listas_Precos->qp_Listas_Precos; },
         {}},
        {QStringLiteral("Lista Preco Codigo"),
         [] { return fRel_Listas_Precos->qp_Listas_Precos; },
         {}},
        {QStringLiteral("Rel MovEstq Entradas"), [] { return fRel_Mov_ESTQ_EST->qrMov_Estq_EST; },
         [] {
             legendasEntradasSaidas("Lista de Movimentação de Estoque Geral (Somente Entradas)",
                                    "Total de Entradas(Quantidade):", "Total de Entradas(R$):");
         }},
        {QStringLiteral("Rel MovEstq Saídas"), [] { return fRel_Mov_ESTQ_EST->qrMov_Estq_EST; },
         [] {
             legendasEntradasSaidas("Lista de Movimentação de Estoque Geral (Somente Saídas)",
                                    "Total de Saídas(Quantidade):", "Total de Saídas(R$):");
         }},
        {QStringLiteral("Rel MovEstq Produto Geral"),
         [] { return fRel_MovEstq_Produto_Geral->qrMovEstq_Produto_Geral; },
         {}},
        {QStringLiteral("Itens Estoque Codigo"),
         [] { return fRel_Itens_Estoque->qrItens_Estoque; },
         {}},
        {QStringLiteral("Itens Estoque Descricao"),
         [] { return fRel_Itens_Estoque->qrItens_Estoque; },
         {}},
        {QStringLiteral("Itens Estoque Grupo"),
         [] { return fRel_Itens_Estoque_Grupo->qrItens_Estoque_Grupo; },
         {}},
        {QStringLiteral("Mov Estq Produto Entrada"),
         [] { return fRel_Mov_Estq_Produto_ES->qrMov_Estq_Produto_ES; },
         {}},
        {QStringLiteral("Mov Estq Produto Saida"),
         [] { return fRel_Mov_Estq_Produto_ES->qrMov_Estq_Produto_ES; },
         {}},
        {QStringLiteral("Mov Estq Grupos"),
         [] { return fRel_Mov_Estq_Grupo->qrMov_Estq_Grupos; },
         {}},
        {QStringLiteral("Mov Estq Grupo Entrada"),
         [] { return fRel_Mov_Estq_Grupo_ES->qrMov_Estq_Grupo_ES; },
         {}},
        {QStringLiteral("Mov Estq Grupo Saida"),
         [] { return fRel_Mov_Estq_Grupo_ES->qrMov_Estq_Grupo_ES; },
         {}},
        {QStringLiteral("Mov Estq Tipos"), [] { return fRel_Mov_Estq_Tipo->qrMov_Estq_Tipo; }, {}},
        {QStringLiteral("Itens Estoque Minimo"), [] { return fRelEstMin->qrEstMin; }, {}},
        {QStringLiteral("Rel MovEstq Saidas Estorno"),
         [] { return fRelMovEstq_EST2->qrMovEstq_EST2; },
         [] {
             legendasEstorno("Lista de Mov. de Estq.(Somente Saídas e Estorno de Saídas)", "Saídas",
                             "Estorno de Saídas");
         }},
        {QStringLiteral("Rel MovEstq Entradas Estorno"),
         [] { return fRelMovEstq_EST2->qrMovEstq_EST2; },
         [] {
             legendasEstorno("Lista de Mov. de Estq.(Somente Entradas e Estorno de Entradas)",
                             "Entradas", "Estorno de Entradas");
         }},
        {QStringLiteral("Estoque Valorizado"),
         [] { return fRel_Estoque_Valorizado->qrEstoque_Valorizado; },
         {}},
        {QStringLiteral("Margem das Saidas"),
         [] { return fRel_Margem_Saidas->qrMargem_Saidas; },
         {}},
        {QStringLiteral("Conferencia Estoque"),
         [] { return fRel_Conferencia_Estoque->qrConferencia_Estoque; },
         {}},
    };
    return tabela;
}

} // namespace

TfTela_Impressora::TfTela_Impressora(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fTela_Impressora"));
    setWindowTitle(QStringLiteral("Escolha uma Opção"));
    auto* layout = new QVBoxLayout(this);
    Label1 = Rotulo(this, QStringLiteral("Label1"), QStringLiteral("Escolha uma Opção ?"));
    QFont heading = Label1->font();
    heading.setBold(true);
    heading.setPointSize(heading.pointSize() + 2);
    Label1->setFont(heading);
    Label1->setAlignment(Qt::AlignCenter);
    layout->addWidget(Label1);
    auto* buttons = new QHBoxLayout;
    BitBtn1 = Botao(this, QStringLiteral("BitBtn1"), QStringLiteral("Tela"));
    BitBtn2 = Botao(this, QStringLiteral("BitBtn2"), QStringLiteral("Impressora"));
    BitBtn3 = Botao(this, QStringLiteral("BitBtn3"), QStringLiteral("Cancela"));
    for (QPushButton* b : {BitBtn1, BitBtn2, BitBtn3})
        buttons->addWidget(b);
    layout->addLayout(buttons);
    OrdemTab({BitBtn1, BitBtn2, BitBtn3});
    // The engine's own failures reach the operator like every other message,
    // and its preview asks for files through the program's own dialog.
    BandReport::setWarningHandler([](const QString& text) { Messages::warning(text); });
    BandReport::setSpreadsheetDialog(Arquivos::escolhePlanilha);
    setupConnections();
}

void TfTela_Impressora::setupConnections() {
    connect(BitBtn1, &QPushButton::clicked, this, &TfTela_Impressora::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TfTela_Impressora::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TfTela_Impressora::BitBtn3Click);
}

void TfTela_Impressora::produz(bool naTela) {
    for (const Chave& chave : chaves()) {
        if (Relatorio != chave.relatorio)
            continue;
        if (chave.legendas)
            chave.legendas();
        BandReport* relatorio = chave.componente();
        if (naTela)
            relatorio->Preview();
        else
            relatorio->Print();
    }
    close();
}

void TfTela_Impressora::BitBtn1Click() {
    produz(true);
}

void TfTela_Impressora::BitBtn2Click() {
    produz(false);
}

void TfTela_Impressora::BitBtn3Click() {
    close();
}
