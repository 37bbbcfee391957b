#include "app/Pricipal.h"

#include "data/DataModule_Conexao.h"
#include "data/DataModule_Config.h"
#include "data/DataModule_Configuracoes.h"
#include "data/DataModule_Empresa.h"
#include "data/DataModule_Versao.h"
#include "masterdata/Manut_Grupos.h"
#include "masterdata/Manut_Produtos.h"
#include "masterdata/Manut_Tipos.h"
#include "movements/Balanco.h"
#include "movements/Consulta_MovEstq.h"
#include "movements/Entrada_Estq.h"
#include "movements/Estorno_Estq.h"
#include "movements/ManutMovEstq.h"
#include "movements/Saida_Estq.h"
#include "reports/Busca_Rel_Grupo.h"
#include "reports/CargaRelatorio.h"
#include "reports/Data_Estoque.h"
#include "reports/Datas.h"
#include "reports/Datas_Grupo.h"
#include "reports/Datas_Margem.h"
#include "reports/Datas_Produto.h"
#include "reports/Datas_Tipo.h"
#include "reports/Rel_Conferencia_Estoque.h"
#include "reports/Tela_Impressora.h"
#include "shell/Contato.h"
#include "shell/Gravacao.h"
#include "shell/Messages.h"
#include "users/Config_Login.h"
#include "users/Manut_Usuarios.h"
#include "utilities/Backup.h"
#include "utilities/Empresa.h"
#include "utilities/Importa_Produtos.h"
#include "utilities/Restaura_Backup.h"
#include "utilities/Sobre.h"

#include <QDialog>
#include <QFormLayout>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QVBoxLayout>

TfPrincipal* fPrincipal = nullptr;

