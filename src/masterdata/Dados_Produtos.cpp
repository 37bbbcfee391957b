#include "masterdata/Dados_Produtos.h"

#include "data/DataModule_Conexao.h"
#include "data/DataModule_Produtos.h"
#include "entry/Funcoes.h"
#include "entry/NumericField.h"
#include "entry/Precos.h"
#include "entry/RegionalNumbers.h"
#include "masterdata/Busca_Grupos.h"
#include "masterdata/Manut_Produtos.h"
#include "shell/Cadastro.h"
#include "shell/Conventions.h"
#include "shell/Gravacao.h"
#include "shell/Messages.h"
#include "shell/Tela.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <stdexcept>

TfDados_Produtos* fDados_Produtos = nullptr;

namespace {

const ApresentacaoModos modos = {
    {QStringLiteral("Inclui"), QStringLiteral("Inclusão de Produtos"), QStringLiteral("Grava"),
     true, true},
    {QStringLiteral("Altera"), QStringLiteral("Alteração de Produtos"), QStringLiteral("Grava")},
    {QStringLiteral("Exclui"), QStringLiteral("Exclusão de Produtos"), QStringLiteral("Exclui")},
    {QStringLiteral("Consulta"), QStringLiteral("Consulta de Produtos"), std::nullopt, false},
};

// The empty texts: on show and "Limpa" the money fields keep three blanks
// after the symbol and the last purchase its date mask; after an insertion
// they are written as below.
const QString ZeroMoedaTela = QStringLiteral("R$   0,00");
const QString SemCompraTela = QStringLiteral("  /  /    ");
const QString ZeroMoeda = QStringLiteral("R$ 0,00");

const QString& modo() {
    return fManut_Produtos->Modo;
}

// The command query, closed and holding the statement given.
SqlQuery* comando(const QStringList& linhas) {
    SqlQuery* q = dmProdutos->SQLQ_Produtos;
    q->setStatement(linhas);
    return q;
}

// Every product write: the operator's input stays on screen when it fails,
// and the warning comes once the transaction is rolled back.
WriteSite site() {
    return {dmConexao->SQLC_QOR, dmProdutos->cds_Produtos, Messages::Kind::Warning,
            QStringLiteral("Deu Erro, tente novamente !"), true};
}

} // namespace

