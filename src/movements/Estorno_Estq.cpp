#include "movements/Estorno_Estq.h"

#include "data/SqlQuery.h"
#include "entry/Funcoes.h"
#include "entry/NumericField.h"
#include "entry/RegionalNumbers.h"
#include "masterdata/Busca_Produtos.h"
#include "movements/Movimentacao.h"
#include "movements/TelaMovimento.h"
#include "shell/Cadastro.h"
#include "shell/Gravacao.h"
#include "shell/Messages.h"
#include "shell/Sessao.h"
#include "shell/Tela.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TfEstorno_Estq* fEstorno_Estq = nullptr;

namespace {

bool estornoDeSaida() {
    return sessao().Opcao == Operacao::EstornoSaida;
}

} // namespace

TfEstorno_Estq::TfEstorno_Estq(QWidget* parent) : QDialog(parent, TelaSemBotoes) {
    setObjectName(QStringLiteral("fEstorno_Estq"));
    setWindowTitle(QStringLiteral("Estorno de Entrada"));

    TelaDeDados tela(this);
    lEstorno_Titulo = tela.titulo(QStringLiteral("lEstorno_Titulo"));
    const CamposProduto produto =
        CriaCamposProduto(tela, this,
                          {"edEST_CodPro", "edEst_DescPro", "btnEST_BuscaPro", "edEST_CodBar",
                           "edEst_Unid", "edEst_QuantAtual", "Quantidade Atual no Estoque:"});
    edEST_CodPro = produto.codigo;
    edEst_DescPro = produto.descricao;
    btnEST_BuscaPro = produto.busca;
    edEST_CodBar = produto.codBar;
    edEst_Unid = produto.unidade;
    edEst_QuantAtual = SoLeitura(produto.quantAtual);
    dtpEst_Data = CampoData(tela, this, QStringLiteral("dtpEst_Data"));
    EdEst_Quant =
        tela.campo(QStringLiteral("EdEst_Quant"), QStringLiteral("Quantidade:"), 32767, 14);
    edEst_Preco =
        tela.campo(QStringLiteral("edEst_Preco"), QStringLiteral("Preço de Custo"), 32767, 16);
    lEst_Preco = tela.ultimoRotulo();
    lEst_Preco->setObjectName(QStringLiteral("lEst_Preco"));
    edEst_Doc = tela.campo(QStringLiteral("edEst_Doc"), QStringLiteral("Documento:"), 32767, 20);
    btnEst_Grava = tela.botao(QStringLiteral("btnEst_Grava"), QStringLiteral("Grava"));
    btnEst_Limpa = tela.botao(QStringLiteral("btnEst_Limpa"), QStringLiteral("Limpa"));
    btnEst_Fecha = tela.botao(QStringLiteral("btnEst_Fecha"), QStringLiteral("Fechar"));
    tela.conclui();
    OrdemTab({edEst_DescPro, btnEST_BuscaPro, edEST_CodBar, edEst_Unid, dtpEst_Data, EdEst_Quant,
              edEst_Preco, edEst_Doc, btnEst_Grava, btnEst_Limpa, btnEst_Fecha, edEST_CodPro});
    setupConnections(produto);
}

void TfEstorno_Estq::setupConnections(const CamposProduto& produto) {
    LeituraProduto regras;
    regras.apagaAusente = true;
    regras.preco = edEst_Preco;
    regras.colunaPreco = [] {
        return estornoDeSaida() ? QStringLiteral("PRO_PVENDA") : QStringLiteral("PRO_PCUSTO");
    };
    InstalaLeituraProduto(produto, regras);
    AbreBuscaCom(edEST_CodPro, btnEST_BuscaPro, fBusca_Produtos, QStringLiteral("Estorno Estoque"));
    NumericField::attach(edEst_QuantAtual, NumericField::Quantity);
    NumericField::attach(EdEst_Quant, NumericField::Quantity);
    NumericField::attach(edEst_Preco, NumericField::Money);
    connect(btnEst_Grava, &QPushButton::clicked, this, &TfEstorno_Estq::btnEst_GravaClick);
    connect(btnEst_Limpa, &QPushButton::clicked, this, &TfEstorno_Estq::limpa);
    connect(btnEst_Fecha, &QPushButton::clicked, this, &QDialog::close);
}

void TfEstorno_Estq::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    const QString titulo = estornoDeSaida() ? QStringLiteral("Estorno de Saída")
                                            : QStringLiteral("Estorno de Entrada");
    setWindowTitle(titulo);
    lEstorno_Titulo->setText(titulo);
    lEst_Preco->setText(estornoDeSaida() ? QStringLiteral("Preço de Venda")
                                         : QStringLiteral("Preço de Custo"));
    limpa();
}

void TfEstorno_Estq::limpa() {
    for (QLineEdit* campo : {edEST_CodPro, edEst_DescPro, edEST_CodBar, edEst_Unid, edEst_Doc})
        campo->clear();
    edEst_QuantAtual->setText(QStringLiteral("0,000"));
    dtpEst_Data->setDate(QDate::currentDate());
    EdEst_Quant->setText(QStringLiteral("0,000"));
    edEst_Preco->setText(QStringLiteral("R$ 0,00"));
    edEST_CodPro->setFocus();
}

void TfEstorno_Estq::btnEst_GravaClick() {
    if (!LimpaNumerosParaGravar({EdEst_Quant, edEst_Preco}, EdEst_Quant))
        return;
    const double quantidade = toNumber(EdEst_Quant->text());
    const double valor = quantidade * toNumber(edEst_Preco->text());
    // Every reversal names a stored product.
    if (!ConfereProduto(edEST_CodPro))
        return;
    const Movimento movimento{edEST_CodPro->text(),
                              estornoDeSaida() ? Operacao::EstornoSaida : Operacao::EstornoEntrada,
                              dtpEst_Data->date(),
                              valor,
                              quantidade,
                              edEst_Doc->text(),
                              {}};
    if (GravaMovimento(BaseMovimentos::programa(), movimento,
                       QStringLiteral("Não consegui Gravar, tente novamente !")))
        limpa();
}