namespace {

// Shows a screen modally when its module is part of the program.
template <typename Screen> std::function<void()> abre(Screen*& screen) {
    return [&screen] {
        if (screen)
            screen->exec();
    };
}

struct Comando {
    QStringList caminho;
    std::function<void()> executa; // empty while the command's screen does not exist
};

// The menu, in order. A command whose screen is not part of the program yet
// stays in the menu and does nothing.
std::vector<Comando> comandos() {
    auto opcao = [](const char* valor, auto*& screen) {
        return [valor, abreTela = abre(screen)] {
            fPrincipal->Opcao = QString::fromLatin1(valor);
            abreTela();
        };
    };
    // A product list goes straight to the output chooser.
    auto lista = [](const QString& sql, const char* relatorio) {
        return [sql, relatorio] {
            if (!fTela_Impressora)
                return;
            Messages::guarded([&] {
                CarregaProdutos(sql, {});
                EscolheSaida(QString::fromUtf8(relatorio));
            });
        };
    };
    // A report dialog learns which report it asks for.
    auto dialogo = [](auto*& screen, const char* relatorio) {
        return [&screen, relatorio] {
            if (!screen)
                return;
            screen->Relatorio = QString::fromUtf8(relatorio);
            screen->exec();
        };
    };
    // The products the movements do not explain, straight to the chooser.
    auto conferencia = [] {
        if (!fRel_Conferencia_Estoque)
            return;
        Messages::guarded([] {
            fRel_Conferencia_Estoque->carrega();
            EscolheSaida(QStringLiteral("Conferencia Estoque"));
        });
    };
    const QString cad = QStringLiteral("Cadastros");
    const QString mov = QStringLiteral("Movimentação no Estoque");
    const QString rel = QStringLiteral("Relatórios");
    const QString precos = QStringLiteral("Listas de Preços");
    const QString itens = QStringLiteral("Listas de Itens no Estoque");
    const QString relMov = QStringLiteral("Movimentação de Estoque");
    const QString util = QStringLiteral("Utilitários");
    const QString usu = QStringLiteral("Usuários");
    return {
        {{cad, QStringLiteral("Grupos de Produtos")}, abre(fManut_Grupos)},
        {{cad, QStringLiteral("Produtos")}, abre(fManut_Produtos)},
        {{cad, QStringLiteral("Tipo de Saídas")}, abre(fManut_Tipos)},
        {{mov, QStringLiteral("Entrada no Estoque")}, abre(fEntrada_Estq)},
        {{mov, QStringLiteral("Saída no Estoque")}, abre(fSaida_Estq)},
        {{mov, QStringLiteral("Estorno de Entrada")}, opcao("TE", fEstorno_Estq)},
        {{mov, QStringLiteral("Estorno de Saída")}, opcao("TS", fEstorno_Estq)},
        {{mov, QStringLiteral("Consultas")}, abre(fConsulta_MovEstq)},
        {{mov, QStringLiteral("Balanço")}, abre(fBalanco)},
        {{rel, precos, QStringLiteral("Lista de Preços (Ordenado por Descrição)")},
         lista(ProdutosPorDescricao, "Lista Preco Descricao")},
        {{rel, precos, QStringLiteral("Lista de Preços (Ordenado pelo Código)")},
         lista(ProdutosPorCodigo, "Lista Preco Codigo")},
        {{rel, itens, QStringLiteral("Itens no Estoque (Ordenado por Código)")},
         lista(ProdutosPorCodigo, "Itens Estoque Codigo")},
        {{rel, itens, QStringLiteral("Itens no Estoque(Ordenado por Descrição)")},
         lista(ProdutosPorDescricao, "Itens Estoque Descricao")},
        {{rel, itens, QStringLiteral("Itens no Estoque de um Grupo")},
         dialogo(fBusca_Rel_Grupo, "Itens Estoque Grupo")},
        {{rel, relMov, QStringLiteral("Geral por Data")}, dialogo(fDatas, "Mov_Estq Geral Datas")},
        {{rel, relMov, QStringLiteral("Somente Entradas por Data")},
         dialogo(fDatas, "Rel MovEstq Entradas")},
        {{rel, relMov, QStringLiteral("Somente Saídas por Data")},
         dialogo(fDatas, "Rel MovEstq Saídas")},
        {{rel, relMov, QStringLiteral("Geral por Produto")},
         dialogo(fDatas_Produto, "Rel MovEstq Produto Geral")},
        {{rel, relMov, QStringLiteral("Somente Entradas por Produto")},
         dialogo(fDatas_Produto, "Mov Estq Produto Entrada")},
        {{rel, relMov, QStringLiteral("Somente Saídas por Produto")},
         dialogo(fDatas_Produto, "Mov Estq Produto Saida")},
        {{rel, relMov, QStringLiteral("Geral por Grupo")},
         dialogo(fDatas_Grupo, "Mov Estq Grupos")},
        {{rel, relMov, QStringLiteral("Somente Entradas por Grupo")},
         dialogo(fDatas_Grupo, "Mov Estq Grupo Entrada")},
        {{rel, relMov, QStringLiteral("Somente Saídas por Grupo")},
         dialogo(fDatas_Grupo, "Mov Estq Grupo Saida")},
        {{rel, relMov, QStringLiteral("Saídas por Tipo de Saídas")},
         dialogo(fDatas_Tipo, "Mov Estq Tipos")},
        {{rel, relMov, QStringLiteral("Somente Saídas e Estornos de Saída por Data")},
         dialogo(fDatas, "Rel MovEstq Saidas Estornos")},
        {{rel, relMov, QStringLiteral("Somente Entradas e Estornos de Entrada por Data")},
         dialogo(fDatas, "Rel MovEstq Entradas Estornos")},
        {{rel, QStringLiteral("Itens Abaixo do Estoque Mínimo")},
         lista(ProdutosAbaixoDoMinimo, "Itens Estoque Minimo")},
        {{rel, QStringLiteral("Estoque Valorizado")}, dialogo(fData_Estoque, "Estoque Valorizado")},
        {{rel, QStringLiteral("Margem das Saídas")}, dialogo(fDatas_Margem, "Margem das Saidas")},
        {{rel, QStringLiteral("Conferência do Estoque")}, conferencia},
        {{util, QStringLiteral("Backup")}, abre(fBackup)},
        {{util, QStringLiteral("Restaura Backup")}, abre(fRestaura_Backup)},
        {{util, QStringLiteral("Importar Produtos")}, abre(fImporta_Produtos)},
        {{util, QStringLiteral("Dados da Empresa")}, abre(fEmpresa)},
        {{util, usu, QStringLiteral("Manutenção de Usuários")}, abre(fManut_Usuarios)},
        {{util, usu, QStringLiteral("Login de Usuários")}, abre(fConfig_Login)},
        {{util, QStringLiteral("Manutenção de Mov.Estoque")}, abre(fManutMovEstq)},
        {{QStringLiteral("Ajuda"), QStringLiteral("Sobre")}, abre(fSobre)},
        {{QStringLiteral("Saída")}, [] { Process::end(); }},
    };
}

QMenu* submenu(QWidget* parent, const QString& title) {
    for (QAction* action : parent->actions())
        if (action->menu() && action->text() == title)
            return action->menu();
    return nullptr;
}

} // namespace