TfDados_Produtos::TfDados_Produtos(QWidget* parent) : QDialog(parent, TelaSemBotoes) {
    setObjectName(QStringLiteral("fDados_Produtos"));
    setWindowTitle(QStringLiteral("Inclusão de Produtos"));

    TelaDeDados tela(this);
    lbDados_Pro_Titulo = tela.titulo(QStringLiteral("lbDados_Pro_Titulo"));
    edPRO_Codigo = tela.campo(QStringLiteral("edPRO_Codigo"), QStringLiteral("Código:"), 10, 12);
    edPRO_Codigo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edPRO_Descricao =
        tela.campo(QStringLiteral("edPRO_Descricao"), QStringLiteral("Descrição:"), 50, 40);
    edPRO_CodGru = tela.campo(QStringLiteral("edPRO_CodGru"), QStringLiteral("Grupo:"), 6, 8);
    btnDados_Pro_Busca = BotaoBusca(this, QStringLiteral("btnDados_Pro_Busca"));
    tela.aoLado(btnDados_Pro_Busca);
    // The group's name sits beside its code; Tab passes it by.
    edPRO_NomeGru = SoLeitura(tela.campoAoLado(QStringLiteral("edPRO_NomeGru"), QString(), 50, 30));
    edPRO_Quant = SoLeitura(tela.campo(QStringLiteral("edPRO_Quant"),
                                       QStringLiteral("Quantidade em Estoque:"), 32767, 14));
    edPRO_Unid = tela.campoAoLado(QStringLiteral("edPRO_Unid"), QStringLiteral("Unidade:"), 3, 5);
    edPRO_Min = tela.campo(QStringLiteral("edPRO_Min"), QStringLiteral("Estoque Mínimo:"), 10, 12);
    edPRO_EMax =
        tela.campoAoLado(QStringLiteral("edPRO_EMax"), QStringLiteral("Estoque Máximo:"), 10, 12);
    edPRO_PCusto =
        tela.campo(QStringLiteral("edPRO_PCusto"), QStringLiteral("Preço de Custo:"), 14, 16);
    edPRO_Margem =
        tela.campoAoLado(QStringLiteral("edPRO_Margem"), QStringLiteral("Margem de Lucro:"), 8, 10);
    edPRO_PVenda =
        tela.campoAoLado(QStringLiteral("edPRO_PVenda"), QStringLiteral("Preço de Venda"), 14, 16);
    edPRO_Local = tela.campo(QStringLiteral("edPRO_Local"),
                             QStringLiteral("Localização no Estoque:"), 10, 12);
    edPRO_Refer = tela.campo(QStringLiteral("edPRO_Refer"), QStringLiteral("Referência:"), 20, 20);
    edPRO_CodBar = tela.campoAoLado(QStringLiteral("edPRO_CodBar"),
                                    QStringLiteral("Código de Barras"), 14, 16);
    dtpPro_DCad = new QDateEdit(this);
    dtpPro_DCad->setObjectName(QStringLiteral("dtpPro_DCad"));
    dtpPro_DCad->setCalendarPopup(true);
    dtpPro_DCad->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    tela.linha(QStringLiteral("Data do Cadastramento:"), dtpPro_DCad);
    edPRO_UComp = SoLeitura(tela.campoAoLado(QStringLiteral("edPRO_UComp"),
                                             QStringLiteral("Data da Última Compra:"), 10, 12));
    edPRO_Obs = tela.caixaTexto(QStringLiteral("edPRO_Obs"), QStringLiteral("Observações:"), 100);
    btnPRO_Salva = tela.botao(QStringLiteral("btnPRO_Salva"), QStringLiteral("Grava"));
    btnPRO_Limpa = tela.botao(QStringLiteral("btnPRO_Limpa"), QStringLiteral("Limpa"));
    btnPRO_Fecha = tela.botao(QStringLiteral("btnPRO_Fecha"), QStringLiteral("Fechar"));
    tela.conclui();

    // Amounts are limited in what the operator types, not in the display
    // text the screen writes back ("R$ 12.345.678,90" is longer than 14).
    LimitaDigitacao(edPRO_Min, 10);
    LimitaDigitacao(edPRO_EMax, 10);
    LimitaDigitacao(edPRO_PCusto, 14);
    LimitaDigitacao(edPRO_Margem, 8);
    LimitaDigitacao(edPRO_PVenda, 14);
    setupConnections();
}

void TfDados_Produtos::setupConnections() {
    onExit(edPRO_Codigo, [this] { edPRO_CodigoExit(); });
    onExit(edPRO_CodGru, [this] { edPRO_CodGruExit(); });
    onEnter(edPRO_NomeGru, [this] { edPRO_NomeGruEnter(); });
    AbreBuscaCom(edPRO_CodGru, btnDados_Pro_Busca, fBusca_Grupos, QStringLiteral("Dados_Produtos"));
    NumericField::attach(edPRO_Quant, NumericField::Quantity, NumericField::ColourOnly);
    AcoplaPrecos(edPRO_PCusto, edPRO_Margem, edPRO_PVenda, NumericField::Limited);
    NumericField::attach(edPRO_Min, NumericField::WholeNumber)->onExit([this] { edPRO_MinExit(); });
    NumericField::attach(edPRO_EMax, NumericField::WholeNumber)->onExit([this] {
        edPRO_EMaxExit();
    });
    connect(btnPRO_Salva, &QPushButton::clicked, this, &TfDados_Produtos::btnPRO_SalvaClick);
    connect(btnPRO_Limpa, &QPushButton::clicked, this, &TfDados_Produtos::btnPRO_LimpaClick);
    connect(btnPRO_Fecha, &QPushButton::clicked, this, &QDialog::close);
}

void TfDados_Produtos::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Messages::guarded([this] { FormShow(); });
}

