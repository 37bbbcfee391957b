#include "data/Conexao.h"
#include "data/DataModule_Conexao.h"
#include "data/DataModule_Config.h"
#include "data/DataModule_Produtos.h"
#include "data/SqlConnection.h"
#include "shell/Arquivos.h"
#include "utilities/Backup.h"
#include "utilities/Restaura_Backup.h"

#include "data/Esquema.h"

#include "TestMain.h"
#include "TestSupport.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <memory>

class TestBackup : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;
    QStringList answers; // what the file dialogs answer, in order ("" cancels)

    QString local(const QString& name) const { return program->dbs.localPath() + "/" + name; }
    void run(const QString& sql) { program->dbs.exec("qor.gdb", sql); }
    QStringList products(const QString& database = "qor.gdb") {
        fb::Connection db;
        db.attach(ConexaoAdministrador(CaminhoBanco(program->dbs.folder(), database)));
        const fb::ResultSet r =
            db.select("Select PRO_Codigo, PRO_Descricao, PRO_PCusto, PRO_Quant From Produtos "
                      "order by PRO_Codigo");
        QStringList all;
        for (int i = 0; i < r.rowCount(); ++i)
            all << QStringList{r.value(i, 0).toString(), r.value(i, 1).toString(),
                               r.value(i, 2).toString(), r.value(i, 3).toString()}
                       .join(u'|');
        return all;
    }
    QStringList messages() const { return program->recorder.texts(); }
    void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    // Restores the backup over the stock database, as the operator does.
    void restoreStock(const QString& backup) {
        fRestaura_Backup->show();
        answers = {backup, local("qor.gdb")};
        click(fRestaura_Backup->Button2);
        click(fRestaura_Backup->btnEscolhePasta);
        click(fRestaura_Backup->btnGeraBackup);
    }

