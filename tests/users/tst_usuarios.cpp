#include "data/DataModule_Conexao.h"
#include "data/DataModule_Usuarios.h"
#include "users/Dados_Usuarios.h"
#include "users/Manut_Usuarios.h"

#include "TestMain.h"
#include "TestSupport.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <memory>

class TestUsuarios : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;

    void run(const QString& sql) { program->dbs.exec("qor.gdb", sql); }
    void addUser(const QString& code, const QString& name, const QString& login,
                 const QString& active = "A") {
        run(QString("Insert Into Usuarios Values ('%1', '%2', '%3', 'senha', '%4', '2026-01-02')")
                .arg(code, name, login, active));
    }
    void requireLogin() { program->dbs.exec("config.gdb", "Update Configuracoes Set Login='S'"); }
    QStringList stored() {
        return storedRows("Select * From Usuarios order by USU_Codigo",
                          {"USU_CODIGO", "USU_NOME", "USU_LOGIN", "USU_SENHA", "USU_ATIVO"});
    }
    QStringList messages() const { return program->recorder.texts(); }

    void onEditScreen(QPushButton* button, std::function<void(TfDados_Usuarios*)> action) {
        ::onEditScreen<TfDados_Usuarios>(fManut_Usuarios, button, std::move(action));
    }
    static void fill(TfDados_Usuarios* s, const QString& name, const QString& login,
                     const QString& password, const QString& again) {
        retype(s->edUSU_Nome, name);
        retype(s->edUSU_Login, login);
        retype(s->edUSU_Senha, password);
        retype(s->edUSU_Senha2, again);
    }
    void save(TfDados_Usuarios* s) { QTest::mouseClick(s->btnUSU_Grava, Qt::LeftButton); }

