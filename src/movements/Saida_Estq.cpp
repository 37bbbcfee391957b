#include "movements/Saida_Estq.h"

#include "data/DataModule_Tipos.h"
#include "data/SqlQuery.h"
#include "entry/Funcoes.h"
#include "entry/NumericField.h"
#include "entry/RegionalNumbers.h"
#include "masterdata/Busca_Produtos.h"
#include "masterdata/Busca_Tipos.h"
#include "movements/Movimentacao.h"
#include "movements/TelaMovimento.h"
#include "shell/Cadastro.h"
#include "shell/Conventions.h"
#include "shell/Gravacao.h"
#include "shell/Messages.h"
#include "shell/Tela.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TfSaida_Estq* fSaida_Estq = nullptr;

namespace {

// Without a stored type the operator reads this screen's own wording and
// the code is emptied for another.
const LeituraCodigo leituraTipo{LeituraTipo.sql, LeituraTipo.colunaCodigo,
                                LeituraTipo.colunaDescricao,
                                QStringLiteral("Tipo de Saída não Encontrada !"), true};

} // namespace

TfSaida_Estq::TfSaida_Estq(QWidget* parent) : QDialog(parent, TelaSemBotoes) {
    setObjectName(QStringLiteral("fSaida_Estq"));
    setWindowTitle(QStringLiteral("Saída do Estoque"));

    TelaDeDados tela(this);
    lbSaida_Titulo = tela.titulo(QStringLiteral("lbSaida_Titulo"));
    lbSaida_Titulo->setText(QStringLiteral("Saída do Estoque"));
    const CamposProduto produto = CriaCamposProduto(
        tela, this,
        {"edSaida_CodPro", "edSaida_DescPro", "btnSaida_Estoque_BuscaPRO", "edSaida_CodBar",
         "edSaida_Unid", "edSaida_QuantAtual", "Quantidade Atual no Estoque:"});
    edSaida_CodPro = produto.codigo;
    edSaida_DescPro = produto.descricao;
    btnSaida_Estoque_BuscaPRO = produto.busca;
    edSaida_CodBar = produto.codBar;
    edSaida_Unid = produto.unidade;
    edSaida_QuantAtual = SoLeitura(produto.quantAtual);
    dtpSaida_Data = CampoData(tela, this, QStringLiteral("dtpSaida_Data"));
    edSaida_CodTipo =
        tela.campo(QStringLiteral("edSaida_CodTipo"), QStringLiteral("Tipo da Saída:"), 6, 8);
    edSaida_DescTipo =
        SoLeitura(tela.campoAoLado(QStringLiteral("edSaida_DescTipo"), QString(), 32767, 30));
    btnSaida_Estoque_BuscaTipo = BotaoBusca(this, QStringLiteral("btnSaida_Estoque_BuscaTipo"));
    btnSaida_Estoque_BuscaTipo->setFixedWidth(btnSaida_Estoque_BuscaPRO->width());
    tela.aoLado(btnSaida_Estoque_BuscaTipo);
    EdSaida_Quant =
        tela.campo(QStringLiteral("EdSaida_Quant"), QStringLiteral("Quantidade:"), 32767, 14);
    edSaida_PVenda =
        tela.campo(QStringLiteral("edSaida_PVenda"), QStringLiteral("Preço de Venda:"), 32767, 16);
    edSaida_Doc =
        tela.campo(QStringLiteral("edSaida_Doc"), QStringLiteral("Documento:"), 32767, 20);
    btnSaida_Estq_Grava =
        tela.botao(QStringLiteral("btnSaida_Estq_Grava"), QStringLiteral("Grava"));
    btnSaida_Estq_Limpa =
        tela.botao(QStringLiteral("btnSaida_Estq_Limpa"), QStringLiteral("Limpa"));
    btnSaida_Estq_Fecha =
        tela.botao(QStringLiteral("btnSaida_Estq_Fecha"), QStringLiteral("Fechar"));
    tela.conclui();
    OrdemTab({edSaida_CodPro, edSaida_DescPro, btnSaida_Estoque_BuscaPRO, edSaida_CodBar,
              edSaida_Unid, dtpSaida_Data, edSaida_CodTipo, btnSaida_Estoque_BuscaTipo,
              EdSaida_Quant, edSaida_PVenda, edSaida_Doc, btnSaida_Estq_Grava, btnSaida_Estq_Limpa,
              btnSaida_Estq_Fecha});
    setupConnections(produto);
}