private slots:
    void init() {
        program = std::make_unique<RunningProgram>();
        answers.clear();
        Arquivos::setHandler([this](const Arquivos::Pedido&) {
            QDir::setCurrent(QDir::tempPath()); // as some dialogs do
            return answers.isEmpty() ? QString() : answers.takeFirst();
        });
        run("Insert Into Grupos Values ('000001', 'Geral')");
        run("Insert Into Produtos (PRO_Codigo, PRO_Descricao, PRO_CodGRU, PRO_PCusto, PRO_Quant) "
            "Values ('        12', 'Café Pilão', '000001', 12.35, 2.5)");
    }
    void cleanup() {
        for (QDialog* screen : std::initializer_list<QDialog*>{fBackup, fRestaura_Backup})
            if (screen->isVisible())
                screen->close();
        Arquivos::setHandler({});
        program.reset();
    }

    // Without a choice the backups go to the working directory, and
    // Firebird's own gbak restores them into the same rows.
    void backupWritesTheWorkingDirectoryFilesThatGbakRestores() {
        const QString start = QDir::currentPath();
        fBackup->show();
        QCOMPARE(fBackup->windowTitle(), QString("Backup dos Dados do Sistema"));
        QCOMPARE(fBackup->edPasta->text(), start + "/backup.gbk");
        QCOMPARE(fBackup->edPasta2->text(), start + "/config.gbk");
        QVERIFY(!fBackup->edPasta->isEnabled());
        click(fBackup->btnGeraBackup);
        click(fBackup->btnGeraBackup2);
        QCOMPARE(messages(), (QStringList{"Backup dos Dados Realizado com Sucesso !",
                                          "Backup das Configurações Realizado com Sucesso !"}));
        QCOMPARE(program->recorder.messages[0].kind, Messages::Kind::Information);
        QVERIFY(QFile::exists(start + "/config.gbk"));

        const QString restored = local("gbak.gdb");
        QProcess gbak;
        gbak.start("gbak", {"-c", "-user", UsuarioBanco, "-password", SenhaBanco,
                            start + "/backup.gbk", "localhost:" + restored});
        QVERIFY(gbak.waitForFinished(60000));
        QVERIFY2(gbak.exitCode() == 0, gbak.readAllStandardError().constData());
        QCOMPARE(products("gbak.gdb"), products());
        fb::Connection db;
        db.attach(ConexaoAdministrador("localhost:" + restored));
        db.drop();
    }

    void pickersKeepTheirFileWhenCancelledAndTheDirectoryIsRestored() {
        const QString start = QDir::currentPath();
        fBackup->show();
        answers = {""};
        click(fBackup->btnEscolhePasta);
        QCOMPARE(fBackup->edPasta->text(), start + "/backup.gbk");
        answers = {local("outra pasta - cópia.gbk")};
        click(fBackup->btnEscolhePasta);
        QCOMPARE(fBackup->edPasta->text(), local("outra pasta - cópia.gbk"));
        click(fBackup->btnGeraBackup);
        QVERIFY(QFile::exists(local("outra pasta - cópia.gbk")));
        QVERIFY(!QFile::exists(start + "/backup.gbk"));
        QCOMPARE(QDir::currentPath(), start);
        click(fBackup->btnFechar);
        QCOMPARE(QDir::currentPath(), start);
    }

    // Restores bring every row back exactly, twice in a row, and the program
    // goes on with the stock connection open.
    void restoresBringTheDataBackAndKeepTheProgramGoing() {
        const QStringList before = products();
        fBackup->show();
        click(fBackup->btnGeraBackup);
        fBackup->close();
        run("Update Produtos Set PRO_PCusto = 1, PRO_Descricao = 'mudou'");
        program->recorder.messages.clear();

        fRestaura_Backup->show();
        QCOMPARE(fRestaura_Backup->windowTitle(), QString("fRestaura_Backup"));
        QVERIFY(!dmConexao->SQLC_QOR->Connected());
        answers = {QDir::currentPath() + "/backup.gbk", local("qor.gdb")};
        click(fRestaura_Backup->Button2);
        click(fRestaura_Backup->btnEscolhePasta);
        QCOMPARE(fRestaura_Backup->edPasta->text(), local("qor.gdb"));
        click(fRestaura_Backup->btnGeraBackup);
        QVERIFY(dmConexao->SQLC_QOR->Connected());
        QCOMPARE(products(), before);
        run("Update Produtos Set PRO_PCusto = 2");
        click(fRestaura_Backup->btnGeraBackup);
        QVERIFY2(messages().isEmpty(), qPrintable(messages().join("\n")));
        QCOMPARE(products(), before);
        fRestaura_Backup->close();
        QVERIFY(dmConexao->SQLC_QOR->Connected());
        dmProdutos->cds_Produtos->Refresh();
        QCOMPARE(dmProdutos->cds_Produtos->FieldText("PRO_DESCRICAO").trimmed(),
                 QString("Café Pilão"));
    }

    // That was the wrong backup: the operator chooses the newest safety copy
    // in the list, which names its database too, and restores it.
    void choosingASafetyCopyUndoesTheRestore() {
        fBackup->show();
        click(fBackup->btnGeraBackup);
        fBackup->close();
        run("Update Produtos Set PRO_Descricao = 'o certo'");
        const QStringList right = products();
        restoreStock(QDir::currentPath() + "/backup.gbk");
        QVERIFY(products() != right);
        program->recorder.messages.clear();

        QComboBox* copies = fRestaura_Backup->cbCopias;
        QCOMPARE(copies->count(), 1);
        QCOMPARE(copies->currentIndex(), -1);
        QVERIFY2(copies->itemText(0).startsWith(QDate::currentDate().toString("dd/MM/yyyy")),
                 qPrintable(copies->itemText(0)));
        copies->setFocus();
        QTest::keyClick(copies, Qt::Key_Down);
        QVERIFY(fRestaura_Backup->edBackup1->text().startsWith(local("qor.gdb.anterior-")));
        QCOMPARE(fRestaura_Backup->edPasta->text(), local("qor.gdb"));
        click(fRestaura_Backup->btnGeraBackup);
        QVERIFY2(messages().isEmpty(), qPrintable(messages().join("\n")));
        QCOMPARE(products(), right);
        QCOMPARE(copies->count(), 2);
    }

    // A restore that cannot go through leaves the database as it was: a
    // damaged file, a database another workstation holds open, or the
    // configuration's backup chosen for the stock.
    void failedRestoresReportTheServerAndLoseNothing_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("told");
        QTest::newRow("damaged backup") << "damaged"
                                        << "backup file";
        QTest::newRow("database in use")
            << "in use"
            << "Feche o Kelvara nas outras estações e restaure de novo; nada foi alterado.";
        QTest::newRow("configuration backup") << "configuration"
                                              << "não é um backup deste Banco de Dados";
        QTest::newRow("backup of a newer version")
            << "newer"
            << "O backup escolhido foi feito por uma versão mais nova do Kelvara (esquema 99";
    }
    void failedRestoresReportTheServerAndLoseNothing() {
        QFETCH(QString, fault);
        QFETCH(QString, told);
        if (fault == "newer")
            run("update Esquema set Versao = 99");
        fBackup->show();
        click(fBackup->btnGeraBackup);
        click(fBackup->btnGeraBackup2);
        fBackup->close();
        if (fault == "newer")
            run(QString("update Esquema set Versao = %1").arg(VersaoEsquema));
        const QString backup =
            QDir::currentPath() + (fault == "configuration" ? "/config.gbk" : "/backup.gbk");
        if (fault == "damaged") {
            QFile f(backup);
            QVERIFY(f.resize(f.size() / 2));
        }
        run("Update Produtos Set PRO_Descricao = 'depois do backup'");
        const QStringList before = products();
        fb::Connection other;
        if (fault == "in use")
            other.attach(ConexaoAdministrador(CaminhoBanco(program->dbs.folder(), "qor.gdb")));

        program->recorder.messages.clear();
        restoreStock(backup);
        QCOMPARE(messages().size(), 1);
        QVERIFY2(messages()[0].startsWith(
                     "Não consegui Restaurar o Backup dos Dados\nMensagem de Erro:") &&
                     messages()[0].contains(told),
                 qPrintable(messages()[0]));
        QCOMPARE(program->recorder.messages[0].kind, Messages::Kind::Warning);
        QVERIFY(dmConexao->SQLC_QOR->Connected());
        other.detach();
        QCOMPARE(products(), before);
    }

    // A backup made by the previous version comes back with every row, in
    // this version's schema.
    void olderBackupIsUpgradedOnRestore() {
        program->dbs.createSchema1("antigo.gdb", "qor");
        program->dbs.exec("antigo.gdb", "Insert Into Produtos (PRO_Codigo, PRO_Descricao) Values "
                                        "('         7', 'Água mineral')");
        const QString backup = local("antigo.gbk");
        QProcess gbak;
        gbak.start("gbak", {"-b", "-user", UsuarioBanco, "-password", SenhaBanco,
                            "localhost:" + local("antigo.gdb"), backup});
        QVERIFY(gbak.waitForFinished(60000));
        QVERIFY2(gbak.exitCode() == 0, gbak.readAllStandardError().constData());

        program->recorder.messages.clear();
        restoreStock(backup);
        QVERIFY2(messages().isEmpty(), qPrintable(messages().join("\n")));
        QCOMPARE(products(), QStringList{"         7|Água mineral||"});
        QCOMPARE(BancosDesatualizados(program->dbs.folder()), QStringList());
    }

    void configurationRestoreEndsTheProgram() {
        fBackup->show();
        click(fBackup->btnGeraBackup2);
        fBackup->close();
        program->recorder.messages.clear();
        fRestaura_Backup->show();
        click(fRestaura_Backup->btnGeraBackup2); // nothing chosen: the server refuses
        QCOMPARE(messages().size(), 1);
        QVERIFY(messages()[0].startsWith(
            "Não consegui Restaurar o Backup das Configurações\nMensagem de Erro:"));
        QCOMPARE(program->recorder.endRequests, 0);

        program->recorder.messages.clear();
        answers = {QDir::currentPath() + "/config.gbk", local("config.gdb")};
        click(fRestaura_Backup->Button1);
        click(fRestaura_Backup->btnEscolherPasta);
        click(fRestaura_Backup->btnGeraBackup2);
        QCOMPARE(messages(), QStringList{"Restauração do Backup das Configurações Realizado com "
                                         "Sucesso ! A Aplicação será Finalizada !"});
        QCOMPARE(program->recorder.messages[0].kind, Messages::Kind::Information);
        QCOMPARE(program->recorder.endRequests, 1);
    }
};

KELVARA_TEST_MAIN(TestBackup)
#include "tst_backup.moc"