void TfDados_Produtos::FormShow() {
    limpa(ZeroMoedaTela, SemCompraTela);
    ApresentaModo(modos, modo(), lbDados_Pro_Titulo, btnPRO_Salva, btnPRO_Limpa);
    if (modo() == QStringLiteral("Altera") || modo() == QStringLiteral("Exclui") ||
        modo() == QStringLiteral("Consulta"))
        carregaProduto();
}

void TfDados_Produtos::limpa(const QString& zeroMoeda, const QString& semCompra) {
    for (QLineEdit* campo : {edPRO_Codigo, edPRO_Descricao, edPRO_CodGru, edPRO_NomeGru, edPRO_Unid,
                             edPRO_Local, edPRO_Refer, edPRO_CodBar})
        campo->clear();
    edPRO_Obs->clear();
    edPRO_Quant->setText(QStringLiteral("0,000"));
    edPRO_PCusto->setText(zeroMoeda);
    edPRO_PVenda->setText(zeroMoeda);
    edPRO_Margem->setText(QStringLiteral("0,00%"));
    edPRO_Min->setText(QStringLiteral("0"));
    edPRO_EMax->setText(QStringLiteral("0"));
    dtpPro_DCad->setDate(QDate::currentDate());
    edPRO_UComp->setText(semCompra);
}

// The product of the browse grid's current row. When it is gone (deleted
// elsewhere, or the list is empty) the screen keeps its empty texts.
void TfDados_Produtos::carregaProduto() {
    SqlQuery* q = comando(
        {QStringLiteral("Select * From Produtos Where PRO_Codigo=:CodigoC order By PRO_Codigo")});
    q->ParamByName(QStringLiteral("CodigoC"))
        .setAsString(dmProdutos->cds_Produtos->FieldText(QStringLiteral("PRO_CODIGO")));
    q->Open();
    if (q->IsEmpty()) {
        q->Close();
        return;
    }
    const auto numero = [q](const char* coluna) {
        return q->result().value(0, QString::fromLatin1(coluna)).toDouble();
    };
    edPRO_Codigo->setText(q->FieldText(QStringLiteral("PRO_CODIGO")));
    edPRO_Descricao->setText(q->FieldText(QStringLiteral("PRO_DESCRICAO")));
    edPRO_Unid->setText(q->FieldText(QStringLiteral("PRO_UNID")));
    edPRO_CodGru->setText(q->FieldText(QStringLiteral("PRO_CODGRU")));
    edPRO_Local->setText(q->FieldText(QStringLiteral("PRO_LOCAL")));
    edPRO_Obs->setPlainText(q->FieldText(QStringLiteral("PRO_OBS")));
    edPRO_Refer->setText(q->FieldText(QStringLiteral("PRO_REFER")));
    edPRO_CodBar->setText(q->FieldText(QStringLiteral("PRO_CODBAR")));
    edPRO_Min->setText(NumericField::displayText(NumericField::WholeNumber, numero("PRO_MIN")));
    edPRO_EMax->setText(NumericField::displayText(NumericField::WholeNumber, numero("PRO_EMAX")));
    edPRO_Margem->setText(
        NumericField::displayText(NumericField::Percentage, numero("PRO_MARGEM")));
    edPRO_PCusto->setText(NumericField::displayText(NumericField::Money, numero("PRO_PCUSTO")));
    edPRO_PVenda->setText(NumericField::displayText(NumericField::Money, numero("PRO_PVENDA")));
    const QDate cadastro = q->result().value(0, QStringLiteral("PRO_DCAD")).toDate();
    if (cadastro.isValid())
        dtpPro_DCad->setDate(cadastro);
    const QString compra = q->FieldText(QStringLiteral("PRO_UCOMP"));
    edPRO_UComp->setText(compra.isEmpty() ? SemCompraTela : compra);
    edPRO_Quant->setText(NumericField::displayText(NumericField::Quantity, numero("PRO_QUANT")));
    q->Close();

    q = comando({QStringLiteral("Select GRU_Descricao From Grupos Where GRU_Codigo=:CodigoC")});
    q->ParamByName(QStringLiteral("CodigoC")).setAsString(edPRO_CodGru->text());
    q->Open();
    edPRO_NomeGru->setText(q->FieldText(QStringLiteral("GRU_DESCRICAO")));
    q->Close();
}

