#include "app/Pricipal.h"
#include "app/Startup.h"
#include "users/Config_Login.h"
#include "users/Login.h"

#include "TestMain.h"
#include "TestSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

class TestLogin : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;

    void run(const QString& sql) { program->dbs.exec("qor.gdb", sql); }
    void addUser(const QString& code, const QString& login, const QString& password,
                 const QString& active) {
        run(QString("Insert Into Usuarios Values ('%1', 'Nome', '%2', '%3', '%4', '2026-01-02')")
                .arg(code, login, password, active));
    }
    QStringList messages() const { return program->recorder.texts(); }
    QString statusUser() const { return fPrincipal->sbPainel[1]->text(); }

    // The login screen as the main window shows it; action types and presses.
    void atLogin(std::function<void(TfLogin*)> action) {
        bool ran = false;
        whenModal([&](QWidget*) {
            ran = true;
            action(fLogin);
            if (fLogin->isVisible() && program->recorder.endRequests > 0)
                fLogin->close();
        });
        fLogin->exec();
        QVERIFY(ran);
    }

private slots:
    void init() { program = std::make_unique<RunningProgram>(); }
    void cleanup() { program.reset(); }

    // Only an active user whose login and password match, letter case
    // included, goes in; everybody else is told the same and may try again.
    void entrarLetsInActiveUsersOnly_data() {
        QTest::addColumn<QString>("login");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("status"); // empty: refused
        QTest::newRow("active user") << "ana"
                                     << "Segredo"
                                     << "Usuario:ana";
        QTest::newRow("wrong password") << "ana"
                                        << "segredo"
                                        << "";
        QTest::newRow("login in other case") << "Ana"
                                             << "Segredo"
                                             << "";
        QTest::newRow("inactive user") << "rui"
                                       << "x"
                                       << "";
        QTest::newRow("inactive and active row alike") << "lu"
                                                       << "y"
                                                       << "Usuario:lu";
        QTest::newRow("nobody") << ""
                                << ""
                                << "";
    }
    void entrarLetsInActiveUsersOnly() {
        QFETCH(QString, login);
        QFETCH(QString, password);
        QFETCH(QString, status);
        addUser("000001", "ana", "Segredo", "A");
        addUser("000002", "rui", "x", "I");
        addUser("000003", "lu", "y", "I");
        addUser("000004", "lu", "y", "A");
        atLogin([&](TfLogin* s) {
            QCOMPARE(s->windowTitle(), QString("Login"));
            retype(s->edLogin, login);
            retype(s->edSenha, password);
            QTest::mouseClick(s->fLoginEntrar, Qt::LeftButton);
            if (status.isEmpty()) {
                QCOMPARE(messages(),
                         QStringList{"Login ou Senha não Cadastrados, Tente Novamente"});
                QCOMPARE(program->recorder.messages[0].kind, Messages::Kind::Warning);
                QVERIFY(s->isVisible());
                QCOMPARE(s->edLogin->text(), login);
                QTest::mouseClick(s->fLoginCancela, Qt::LeftButton);
            } else {
                QVERIFY(messages().isEmpty());
                QVERIFY(!s->isVisible());
            }
        });
        QCOMPARE(statusUser(), status);
        QCOMPARE(program->recorder.endRequests, status.isEmpty() ? 1 : 0);
    }

    void closingWithFieldsThatMatchNoActiveUserEndsTheProgram() {
        addUser("000001", "rui", "x", "I");
        atLogin([](TfLogin* s) {
            retype(s->edLogin, "rui");
            retype(s->edSenha, "x");
            s->close(); // the window system's close command
        });
        QCOMPARE(messages(),
                 QStringList{"Login ou Senha não Cadastrados, o Sistema será Fechado !"});
        QCOMPARE(program->recorder.endRequests, 1);
    }

    void cancelarEndsAtOnce() {
        atLogin([](TfLogin* s) { QTest::mouseClick(s->fLoginCancela, Qt::LeftButton); });
        QVERIFY(messages().isEmpty());
        QCOMPARE(program->recorder.endRequests, 1);
        QVERIFY(!fLogin->isVisible());
    }

    // The setting takes effect at the next start, and cannot lock everybody
    // out.
    void settingAsksForTheLoginFromTheNextStart() {
        bool asked = false;
        TfPrincipal::MostraLogin = [&asked] { asked = true; };
        fPrincipal->show(); // reads the setting once, as the program starts
        fConfig_Login->show();
        QVERIFY(QTest::qWaitForWindowActive(fConfig_Login));
        QCOMPARE(fConfig_Login->windowTitle(), QString("Configurações de Login de Usuário"));
        QCOMPARE(fConfig_Login->cbLoginSN->currentText(), QString("Não"));
        fConfig_Login->cbLoginSN->setCurrentText("Sim");
        QTest::mouseClick(fConfig_Login->btnGravarLogin, Qt::LeftButton);
        QCOMPARE(messages().size(), 1);
        QVERIFY2(messages()[0].contains("nenhum usuário ativo"), qPrintable(messages()[0]));
        QCOMPARE(program->recorder.messages[0].kind, Messages::Kind::Warning);

        addUser("000001", "ana", "Segredo", "A");
        program->recorder.messages.clear();
        QTest::mouseClick(fConfig_Login->btnGravarLogin, Qt::LeftButton);
        QVERIFY(messages().isEmpty());
        QVERIFY(fConfig_Login->isVisible());
        QTest::mouseClick(fConfig_Login->btnFecharLogin, Qt::LeftButton);
        QVERIFY(!fConfig_Login->isVisible());

        QVERIFY(!asked); // this run goes on without a login
        fPrincipal->close();

        DestroyProgram();
        QVERIFY(StartProgram());
        whenModal([](QWidget* w) {
            QCOMPARE(w, fLogin);
            retype(fLogin->edLogin, "ana");
            retype(fLogin->edSenha, "Segredo");
            QTest::keyClick(fLogin->edSenha, Qt::Key_Return); // Enter logs in
        });
        fPrincipal->show();
        QTRY_COMPARE(statusUser(), QString("Usuario:ana"));
        QVERIFY(messages().isEmpty());
        fConfig_Login->show();
        QCOMPARE(fConfig_Login->cbLoginSN->currentText(), QString("Sim"));
        fConfig_Login->close();
    }
};

KELVARA_TEST_MAIN(TestLogin)
#include "tst_login.moc"