TfPrincipal::TfPrincipal(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    // A new window starts a new session: nothing read by an earlier one.
    Opcao.clear();
    NomeEmpresa.clear();
    FoneEmpresa.clear();
    NumeroVersao.clear();
    setObjectName(QStringLiteral("fPrincipal"));
    setWindowTitle(QStringLiteral("Kelvara"));
    criaMenu();

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(24, 24, 24, 24);
    auto* titulo = new QLabel(QStringLiteral("Programa Desenvolvido para:"), central);
    titulo->setObjectName(QStringLiteral("Label6"));
    QFont fonte = titulo->font();
    fonte.setPointSize(fonte.pointSize() + 4);
    fonte.setBold(true);
    titulo->setFont(fonte);
    layout->addWidget(titulo);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    auto valor = [central, form](const QString& nome, const QString& legenda) {
        auto* label = new QLabel(central);
        label->setObjectName(nome);
        label->setTextFormat(Qt::PlainText); // an ampersand stays an ampersand
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(legenda, label);
        return label;
    };
    lbNome = valor(QStringLiteral("lbNome"), QStringLiteral("Empresa:"));
    lbEndereco = valor(QStringLiteral("lbEndereco"), QStringLiteral("Endereço:"));
    lbTelefone = valor(QStringLiteral("lbTelefone"), QStringLiteral("Telefone:"));
    lbEmail = valor(QStringLiteral("lbEmail"), QStringLiteral("Email:"));
    lbHomePage = valor(QStringLiteral("lbHomePage"), QStringLiteral("Home Page:"));
    layout->addLayout(form);
    layout->addStretch();
    setCentralWidget(central);

    sbPrincipal = statusBar();
    sbPrincipal->setObjectName(QStringLiteral("sbPrincipal"));
    sbPrincipal->setSizeGripEnabled(false);
    const int larguras[3] = {2, 2, 1};
    for (int i = 0; i < 3; ++i) {
        sbPainel[i] = new QLabel(sbPrincipal);
        sbPainel[i]->setObjectName(QStringLiteral("sbPainel%1").arg(i));
        sbPainel[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        sbPrincipal->addWidget(sbPainel[i], larguras[i]);
    }
    sbPainel[0]->setText(Contato::Empresa);

    resize(800, 560);
    move(0, 0);
    sessao().mostraStatus = [this](int painel, const QString& texto) {
        if (painel >= 0 && painel < 3)
            sbPainel[painel]->setText(texto);
    };
    sessao().mostraEmpresa = [this](const QString& nome, const QString& endereco,
                                    const QString& telefone, const QString& email,
                                    const QString& homePage) {
        lbNome->setText(nome);
        lbEndereco->setText(endereco);
        lbTelefone->setText(telefone);
        lbEmail->setText(email);
        lbHomePage->setText(homePage);
    };
}

TfPrincipal::~TfPrincipal() {
    // The screens that outlive the window show nothing on it any more.
    sessao().mostraStatus = nullptr;
    sessao().mostraEmpresa = nullptr;
}

void TfPrincipal::criaMenu() {
    for (const Comando& comando : comandos()) {
        QWidget* nivel = menuBar();
        for (qsizetype i = 0; i + 1 < comando.caminho.size(); ++i) {
            QMenu* menu = submenu(nivel, comando.caminho[i]);
            if (!menu) {
                menu = new QMenu(comando.caminho[i], nivel);
                nivel->addAction(menu->menuAction());
            }
            nivel = menu;
        }
        auto* action = new QAction(comando.caminho.last(), nivel);
        action->setObjectName(comando.caminho.join(u'/'));
        nivel->addAction(action);
        if (comando.executa)
            connect(action, &QAction::triggered, this, comando.executa);
    }
}

void TfPrincipal::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (mostrado)
        return;
    mostrado = true;
    FormShow();
}

