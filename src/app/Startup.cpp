#include "app/Startup.h"

#include "app/Abertura.h"
#include "app/Config_BancoDados.h"
#include "app/Pricipal.h"
#include "data/DataModule_Conexao.h"
#include "data/DataModule_Config.h"
#include "data/DataModule_Configuracoes.h"
#include "data/DataModule_Empresa.h"
#include "data/DataModule_Grupos.h"
#include "data/DataModule_MovEstq.h"
#include "data/DataModule_Produtos.h"
#include "data/DataModule_Tipos.h"
#include "data/DataModule_Usuarios.h"
#include "data/DataModule_Versao.h"
#include "data/DbError.h"
#include "data/FbConnection.h"
#include "masterdata/Busca_Grupos.h"
#include "masterdata/Busca_Produtos.h"
#include "masterdata/Busca_Tipos.h"
#include "masterdata/Dados_Grupos.h"
#include "masterdata/Dados_Produtos.h"
#include "masterdata/Dados_Tipos.h"
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
#include "reports/Data_Estoque.h"
#include "reports/Datas.h"
#include "reports/Datas_Grupo.h"
#include "reports/Datas_Margem.h"
#include "reports/Datas_Produto.h"
#include "reports/Datas_Tipo.h"
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
#include "reports/Tela_Impressora.h"
#include "shell/Contato.h"
#include "shell/Messages.h"
#include "users/Config_Login.h"
#include "users/Dados_Usuarios.h"
#include "users/Login.h"
#include "users/Manut_Usuarios.h"
#include "utilities/Backup.h"
#include "utilities/Empresa.h"
#include "utilities/Importa_Produtos.h"
#include "utilities/Restaura_Backup.h"
#include "utilities/Sobre.h"

#include <QApplication>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace {

// Everything start-up created, with the way to destroy it and clear its
// process-wide reference.
std::vector<std::function<void()>>& created() {
    static std::vector<std::function<void()>> destroyers;
    return destroyers;
}

template <typename T> void create(T*& reference) {
    reference = new T;
    created().push_back([&reference] {
        delete reference;
        reference = nullptr;
    });
}

struct Step {
    const char* progress; // set before the row's creations, where given
    std::function<void()> createAll;
};

// The creation order after the connections are open. Progress texts are
// shown exactly as written here.
const std::vector<Step>& creationOrder() {
    static const std::vector<Step> steps = {
        {nullptr, [] { create(dmConfiguracoes); }},
        {"Criando Tela Princial",
         [] {
             create(fPrincipal);
             create(fBackup);
             create(dmVersao);
         }},
        {"Abrindo Conexão ao Grupo de Produtos", [] { create(dmGrupos); }},
        {"Criando Tela de Manutenção de Grupos", [] { create(fManut_Grupos); }},
        {"Criando Tela de Produtos", [] { create(fDados_Grupos); }},
        {"Abrindo Conexão ao BD Tipo de Saídas", [] { create(dmTipos); }},
        {"Abrindo Tela de Tipos de Saídas",
         [] {
             create(fManut_Tipos);
             create(fDados_Tipos);
         }},
        {"Abrindo Conexão ao BD Produtos", [] { create(dmProdutos); }},
        {"Criando Tela de Produtos",
         [] {
             create(fManut_Produtos);
             create(fDados_Produtos);
         }},
        {"Abrindo Conexão ao DB Movimentação de Estoque", [] { create(dmMovEstq); }},
        {"Abrindo Telas de Movimentação de Estoque", [] { create(fEntrada_Estq); }},
        {"Abrindo Telas de Consulta de Movimentação de Estoque", [] { create(fConsulta_MovEstq); }},
        {"Abrindo Telas de Saída de Estoque", [] { create(fSaida_Estq); }},
        {"Abrindo Tela de Balanço", [] { create(fBalanco); }},
        {"Abrindo Telas de Estorno de Estoque", [] { create(fEstorno_Estq); }},
        {"Abrindo Relatórios de Listas de Preços",
         [] {
             create(fRel_Listas_Precos);
             create(fSobre);
         }},
        {"Abrindo Dados da Empresa",
         [] {
             create(dmEmpresa);
             create(fEmpresa);
         }},
        {"Abrindo Módulo de Usuários",
         [] {
             create(dmUsuarios);
             create(fManut_Usuarios);
         }},
        {"Abrindo Módulos de Busca",
         [] {
             create(fDados_Usuarios);
             create(fBusca_Produtos);
             create(fBusca_Grupos);
             create(fRel_Mov_Estq);
         }},
        {"Abrindo Módulos de Login",
         [] {
             create(fLogin);
             create(fConfig_Login);
         }},
        {"Abrindo Relatórios",
         [] {
             create(fTela_Impressora);
             create(fDatas);
             create(fDatas_Produto);
             create(fRel_Mov_ESTQ_EST);
             create(fRel_MovEstq_Produto_Geral);
             create(fRel_Itens_Estoque);
             create(fDatas_Grupo);
             create(fRel_Itens_Estoque_Grupo);
             create(fBusca_Rel_Grupo);
             create(fRel_Mov_Estq_Produto_ES);
             create(fBusca_Tipos);
             create(fRel_Mov_Estq_Grupo);
             create(fRel_Mov_Estq_Grupo_ES);
             create(fDatas_Tipo);
             create(fRel_Mov_Estq_Tipo);
             create(fData_Estoque);
             create(fRel_Estoque_Valorizado);
             create(fDatas_Margem);
             create(fRel_Margem_Saidas);
             create(fRel_Conferencia_Estoque);
         }},
        {"Abrindo Módulos Utilitários",
         [] {
             create(fRestaura_Backup);
             create(fImporta_Produtos);
             create(fManutMovEstq);
             create(fRelEstMin);
             create(fRelMovEstq_EST2);
         }},
    };
    return steps;
}

} // namespace

bool StartProgram() {
    std::unique_ptr<TfAbertura> abertura;
    try {
        create(dmConexao);
        create(dmConfig);
        fConfig_BancoDados = new TfConfig_BancoDados;

        abertura = std::make_unique<TfAbertura>();
        abertura->show();
        abertura->repaint();

        if (abertura->JaAberto || abertura->BancoRecusado)
            Process::end();
        const bool sair =
            fConfig_BancoDados->SairPrograma || abertura->JaAberto || abertura->BancoRecusado;
        delete fConfig_BancoDados;
        fConfig_BancoDados = nullptr;
        if (sair || Process::endRequested())
            return false; // the end was asked for

        for (const Step& step : creationOrder()) {
            if (step.progress)
                abertura->setProgress(QString::fromUtf8(step.progress));
            // A request to end (Ctrl+C, a logout) is heard between steps.
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            if (Process::endRequested())
                return false;
            step.createAll();
        }
    } catch (const std::exception& e) {
        abertura.reset();
        delete fConfig_BancoDados;
        fConfig_BancoDados = nullptr;
        Messages::error(MensagemAoAbrir(e));
        Process::end();
        return false;
    }
    return true;
}

int RunProgram() {
    int status = 0;
    if (StartProgram() && !Process::endRequested()) {
        fPrincipal->show();
        // The login may have ended the program already.
        if (!Process::endRequested())
            status = QApplication::exec();
    }
    DestroyProgram();
    fb::shutdownClient();
    return status;
}

void DestroyProgram() {
    auto& destroyers = created();
    while (!destroyers.empty()) {
        destroyers.back()();
        destroyers.pop_back();
    }
}