void TfSaida_Estq::setupConnections(const CamposProduto& produto) {
    LeituraProduto regras;
    regras.aparaAoEntrar = false;
    regras.preco = edSaida_PVenda;
    regras.colunaPreco = [] { return QStringLiteral("PRO_PVENDA"); };
    InstalaLeituraProduto(produto, regras);
    AbreBuscaCom(edSaida_CodPro, btnSaida_Estoque_BuscaPRO, fBusca_Produtos,
                 QStringLiteral("Saída Estoque"));
    AbreBuscaCom(edSaida_CodTipo, btnSaida_Estoque_BuscaTipo, fBusca_Tipos,
                 QStringLiteral("Saida"));
    onExit(edSaida_CodTipo, [this] { edSaida_CodTipoExit(); });
    NumericField::attach(edSaida_QuantAtual, NumericField::Quantity);
    NumericField::attach(EdSaida_Quant, NumericField::Quantity);
    NumericField::attach(edSaida_PVenda, NumericField::Money);
    connect(btnSaida_Estq_Grava, &QPushButton::clicked, this,
            &TfSaida_Estq::btnSaida_Estq_GravaClick);
    connect(btnSaida_Estq_Limpa, &QPushButton::clicked, this, &TfSaida_Estq::limpa);
    connect(btnSaida_Estq_Fecha, &QPushButton::clicked, this, &QDialog::close);
}

void TfSaida_Estq::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    limpa();
}

void TfSaida_Estq::limpa() {
    for (QLineEdit* campo : {edSaida_CodPro, edSaida_DescPro, edSaida_CodBar, edSaida_Unid,
                             edSaida_CodTipo, edSaida_DescTipo, edSaida_Doc})
        campo->clear();
    edSaida_QuantAtual->setText(QStringLiteral("0,000"));
    dtpSaida_Data->setDate(QDate::currentDate());
    EdSaida_Quant->setText(QStringLiteral("0,000"));
    edSaida_PVenda->setText(QStringLiteral("R$ 0,00"));
    edSaida_CodPro->setFocus();
}

void TfSaida_Estq::edSaida_CodTipoExit() {
    LeCodigo(dmTipos->SQLQ_Tipos, leituraTipo, edSaida_CodTipo, edSaida_DescTipo);
}

void TfSaida_Estq::btnSaida_Estq_GravaClick() {
    if (!LimpaNumerosParaGravar({EdSaida_Quant, edSaida_PVenda}, EdSaida_Quant))
        return;
    const double quantidade = toNumber(EdSaida_Quant->text());
    const double valor = quantidade * toNumber(edSaida_PVenda->text());
    if (quantidade > fieldValue(edSaida_QuantAtual->text())) {
        Messages::error(MensagemQuantidadeSaida);
        return;
    }
    // Every exit names a stored product and a stored type.
    if (!ConfereProduto(edSaida_CodPro) ||
        !ConfereCodigo(dmTipos->SQLQ_Tipos, leituraTipo, edSaida_CodTipo, edSaida_DescTipo))
        return;
    const Movimento movimento{
        edSaida_CodPro->text(), Operacao::Saida,        dtpSaida_Data->date(), valor, quantidade,
        edSaida_Doc->text(),    edSaida_CodTipo->text()};
    if (GravaMovimento(BaseMovimentos::programa(), movimento,
                       QStringLiteral("Não consegui Gravar, Tente novamente !")))
        limpa();
}