void TfDados_Produtos::edPRO_CodigoExit() {
    if (modo() != QStringLiteral("Inclui") || edPRO_Codigo->text().trimmed().isEmpty())
        return;
    edPRO_Codigo->setText(CompletaCodigoProduto(edPRO_Codigo->text()));
    SqlQuery* q =
        comando({QStringLiteral("Select PRO_Codigo From Produtos Where PRO_Codigo=:CodigoC")});
    q->ParamByName(QStringLiteral("CodigoC")).setAsString(edPRO_Codigo->text());
    q->Open();
    const bool existe = !q->IsEmpty();
    q->Close();
    if (existe) {
        Messages::warning(QStringLiteral("Código já Cadastrado, tente outro !"));
        edPRO_Codigo->clear();
        edPRO_Codigo->setFocus();
    }
}

void TfDados_Produtos::edPRO_CodGruExit() {
    LeCodigo(dmProdutos->SQLQ_Produtos, LeituraGrupo, edPRO_CodGru, edPRO_NomeGru);
}

void TfDados_Produtos::edPRO_NomeGruEnter() {
    btnDados_Pro_Busca->setFocus();
}

// The stock limits: a text that does not read as a number is reported, not
// silently refused, and the focus moves on.
void TfDados_Produtos::edPRO_MinExit() {
    Messages::guarded([this] {
        const double minimo = fieldValue(edPRO_Min->text());
        const double maximo = fieldValue(edPRO_EMax->text());
        if (maximo != 0 && minimo > maximo) {
            Messages::warning(
                QStringLiteral("Estoque Mínimo tem que ser menor que Estoque Máximo"));
            edPRO_Min->setText(QStringLiteral("0"));
        }
    });
}

void TfDados_Produtos::edPRO_EMaxExit() {
    Messages::guarded([this] {
        if (fieldValue(edPRO_Min->text()) > fieldValue(edPRO_EMax->text())) {
            Messages::warning(
                QStringLiteral("Estoque Máximo tem que ser Maior ou Igual ao Estoque Mínimo"));
            edPRO_EMax->setText(edPRO_Min->text());
        }
    });
}

void TfDados_Produtos::btnPRO_SalvaClick() {
    const bool excluindo = modo() == QStringLiteral("Exclui");
    if (excluindo) {
        SqlQuery* q =
            comando({QStringLiteral("Select MOV_CodPro From Mov_Estq Where MOV_CodPro=:CodigoC")});
        q->ParamByName(QStringLiteral("CodigoC")).setAsString(edPRO_Codigo->text());
        q->Open();
        const bool movimentado = !q->IsEmpty();
        q->Close();
        if (movimentado) {
            Messages::warning(QStringLiteral("Produto não pode ser excluído"));
            return;
        }
    }
    if (!LimpaNumerosParaGravar({edPRO_Margem, edPRO_PCusto, edPRO_PVenda, edPRO_Min, edPRO_EMax}))
        return;
    if (fieldValue(edPRO_Min->text()) > fieldValue(edPRO_EMax->text())) {
        Messages::warning(
            QStringLiteral("Estoque Mínimo DEVE ser menor ou igual ao Estoque Máximo"));
        edPRO_Min->setFocus();
        return;
    }
    if (camposPreenchidos()) {
        if (modo() == QStringLiteral("Inclui"))
            inclui();
        else if (modo() == QStringLiteral("Altera"))
            altera();
    }
    // A deletion goes ahead whatever the required fields said.
    if (excluindo)
        exclui();
}

bool TfDados_Produtos::camposPreenchidos() {
    const struct {
        QLineEdit* campo;
        const char* mensagem;
    } exigidos[] = {
        {edPRO_CodGru, "O Campo do Código do Grupo deve ser Preenchido !"},
        {edPRO_Descricao, "O Campo da Descrição do Produto ser Preenchido !"},
        {edPRO_Codigo, "O Campo do Código do Produto ser Preenchido !"},
    };
    for (const auto& exigido : exigidos) {
        if (exigido.campo->text().trimmed().isEmpty()) {
            Messages::information(QString::fromUtf8(exigido.mensagem));
            exigido.campo->setFocus();
            return false;
        }
    }
    return true;
}