private slots:
    void init() { program = std::make_unique<RunningProgram>(); }
    void cleanup() { program.reset(); }

    void insertingChecksInOrderHandsOutCodesAndStaysOpen() {
        onEditScreen(fManut_Usuarios->btnUSU_Inclui, [this](TfDados_Usuarios* s) {
            QCOMPARE(s->windowTitle(), QString("Inclusão de Usuários"));
            QCOMPARE(s->lbTitulo_Dados_Usuarios->text(), QString("Inclusão de Usuários"));
            QCOMPARE(s->btnUSU_Grava->text(), QString("Grava"));
            QCOMPARE(s->edUSU_Codigo->text(), QString("000001"));
            QCOMPARE(s->focusWidget(), s->edUSU_Nome);
            QCOMPARE(s->edUSU_Senha->echoMode(), QLineEdit::Password);

            const struct {
                QStringList fields; // name, login, password, again
                QString message;
                QLineEdit* focus;
            } refused[] = {
                {{" ", "ana", "x", "x"},
                 "O Campo Nome Completo do Usuários Precisa ser Preenchido !",
                 s->edUSU_Nome},
                {{"Ana", " ", "x", "x"}, "O Campo Login Precisa ser Preenchido !", s->edUSU_Login},
                {{"Ana", "ana", " ", " "},
                 "O Campo Senha Precisa ser Preenchido !",
                 s->edUSU_Senha},
                {{"Ana", "ana", "Segredo", "segredo"},
                 "Redigite a Senha Novamente as Senhas estão diferentes !",
                 s->edUSU_Senha},
            };
            for (const auto& r : refused) {
                program->recorder.messages.clear();
                fill(s, r.fields[0], r.fields[1], r.fields[2], r.fields[3]);
                save(s);
                QCOMPARE(messages(), QStringList{r.message});
                QCOMPARE(program->recorder.messages[0].kind, Messages::Kind::Warning);
                QCOMPARE(s->focusWidget(), r.focus);
            }
            program->recorder.messages.clear();
            fill(s, "Ana Souza", "ana", "Segredo", "Segredo");
            save(s);
            QVERIFY(s->isVisible());
            QCOMPARE(s->edUSU_Codigo->text(), QString("000002"));
            QCOMPARE(s->edUSU_Nome->text(), QString());
            QCOMPARE(s->focusWidget(), s->edUSU_Nome);

            fill(s, "Bia", "bia", "b", "b");
            s->cbUSU_Ativo->setCurrentText("Inativo");
            addUser("000002", "De outra estação", "outra");
            save(s);
            QCOMPARE(messages(), QStringList{"Novo Código:000003"});
        });
        QCOMPARE(stored(),
                 (QStringList{"000001|Ana Souza|ana|Segredo|A",
                              "000002|De outra estação|outra|senha|A", "000003|Bia|bia|b|I"}));
        QCOMPARE(dmUsuarios->cds_Usuarios->RecordCount(), 3);
    }

    void browseOrdersSearchesAndNeedsAUserToEdit() {
        fManut_Usuarios->show();
        QVERIFY(QTest::qWaitForWindowActive(fManut_Usuarios));
        // It opens in the ordering box, on the checked "Nome", ordered by name.
        QCOMPARE(fManut_Usuarios->focusWidget(), fManut_Usuarios->rbUSU_Nome);
        QCOMPARE(fManut_Usuarios->lbUSU_Busca->text(), QString("Nome:"));
        const struct {
            QPushButton* button;
            QString message;
        } empty[] = {
            {fManut_Usuarios->btnUSU_Altera, "Nenhum Usuário para Alterar !"},
            {fManut_Usuarios->btnUSU_Exclui, "Nenhum Usuário para Excluir !"},
            {fManut_Usuarios->btnUSU_Consulta, "Nenhum Usuário para Consulta !"},
        };
        for (const auto& e : empty) {
            program->recorder.messages.clear();
            QTest::mouseClick(e.button, Qt::LeftButton);
            QCOMPARE(messages(), QStringList{e.message});
            QCOMPARE(program->recorder.messages[0].kind, Messages::Kind::Information);
        }

        addUser("000012", "Carlos", "zeca");
        addUser("000003", "Bruno", "bruno");
        addUser("000007", "Ana", "ana");
        fManut_Usuarios->hide();
        fManut_Usuarios->show();
        QApplication::setActiveWindow(fManut_Usuarios);
        QVERIFY(QTest::qWaitForWindowActive(fManut_Usuarios));
        ListCopy* list = dmUsuarios->cds_Usuarios;
        QCOMPARE(list->FieldText("USU_NOME"), QString("Ana")); // by name on every showing
        QCOMPARE(fManut_Usuarios->lbUSU_Busca->text(), QString("Nome:"));

        fManut_Usuarios->rbUSU_Codigo->setFocus(Qt::MouseFocusReason);
        QCOMPARE(fManut_Usuarios->lbUSU_Busca->text(), QString("Código:"));
        retype(fManut_Usuarios->edUSU_Busca, "12");
        QTest::mouseClick(fManut_Usuarios->btnUSU_Busca, Qt::LeftButton);
        QCOMPARE(fManut_Usuarios->edUSU_Busca->text(), QString("000012"));
        QCOMPARE(list->FieldText("USU_NOME"), QString("Carlos"));

        fManut_Usuarios->rbUSU_Nome->setFocus(Qt::MouseFocusReason);
        list->setRecNo(1);
        retype(fManut_Usuarios->edUSU_Busca, "car"); // letter case counts
        QTest::mouseClick(fManut_Usuarios->btnUSU_Busca, Qt::LeftButton);
        QCOMPARE(list->RecNo(), 1);

        fManut_Usuarios->rbUSU_Login->setFocus(Qt::MouseFocusReason);
        QCOMPARE(list->value(2, "USU_LOGIN").toString(), QString("zeca"));
        retype(fManut_Usuarios->edUSU_Busca, "ze");
        QTest::mouseClick(fManut_Usuarios->btnUSU_Busca, Qt::LeftButton);
        QCOMPARE(list->FieldText("USU_CODIGO"), QString("000012"));
        fManut_Usuarios->close();
    }

    void changingViewingAndDeletingWorkOnTheCurrentUser() {
        addUser("000001", "Ana", "ana");
        addUser("000002", "Bruno", "bruno");
        dmUsuarios->cds_Usuarios->Reload({"Select * From Usuarios order By USU_Codigo"});
        onEditScreen(fManut_Usuarios->btnUSU_Consulta, [](TfDados_Usuarios* s) {
            QCOMPARE(s->lbTitulo_Dados_Usuarios->text(), QString("Consulta de Usuários"));
            QVERIFY(!s->btnUSU_Grava->isVisible());
            QVERIFY(!s->btnUSU_Limpa->isVisible());
        });
        dmUsuarios->cds_Usuarios->setRecNo(1);
        onEditScreen(fManut_Usuarios->btnUSU_Altera, [this](TfDados_Usuarios* s) {
            QCOMPARE(s->windowTitle(), QString("Inclusão de Usuários"));
            QCOMPARE(s->lbTitulo_Dados_Usuarios->text(), QString("Alteração de Usuários"));
            QCOMPARE(s->btnUSU_Grava->text(), QString("Alterar"));
            QCOMPARE(s->edUSU_Codigo->text(), QString("000002"));
            QCOMPARE(s->edUSU_Senha2->text(), QString("senha"));
            QCOMPARE(s->dtpUSU_DCad->date(), QDate(2026, 1, 2));
            QCOMPARE(s->focusWidget(), s->edUSU_Nome);
            retype(s->edUSU_Nome, "Bruno Lima");
            s->cbUSU_Ativo->setCurrentText("Inativo");
            save(s);
            QVERIFY(!s->isVisible());
        });
        QCOMPARE(stored()[1], QString("000002|Bruno Lima|bruno|senha|I"));
        dmUsuarios->cds_Usuarios->setRecNo(0);
        onEditScreen(fManut_Usuarios->btnUSU_Exclui, [this](TfDados_Usuarios* s) {
            QCOMPARE(s->btnUSU_Grava->text(), QString("Excluir"));
            save(s);
            QVERIFY(!s->isVisible());
        });
        QCOMPARE(stored(), QStringList{"000002|Bruno Lima|bruno|senha|I"});
        QVERIFY(messages().isEmpty());
    }

    // With the login required, the last active user can be neither deleted
    // nor made inactive: nobody could enter the program afterwards.
    void lastActiveUserStaysWhileTheLoginIsRequired() {
        addUser("000001", "Ana", "ana");
        addUser("000002", "Bruno", "bruno", "I");
        requireLogin();
        dmUsuarios->cds_Usuarios->Reload({"Select * From Usuarios order By USU_Codigo"});
        onEditScreen(fManut_Usuarios->btnUSU_Exclui, [this](TfDados_Usuarios* s) { save(s); });
        onEditScreen(fManut_Usuarios->btnUSU_Altera, [this](TfDados_Usuarios* s) {
            s->cbUSU_Ativo->setCurrentText("Inativo");
            save(s);
            QVERIFY(s->isVisible());
        });
        QCOMPARE(messages().size(), 2);
        for (const RecordedMessage& m : program->recorder.messages) {
            QCOMPARE(m.kind, Messages::Kind::Warning);
            QVERIFY2(m.text.contains("último usuário ativo"), qPrintable(m.text));
        }
        QCOMPARE(stored().size(), 2);

        run("Update Usuarios Set USU_Ativo='A' Where USU_Codigo='000002'");
        onEditScreen(fManut_Usuarios->btnUSU_Exclui, [this](TfDados_Usuarios* s) { save(s); });
        QCOMPARE(stored(), QStringList{"000002|Bruno|bruno|senha|A"});
    }

    void failedWritesShowTheirMessagesAndRollBack() {
        addUser("000001", "Ana", "ana");
        run("CREATE EXCEPTION E_USU 'no'");
        run("CREATE TRIGGER T_USU FOR USUARIOS BEFORE INSERT OR UPDATE OR DELETE AS BEGIN "
            "EXCEPTION E_USU; END");
        onEditScreen(fManut_Usuarios->btnUSU_Inclui, [this](TfDados_Usuarios* s) {
            fill(s, "Bia", "bia", "b", "b");
            save(s);
            QCOMPARE(s->edUSU_Nome->text(), QString("Bia"));
        });
        onEditScreen(fManut_Usuarios->btnUSU_Altera, [this](TfDados_Usuarios* s) {
            save(s);
            QVERIFY(s->isVisible());
        });
        onEditScreen(fManut_Usuarios->btnUSU_Exclui, [this](TfDados_Usuarios* s) {
            save(s);
            QVERIFY(s->isVisible());
        });
        QCOMPARE(messages(),
                 (QStringList{"Não Consegui Grava, tente novamente !", "Deu Erro, tente novamente",
                              "Deu Erro, tente novamente"}));
        QCOMPARE(program->recorder.messages[0].kind, Messages::Kind::Warning);
        QCOMPARE(program->recorder.messages[2].kind, Messages::Kind::Information);
        QVERIFY(!dmConexao->SQLC_QOR->database().inTransaction());
        QCOMPARE(stored(), QStringList{"000001|Ana|ana|senha|A"});
    }
};

KELVARA_TEST_MAIN(TestUsuarios)
#include "tst_usuarios.moc"
