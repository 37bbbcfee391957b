#include "utilities/Empresa.h"

#include "data/DataModule_Config.h"
#include "data/DataModule_Empresa.h"
#include "shell/Conventions.h"
#include "shell/Gravacao.h"
#include "shell/Messages.h"
#include "shell/Sessao.h"
#include "shell/Tela.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfEmpresa* fEmpresa = nullptr;

TfEmpresa::TfEmpresa(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("fEmpresa"));
    setWindowTitle(QStringLiteral("Dados da Empresa"));

    auto* titulo = new QLabel(QStringLiteral("Dados da Empresa"), this);
    QFont fonte = titulo->font();
    fonte.setPointSize(fonte.pointSize() + 4);
    fonte.setBold(true);
    titulo->setFont(fonte);

    Grava = new QPushButton(QStringLiteral("Grava"), this);
    Grava->setObjectName(QStringLiteral("Grava"));
    Fechar = new QPushButton(QStringLiteral("Fechar"), this);
    Fechar->setObjectName(QStringLiteral("Fechar"));
    for (QPushButton* botao : {Grava, Fechar})
        botao->setAutoDefault(false);

    auto* grade = new QGridLayout;
    int linha = 0;
    auto campo = [this, grade, &linha](const QString& nome, const QString& legenda, int maximo) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(nome);
        edit->setMaxLength(maximo);
        auto* rotulo = new QLabel(legenda, this);
        NomeiaPeloRotulo(rotulo, edit);
        grade->addWidget(rotulo, linha, 0, Qt::AlignRight);
        grade->addWidget(edit, linha++, 1);
        return edit;
    };
    edEMP_Nome = campo(QStringLiteral("edEMP_Nome"), QStringLiteral("Nome Fantasia/Nome:"), 80);
    edEMP_Insc = campo(QStringLiteral("edEMP_Insc"), QStringLiteral("I.Estadual/R.G.:"), 18);
    edEMP_Ender = campo(QStringLiteral("edEMP_Ender"), QStringLiteral("Endereço:"), 50);
    edEMP_Bairro = campo(QStringLiteral("edEMP_Bairro"), QStringLiteral("Bairro:"), 30);
    edEMP_Cidade = campo(QStringLiteral("edEMP_Cidade"), QStringLiteral("Cidade:"), 29);
    edEMP_UF = campo(QStringLiteral("edEMP_UF"), QStringLiteral("UF:"), 4);
    edEMP_Fone = campo(QStringLiteral("edEMP_Fone"), QStringLiteral("Telefone:"), 15);
    edEMP_FAX = campo(QStringLiteral("edEMP_FAX"), QStringLiteral("FAX:"), 15);
    edEMP_HomeP = campo(QStringLiteral("edEMP_HomeP"), QStringLiteral("Home Page:"), 80);
    edEMP_Email = campo(QStringLiteral("edEMP_Email"), QStringLiteral("Email:"), 80);
    edEMP_Obs = new QPlainTextEdit(this);
    edEMP_Obs->setObjectName(QStringLiteral("edEMP_Obs"));
    edEMP_Obs->setTabChangesFocus(true);
    edEMP_Obs->setFixedHeight(80);
    LimitaTexto(edEMP_Obs, 200);
    auto* rotuloObs = new QLabel(QStringLiteral("Observações:"), this);
    NomeiaPeloRotulo(rotuloObs, edEMP_Obs);
    grade->addWidget(rotuloObs, linha, 0, Qt::AlignRight | Qt::AlignTop);
    grade->addWidget(edEMP_Obs, linha, 1);

    // The name is where the screen opens; Tab passes it by.
    edEMP_Nome->setFocusPolicy(Qt::ClickFocus);
    QWidget* ordem[] = {Grava,        Fechar,       edEMP_Nome, edEMP_Insc, edEMP_Ender,
                        edEMP_Bairro, edEMP_Cidade, edEMP_UF,   edEMP_Fone, edEMP_FAX,
                        edEMP_HomeP,  edEMP_Email,  edEMP_Obs};
    for (std::size_t i = 0; i + 1 < std::size(ordem); ++i)
        setTabOrder(ordem[i], ordem[i + 1]);
    for (std::size_t i = 3; i < std::size(ordem); ++i)
        followFocusColour(ordem[i]);

    auto* botoes = new QHBoxLayout;
    botoes->addWidget(Grava);
    botoes->addWidget(Fechar);
    botoes->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titulo, 0, Qt::AlignHCenter);
    layout->addLayout(botoes);
    layout->addLayout(grade);
    setFixedSize(sizeHint().expandedTo(QSize(560, 0)));

    enterMovesOn(this);
    setupConnections();
}