// The parameters insert and update share; the amounts are the numbers the
// cleaned texts give, so what is stored is what the screen showed.
void TfDados_Produtos::passaCampos(SqlQuery* q) {
    q->ParamByName(QStringLiteral("CodigoC")).setAsString(edPRO_Codigo->text());
    q->ParamByName(QStringLiteral("DescricaoC")).setAsString(edPRO_Descricao->text());
    q->ParamByName(QStringLiteral("UnidC")).setAsString(edPRO_Unid->text());
    q->ParamByName(QStringLiteral("CodGRUC")).setAsString(edPRO_CodGru->text());
    q->ParamByName(QStringLiteral("LocalC")).setAsString(edPRO_Local->text());
    q->ParamByName(QStringLiteral("MinC")).setAsFloat(fieldValue(edPRO_Min->text()));
    q->ParamByName(QStringLiteral("MargemC")).setAsFloat(fieldValue(edPRO_Margem->text()));
    q->ParamByName(QStringLiteral("PCustoC")).setAsFloat(fieldValue(edPRO_PCusto->text()));
    q->ParamByName(QStringLiteral("PVendaC")).setAsFloat(fieldValue(edPRO_PVenda->text()));
    q->ParamByName(QStringLiteral("DCadC")).setAsDate(dtpPro_DCad->date());
    q->ParamByName(QStringLiteral("ObsC")).setAsString(edPRO_Obs->toPlainText());
    q->ParamByName(QStringLiteral("ReferC")).setAsString(edPRO_Refer->text());
    q->ParamByName(QStringLiteral("CodBarC")).setAsString(edPRO_CodBar->text());
    q->ParamByName(QStringLiteral("EMaxC")).setAsFloat(fieldValue(edPRO_EMax->text()));
}

void TfDados_Produtos::inclui() {
    edPRO_Codigo->setText(CompletaCodigoProduto(edPRO_Codigo->text()));
    Grava(
        site(),
        [this] {
            SqlQuery* q = comando(InsereProduto);
            passaCampos(q);
            q->ParamByName(QStringLiteral("QuantC")).setAsFloat(0);
            q->ExecSQL();
        },
        [this] {
            limpa(ZeroMoeda, QString());
            edPRO_Codigo->setFocus();
        });
}

void TfDados_Produtos::altera() {
    Grava(
        site(),
        [this] {
            SqlQuery* q = comando(
                {QStringLiteral("Update Produtos SET PRO_Descricao=:DescricaoC,PRO_Unid=:UnidC,"),
                 QStringLiteral("PRO_CodGRU=:CodGRUC,PRO_Local=:LocalC,"),
                 QStringLiteral(
                     "PRO_Min=:MinC,PRO_Margem=:MargemC,PRO_PCusto=:PCustoC,PRO_PVenda=:PVendaC,"),
                 QStringLiteral("PRO_DCad=:DCadC,PRO_Obs=:ObsC,PRO_Refer=:ReferC,PRO_CodBar=:"
                                "CodBarC,PRO_EMax=:EMaxC"),
                 QStringLiteral("Where PRO_Codigo=:CodigoC")});
            passaCampos(q);
            // A code that names no product (typed over, or the product
            // deleted elsewhere) would drop the operator's changes in silence.
            if (q->ExecSQL() == 0)
                throw std::runtime_error("no product with this code");
        },
        [this] { close(); });
}

void TfDados_Produtos::exclui() {
    Grava(
        site(),
        [this] {
            SqlQuery* q = comando({QStringLiteral("Delete FROM Produtos"),
                                   QStringLiteral("Where PRO_Codigo=:CodigoC")});
            q->ParamByName(QStringLiteral("CodigoC")).setAsString(edPRO_Codigo->text());
            q->ExecSQL();
        },
        [this] { close(); });
}

void TfDados_Produtos::btnPRO_LimpaClick() {
    limpa(ZeroMoedaTela, SemCompraTela);
}
