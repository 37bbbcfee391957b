#include "app/Pricipal.h"
#include "data/DataModule_Config.h"
#include "utilities/Empresa.h"
#include "utilities/Sobre.h"

#include "TestMain.h"
#include "TestSupport.h"

#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <memory>

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

class TestEmpresa : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;

    QString stored(const QString& column) {
        return dmConfig->SQLC_Config->database()
            .select("Select * From Empresa Where EMP_Codigo='001'")
            .value(0, column)
            .toString();
    }
    void type(QWidget* field, const QString& text) {
        if (auto* edit = qobject_cast<QLineEdit*>(field))
            edit->clear();
        typeText(field, text);
    }
    void showScreen() {
        fEmpresa->show();
        QApplication::setActiveWindow(fEmpresa);
        QVERIFY(QTest::qWaitForWindowActive(fEmpresa));
    }
    QAction* menuCommand(const QString& top, const QString& caption) {
        for (QAction* a : fPrincipal->menuBar()->actions())
            if (a->text() == top)
                for (QAction* b : a->menu()->actions())
                    if (b->text() == caption)
                        return b;
        return nullptr;
    }

private slots:
    void init() {
        program = std::make_unique<RunningProgram>();
        program->dbs.exec("config.gdb", "Update Empresa set EMP_Nome='Loja', EMP_Obs='velha'");
    }
    void cleanup() { program.reset(); }

    void opensFromTheMenuWithTheRowLoaded() {
        whenModal([](QWidget* w) {
            auto* screen = qobject_cast<TfEmpresa*>(w);
            QVERIFY(screen);
            QCOMPARE(screen->windowTitle(), QString("Dados da Empresa"));
            QCOMPARE(screen->edEMP_Nome->text(), QString("Loja"));
            QCOMPARE(screen->edEMP_Obs->toPlainText(), QString("velha"));
            QCOMPARE(screen->focusWidget(), screen->edEMP_Nome);
            QTest::mouseClick(screen->Fechar, Qt::LeftButton);
        });
        menuCommand("Utilitários", "Dados da Empresa")->trigger();
        QVERIFY(!fEmpresa->isVisible());
    }

    void savingStoresEveryFieldAndUpdatesTheHeader() {
        showScreen();
        type(fEmpresa->edEMP_Nome, "Silva & Filhos");
        type(fEmpresa->edEMP_Insc, "123.456");
        type(fEmpresa->edEMP_Ender, "Rua das Flores, 10");
        type(fEmpresa->edEMP_Bairro, "Centro");
        type(fEmpresa->edEMP_Cidade, "São Paulo");
        type(fEmpresa->edEMP_UF, "SP");
        type(fEmpresa->edEMP_Fone, "(11) 5555-0000");
        type(fEmpresa->edEMP_FAX, "(11) 5555-0001");
        type(fEmpresa->edEMP_HomeP, "www.silva.example");
        type(fEmpresa->edEMP_Email, "loja@silva.example");
        fEmpresa->edEMP_Obs->clear();
        type(fEmpresa->edEMP_Obs, "nova");
        QTest::mouseClick(fEmpresa->Grava, Qt::LeftButton);

        QCOMPARE(program->recorder.texts(), QStringList{"Dados Gravados com Sucesso !"});
        QCOMPARE(program->recorder.messages[0].kind, Messages::Kind::Information);
        QCOMPARE(stored("EMP_NOME"), QString("Silva & Filhos"));
        QCOMPARE(stored("EMP_INSC"), QString("123.456"));
        QCOMPARE(stored("EMP_CIDADE"), QString("São Paulo"));
        QCOMPARE(stored("EMP_UF"), QString("SP"));
        QCOMPARE(stored("EMP_FAX"), QString("(11) 5555-0001"));
        QCOMPARE(stored("EMP_OBS"), QString("nova"));
        QCOMPARE(fPrincipal->lbNome->text(), QString("Silva & Filhos"));
        QCOMPARE(fPrincipal->lbEndereco->text(), QString("Rua das Flores, 10"));
        QCOMPARE(fPrincipal->lbTelefone->text(), QString("(11) 5555-0000"));
        QCOMPARE(fPrincipal->lbEmail->text(), QString("loja@silva.example"));
        QCOMPARE(fPrincipal->lbHomePage->text(), QString("www.silva.example"));
        QVERIFY(fEmpresa->isVisible());
    }

    void fieldsTakeNoMoreThanTheirColumnsHold() {
        showScreen();
        type(fEmpresa->edEMP_Nome, QString(90, 'n'));
        type(fEmpresa->edEMP_UF, "ABCDEF");
        fEmpresa->edEMP_Obs->clear();
        fEmpresa->edEMP_Obs->setFocus();
        type(fEmpresa->edEMP_Obs, QString(210, 'o'));
        QCOMPARE(fEmpresa->edEMP_Nome->text().size(), 80);
        QCOMPARE(fEmpresa->edEMP_UF->text(), QString("ABCD"));
        QCOMPARE(fEmpresa->edEMP_Obs->toPlainText().size(), 200);
        QTest::mouseClick(fEmpresa->Grava, Qt::LeftButton);
        QCOMPARE(stored("EMP_OBS").size(), 200);
    }

    void enterMovesOnAndLeavesTheObservations() {
        showScreen();
        QCOMPARE(QApplication::focusWidget(), fEmpresa->edEMP_Nome);
        QTest::keyClick(fEmpresa->edEMP_Nome, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), fEmpresa->edEMP_Insc);
        fEmpresa->edEMP_Email->setFocus();
        QTest::keyClick(fEmpresa->edEMP_Email, Qt::Key_Return);
        QVERIFY(fEmpresa->edEMP_Obs->hasFocus());
        QTest::keyClick(fEmpresa->edEMP_Obs, Qt::Key_Return);
        QVERIFY(!fEmpresa->edEMP_Obs->hasFocus());
        QCOMPARE(fEmpresa->edEMP_Obs->toPlainText(), QString("velha"));
    }

    void failedSaveRollsBackAndKeepsTheTypedValues() {
        program->dbs.exec("config.gdb", "CREATE EXCEPTION E_EMP 'no'");
        program->dbs.exec(
            "config.gdb",
            "CREATE TRIGGER T_EMP FOR EMPRESA BEFORE UPDATE AS BEGIN EXCEPTION E_EMP; END");
        showScreen();
        type(fEmpresa->edEMP_Nome, "Outra");
        QTest::mouseClick(fEmpresa->Grava, Qt::LeftButton);
        QCOMPARE(program->recorder.texts(), QStringList{"Ocorreu um Erro, tente novamente !"});
        QCOMPARE(program->recorder.messages[0].kind, Messages::Kind::Information);
        QVERIFY(!dmConfig->SQLC_Config->database().inTransaction());
        QCOMPARE(stored("EMP_NOME"), QString("Loja"));
        QCOMPARE(fEmpresa->edEMP_Nome->text(), QString("Outra"));
        QCOMPARE(fPrincipal->lbNome->text(), QString());
    }

    void aboutBoxShowsTheVersionAndOpensTheHomePage() {
        fPrincipal->NumeroVersao = "1.1.1-24112006";
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("http", &catcher, "open");
        fSobre->show();
        QCOMPARE(fSobre->windowTitle(), QString("Sobre"));
        QCOMPARE(fSobre->lbVersao->text(), QString("1.1.1-24112006"));
        QTest::mouseClick(fSobre->lbPagina, Qt::LeftButton);
        QDesktopServices::unsetUrlHandler("http");
        QCOMPARE(catcher.opened, QList<QUrl>{QUrl("http://www.kelvara.example")});
        QTest::mouseClick(fSobre->btnSobre_Fechar, Qt::LeftButton);
        QVERIFY(!fSobre->isVisible());
    }
};

KELVARA_TEST_MAIN(TestEmpresa)
#include "tst_empresa.moc"