void TfPrincipal::FormShow() {
    Messages::guarded([this] {
        verificaVersao();
        portaoLogin();
        cabecalhoEmpresa();
        sbPainel[2]->setText(QStringLiteral("Versão:") + NumeroVersao);
    });
}

void TfPrincipal::leVersao() {
    SqlQuery* q = dmVersao->SQLQ_Versao;
    q->setStatement({QStringLiteral("Select * From Versao")});
    q->Open();
    NumeroVersao = q->FieldText(QStringLiteral("Numero"));
    q->Close();
}

void TfPrincipal::verificaVersao() {
    leVersao();
    if (NumeroVersao != VersaoPrograma) {
        Messages::plain(QStringLiteral("Clique em Ok para Atualizar a Versão...."));
        SqlQuery* q = dmVersao->SQLQ_Versao;
        Grava(
            {dmConexao->SQLC_QOR, nullptr, Messages::Kind::Warning,
             QStringLiteral("Não Consegui Alterar o Número da Versão, tente Novamente")},
            [q] {
                q->setStatement({QStringLiteral("Update Versao SET numero=:NumeroC")});
                q->ParamByName(QStringLiteral("Numeroc")).setAsString(VersaoPrograma);
                q->ExecSQL();
            },
            [this] {
                Messages::plain(QStringLiteral("Versão Atualizada com Sucesso...."));
                NumeroVersao = VersaoPrograma;
            });
    }
    leVersao();
}

void TfPrincipal::portaoLogin() {
    SqlQuery* q = dmConfiguracoes->SQLQ_Configuracoes;
    q->setStatement({QStringLiteral("Select Login From Configuracoes")});
    q->Open();
    const QString login = q->FieldText(QStringLiteral("LOGIN"));
    q->Close();
    if (login == QStringLiteral("S") && MostraLogin)
        MostraLogin();
}

void TfPrincipal::cabecalhoEmpresa() {
    SqlQuery* q = dmEmpresa->SQLQ_Empresa;
    q->setStatement({QStringLiteral("Select * From Empresa")});
    q->Open();
    lbNome->setText(q->FieldText(QStringLiteral("EMP_Nome")));
    lbEndereco->setText(q->FieldText(QStringLiteral("EMP_Ender")));
    lbTelefone->setText(q->FieldText(QStringLiteral("EMP_Fone")));
    lbEmail->setText(q->FieldText(QStringLiteral("EMP_Email")));
    lbHomePage->setText(q->FieldText(QStringLiteral("EMP_HomeP")));
    NomeEmpresa = q->FieldText(QStringLiteral("EMP_Nome"));
    FoneEmpresa = q->FieldText(QStringLiteral("EMP_Fone"));
    q->Close();
}
