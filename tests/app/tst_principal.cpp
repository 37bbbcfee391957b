#include "app/Pricipal.h"
#include "data/DataModule_Conexao.h"

#include "TestMain.h"
#include "TestSupport.h"

#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <memory>

namespace {

QStringList captions(const QList<QAction*>& actions) {
    QStringList texts;
    for (QAction* a : actions)
        texts << a->text();
    return texts;
}

QMenu* submenu(const QList<QAction*>& actions, const QString& title) {
    for (QAction* a : actions)
        if (a->text() == title)
            return a->menu();
    return nullptr;
}

} // namespace

class TestPrincipal : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;

    QString versionInTable() {
        fb::Connection& db = dmConexao->SQLC_QOR->database();
        const fb::ResultSet r = db.select("Select * From Versao");
        QStringList all;
        for (int i = 0; i < r.rowCount(); ++i)
            all << r.value(i, "NUMERO").toString();
        return all.join(u',');
    }
    void run(const QString& sql) { program->dbs.exec("qor.gdb", sql); }

    void showMainWindow() {
        fPrincipal->show();
        QVERIFY(QTest::qWaitForWindowExposed(fPrincipal));
    }

private slots:
    void init() { program = std::make_unique<RunningProgram>(); }
    void cleanup() {
        TfPrincipal::MostraLogin = {};
        program.reset();
    }

    void versionUpToDateSaysNothing() {
        showMainWindow();
        QVERIFY(program->recorder.messages.isEmpty());
        QCOMPARE(fPrincipal->NumeroVersao, QString("1.1.1-24112006"));
        QCOMPARE(fPrincipal->sbPainel[2]->text(), QString("Versão:1.1.1-24112006"));
    }

    void anyOtherVersionIsRewritten_data() {
        QTest::addColumn<QString>("stored");
        QTest::newRow("older") << "'1.0.0-01012005'";
        QTest::newRow("newer") << "'2.0.0-01012030'";
        QTest::newRow("empty") << "''";
        QTest::newRow("null") << "null";
    }
    void anyOtherVersionIsRewritten() {
        QFETCH(QString, stored);
        run("Update Versao set Numero=" + stored);
        run("Insert Into Versao values ('x')");
        showMainWindow();
        QCOMPARE(program->recorder.texts(), (QStringList{"Clique em Ok para Atualizar a Versão....",
                                                         "Versão Atualizada com Sucesso...."}));
        QCOMPARE(program->recorder.messages[0].kind, Messages::Kind::Plain);
        QCOMPARE(program->recorder.messages[1].kind, Messages::Kind::Plain);
        QCOMPARE(versionInTable(), QString("1.1.1-24112006,1.1.1-24112006"));
        QCOMPARE(fPrincipal->sbPainel[2]->text(), QString("Versão:1.1.1-24112006"));
    }

    void emptyVersionTableReportsSuccessAndShowsNoVersion() {
        run("Delete From Versao");
        showMainWindow();
        QCOMPARE(program->recorder.messages.size(), 2);
        QCOMPARE(versionInTable(), QString());
        QCOMPARE(fPrincipal->sbPainel[2]->text(), QString("Versão:"));
    }

    void failedUpdateWarnsAndLeavesTheTable() {
        run("Update Versao set Numero='1.0'");
        run("CREATE EXCEPTION E_VERSAO 'read only'");
        run("CREATE TRIGGER T_VERSAO FOR VERSAO BEFORE UPDATE AS BEGIN EXCEPTION E_VERSAO; END");
        showMainWindow();
        QCOMPARE(program->recorder.texts(),
                 (QStringList{"Clique em Ok para Atualizar a Versão....",
                              "Não Consegui Alterar o Número da Versão, tente Novamente"}));
        QCOMPARE(program->recorder.messages[1].kind, Messages::Kind::Warning);
        QVERIFY(!dmConexao->SQLC_QOR->database().inTransaction());
        QCOMPARE(versionInTable(), QString("1.0"));
        QCOMPARE(fPrincipal->sbPainel[2]->text(), QString("Versão:1.0"));
    }

    void onlyAnUpperCaseSAsksForTheLogin_data() {
        QTest::addColumn<QString>("login");
        QTest::addColumn<bool>("asks");
        QTest::newRow("S") << "'S'" << true;
        QTest::newRow("s") << "'s'" << false;
        QTest::newRow("N") << "'N'" << false;
        QTest::newRow("empty") << "''" << false;
        QTest::newRow("null") << "null" << false;
    }
    void onlyAnUpperCaseSAsksForTheLogin() {
        QFETCH(QString, login);
        QFETCH(bool, asks);
        program->dbs.exec("config.gdb", "Update Configuracoes set Login=" + login);
        bool asked = false;
        TfPrincipal::MostraLogin = [&asked] { asked = true; };
        showMainWindow();
        QCOMPARE(asked, asks);
    }

    void headerShowsTheCompanyAsWritten() {
        program->dbs.exec("config.gdb",
                          "Update Empresa set EMP_Nome='Silva & Filhos', EMP_Ender='Rua A, 1', "
                          "EMP_Fone='(11) 1234-5678', EMP_Email='a@b.example', "
                          "EMP_HomeP='www.b.example'");
        showMainWindow();
        QCOMPARE(fPrincipal->lbNome->text(), QString("Silva & Filhos"));
        QCOMPARE(fPrincipal->lbNome->textFormat(), Qt::PlainText);
        QCOMPARE(fPrincipal->lbEndereco->text(), QString("Rua A, 1"));
        QCOMPARE(fPrincipal->lbTelefone->text(), QString("(11) 1234-5678"));
        QCOMPARE(fPrincipal->lbEmail->text(), QString("a@b.example"));
        QCOMPARE(fPrincipal->lbHomePage->text(), QString("www.b.example"));
        QCOMPARE(fPrincipal->NomeEmpresa, QString("Silva & Filhos"));
        QCOMPARE(fPrincipal->FoneEmpresa, QString("(11) 1234-5678"));
    }

    void aMissingTableSkipsTheRestOfTheShowStep() {
        program->dbs.exec("config.gdb", "Update Empresa set EMP_Nome='Nome'");
        dmConexao->SQLC_QOR->Close(); // the version read fails
        showMainWindow();
        QCOMPARE(program->recorder.messages.size(), 1);
        QCOMPARE(program->recorder.messages[0].kind, Messages::Kind::StandardError);
        QCOMPARE(fPrincipal->lbNome->text(), QString());
        QCOMPARE(fPrincipal->sbPainel[2]->text(), QString());
    }

    void menuHoldsEveryCommandInOrder() {
        const QList<QAction*> top = fPrincipal->menuBar()->actions();
        QCOMPARE(captions(top), (QStringList{"Cadastros", "Movimentação no Estoque", "Relatórios",
                                             "Utilitários", "Ajuda", "Saída"}));
        QCOMPARE(captions(submenu(top, "Cadastros")->actions()),
                 (QStringList{"Grupos de Produtos", "Produtos", "Tipo de Saídas"}));
        QCOMPARE(captions(submenu(top, "Movimentação no Estoque")->actions()),
                 (QStringList{"Entrada no Estoque", "Saída no Estoque", "Estorno de Entrada",
                              "Estorno de Saída", "Consultas", "Balanço"}));
        const QList<QAction*> rel = submenu(top, "Relatórios")->actions();
        QCOMPARE(captions(rel), (QStringList{"Listas de Preços", "Listas de Itens no Estoque",
                                             "Movimentação de Estoque",
                                             "Itens Abaixo do Estoque Mínimo", "Estoque Valorizado",
                                             "Margem das Saídas", "Conferência do Estoque"}));
        QCOMPARE(submenu(rel, "Movimentação de Estoque")->actions().size(), 12);
        QCOMPARE(captions(submenu(rel, "Listas de Itens no Estoque")->actions()),
                 (QStringList{"Itens no Estoque (Ordenado por Código)",
                              "Itens no Estoque(Ordenado por Descrição)",
                              "Itens no Estoque de um Grupo"}));
        const QList<QAction*> util = submenu(top, "Utilitários")->actions();
        QCOMPARE(captions(util),
                 (QStringList{"Backup", "Restaura Backup", "Importar Produtos", "Dados da Empresa",
                              "Usuários", "Manutenção de Mov.Estoque"}));
        QCOMPARE(captions(submenu(util, "Usuários")->actions()),
                 (QStringList{"Manutenção de Usuários", "Login de Usuários"}));
        QCOMPARE(fPrincipal->sbPainel[0]->text(), QString("Kelvara Sistemas"));
        QVERIFY(!(fPrincipal->windowFlags() & Qt::WindowCloseButtonHint));
    }

    void reversalCommandsSetTheOptionAndSaidaEnds() {
        const QList<QAction*> top = fPrincipal->menuBar()->actions();
        QMenu* mov = submenu(top, "Movimentação no Estoque");
        for (const QString option : {"TE", "TS"}) {
            for (QAction* a : mov->actions()) {
                if (a->text() == (option == "TE" ? "Estorno de Entrada" : "Estorno de Saída")) {
                    whenModal([](QWidget* screen) { screen->close(); });
                    a->trigger();
                }
            }
            QCOMPARE(fPrincipal->Opcao, option);
        }
        top.last()->trigger();
        QCOMPARE(program->recorder.endRequests, 1);
    }
};

KELVARA_TEST_MAIN(TestPrincipal)
#include "tst_principal.moc"