void TfEmpresa::setupConnections() {
    connect(Grava, &QPushButton::clicked, this, &TfEmpresa::GravaClick);
    connect(Fechar, &QPushButton::clicked, this, &QDialog::close);
}

void TfEmpresa::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Messages::guarded([this] { FormShow(); });
    edEMP_Nome->setFocus();
}

void TfEmpresa::FormShow() {
    SqlQuery* q = dmEmpresa->SQLQ_Empresa;
    q->setStatement({QStringLiteral("Select * From EMPRESA")});
    q->Open();
    edEMP_Nome->setText(q->FieldText(QStringLiteral("EMP_Nome")));
    edEMP_Insc->setText(q->FieldText(QStringLiteral("EMP_Insc")));
    edEMP_Ender->setText(q->FieldText(QStringLiteral("EMP_Ender")));
    edEMP_Bairro->setText(q->FieldText(QStringLiteral("EMP_Bairro")));
    edEMP_Cidade->setText(q->FieldText(QStringLiteral("EMP_Cidade")));
    edEMP_UF->setText(q->FieldText(QStringLiteral("EMP_UF")));
    edEMP_Fone->setText(q->FieldText(QStringLiteral("EMP_Fone")));
    edEMP_Email->setText(q->FieldText(QStringLiteral("EMP_Email")));
    edEMP_HomeP->setText(q->FieldText(QStringLiteral("EMP_HomeP")));
    edEMP_FAX->setText(q->FieldText(QStringLiteral("EMP_Fax")));
    edEMP_Obs->setPlainText(q->FieldText(QStringLiteral("EMP_Obs")));
    q->Close();
}

void TfEmpresa::GravaClick() {
    SqlQuery* q = dmEmpresa->SQLQ_Empresa;
    const WriteSite site{dmConfig->SQLC_Config, nullptr, Messages::Kind::Information,
                         QStringLiteral("Ocorreu um Erro, tente novamente !"), true};
    ::Grava(
        site,
        [this, q] {
            q->setStatement(
                {QStringLiteral("Update Empresa SET EMP_Nome=:NomeC, EMP_INSC=:InscC,"),
                 QStringLiteral("EMP_Ender=:EnderC, EMP_Bairro=:BairroC,EMP_Cidade=:CidadeC,"),
                 QStringLiteral(
                     "EMP_UF=:UFC, EMP_Fone=:FoneC, EMP_Email=:EmailC,EMP_HomeP=:HomePC,"),
                 QStringLiteral("EMP_FAX=:FAXC, EMP_OBS=:OBSC Where EMP_Codigo=:CodigoC")});
            q->ParamByName(QStringLiteral("NomeC")).setAsString(edEMP_Nome->text());
            q->ParamByName(QStringLiteral("InscC")).setAsString(edEMP_Insc->text());
            q->ParamByName(QStringLiteral("EnderC")).setAsString(edEMP_Ender->text());
            q->ParamByName(QStringLiteral("BairroC")).setAsString(edEMP_Bairro->text());
            q->ParamByName(QStringLiteral("CidadeC")).setAsString(edEMP_Cidade->text());
            q->ParamByName(QStringLiteral("UFC")).setAsString(edEMP_UF->text());
            q->ParamByName(QStringLiteral("FoneC")).setAsString(edEMP_Fone->text());
            q->ParamByName(QStringLiteral("EmailC")).setAsString(edEMP_Email->text());
            q->ParamByName(QStringLiteral("HomePC")).setAsString(edEMP_HomeP->text());
            q->ParamByName(QStringLiteral("FAXC")).setAsString(edEMP_FAX->text());
            q->ParamByName(QStringLiteral("OBSC")).setAsString(edEMP_Obs->toPlainText());
            q->ParamByName(QStringLiteral("CodigoC")).setAsString(QStringLiteral("001"));
            q->ExecSQL();
        },
        [this] {
            Messages::information(QStringLiteral("Dados Gravados com Sucesso !"));
            if (sessao().mostraEmpresa)
                sessao().mostraEmpresa(edEMP_Nome->text(), edEMP_Ender->text(), edEMP_Fone->text(),
                                       edEMP_Email->text(), edEMP_HomeP->text());
        });
}
