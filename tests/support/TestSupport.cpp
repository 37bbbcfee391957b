#include "TestSupport.h"

#include "app/Config_BancoDados.h"
#include "app/Pricipal.h"
#include "app/Startup.h"
#include "data/Conexao.h"
#include "data/ConfigIni.h"
#include "data/DataModule_Conexao.h"
#include "data/DataModule_Config.h"
#include "data/DataModule_MovEstq.h"
#include "data/Esquema.h"
#include "data/FbConnection.h"
#include "reportengine/BandReport.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <QtTest>
#include <memory>

namespace {

QString server() {
    const QByteArray host = qgetenv("KELVARA_TEST_SERVER");
    return host.isEmpty() ? QStringLiteral("localhost") : QString::fromLocal8Bit(host);
}

} // namespace

// The folder is named as a Brazilian desktop names its folders, with an
// accent and a blank, so every test goes through such a path.
TestDatabases::TestDatabases()
    : dir(QDir::tempPath() + QStringLiteral("/kelvara teste São Paulo-XXXXXX")) {
    if (!dir.isValid())
        qFatal("cannot create a temporary folder");
    // The server runs as its own user and must reach the folder.
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                          QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                          QFile::ReadOther | QFile::WriteOther | QFile::ExeOther);
    try {
        CriaBancos(folder());
    } catch (const std::exception& e) {
        qFatal("cannot create the test databases: %s", e.what());
    }
    previousDir = QDir::currentPath();
    QDir::setCurrent(dir.path());
}

TestDatabases::~TestDatabases() {
    QDir::setCurrent(previousDir);
    if (dmConexao)
        dmConexao->SQLC_QOR->Close();
    if (dmConfig)
        dmConfig->SQLC_Config->Close();
    // Drop through the server: its files belong to the server's user.
    for (const char* name : {"qor.gdb", "config.gdb"}) {
        fb::Connection db;
        try {
            db.attach(ConexaoAdministrador(CaminhoBanco(folder(), QString::fromLatin1(name))));
            db.drop();
        } catch (...) {
        }
    }
}

QString TestDatabases::folder() const {
    return server() + u':' + dir.path();
}

void TestDatabases::writeConfigIni(const QString& folderValue) {
    ConfigIni::writeFolder(folderValue);
}

void TestDatabases::connect() {
    if (!dmConexao)
        dmConexao = new TdmConexao;
    if (!dmConfig)
        dmConfig = new TdmConfig;
    ConectaBancos(folder());
}

void TestDatabases::exec(const QString& database, const QString& sql) {
    fb::Connection db;
    db.attach(ConexaoAdministrador(CaminhoBanco(folder(), database)));
    db.executeImmediate(sql);
}

void TestDatabases::makeSchema1() {
    for (const QString& name : {QStringLiteral("qor"), QStringLiteral("config")}) {
        fb::Connection current;
        current.attach(ConexaoAdministrador(CaminhoBanco(folder(), name + QStringLiteral(".gdb"))));
        current.drop();
        createSchema1(name + QStringLiteral(".gdb"), name);
    }
}

void TestDatabases::makeSchema2() {
    makeSchema1();
    for (const QString& name : {QStringLiteral("qor"), QStringLiteral("config")}) {
        fb::Connection db;
        db.attach(ConexaoAdministrador(CaminhoBanco(folder(), name + QStringLiteral(".gdb"))));
        fb::Transaction step(db);
        for (const QString& statement :
             ComandosEsquema(QStringLiteral(":/schema/%1-2.sql").arg(name)))
            db.executeImmediate(statement);
        step.commit();
    }
}

void TestDatabases::makeSchema3() {
    makeSchema2();
    for (const QString& name : {QStringLiteral("qor"), QStringLiteral("config")}) {
        fb::Connection db;
        db.attach(ConexaoAdministrador(CaminhoBanco(folder(), name + QStringLiteral(".gdb"))));
        auto step = std::make_unique<fb::Transaction>(db);
        for (const QString& statement :
             ComandosEsquema(QStringLiteral(":/schema/%1-3.sql").arg(name))) {
            if (statement.compare(QLatin1String("COMMIT"), Qt::CaseInsensitive) == 0) {
                step->commit();
                step = std::make_unique<fb::Transaction>(db);
            } else {
                db.executeImmediate(statement);
            }
        }
        step->commit();
    }
}

void TestDatabases::createSchema1(const QString& file, const QString& schema) {
    fb::Connection db;
    db.create(ConexaoAdministrador(CaminhoBanco(folder(), file)));
    for (const QString& statement :
         ComandosEsquema(QStringLiteral(KELVARA_SCHEMA1_DIR "/%1.sql").arg(schema)))
        db.executeImmediate(statement);
    db.detach();
}

MessageRecorder::MessageRecorder() {
    Messages::setHandler([this](Messages::Kind kind, const QString& text) {
        messages.append({kind, text});
        if (onMessage)
            onMessage(messages.last());
        if (kind != Messages::Kind::Confirmation)
            return true;
        return answers.isEmpty() ? true : answers.takeFirst();
    });
    Process::setEndHandler([this] { ++endRequests; });
}

MessageRecorder::~MessageRecorder() {
    Messages::setHandler({});
    Process::setEndHandler({});
}

QStringList MessageRecorder::texts() const {
    QStringList all;
    for (const auto& m : messages)
        all << m.text;
    return all;
}

void whenModal(std::function<void(QWidget*)> action, int timeoutMs) {
    auto* timer = new QTimer;
    auto* clock = new QElapsedTimer;
    clock->start();
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, clock, action, timeoutMs] {
        // An operator acts on a screen once it is up and active: focus
        // moves only inside the active window.
        QWidget* modal = QApplication::activeModalWidget();
        if ((!modal || !modal->isActiveWindow()) && clock->elapsed() < timeoutMs)
            return;
        timer->stop();
        timer->deleteLater();
        delete clock;
        if (!modal) {
            qWarning("no modal widget appeared");
            return;
        }
        QPointer<QWidget> guard(modal);
        action(modal);
        // An action cut short by a failed check must not leave the test
        // hanging in the modal loop.
        if (guard && guard->isVisible() && QApplication::activeModalWidget() == guard) {
            qWarning("modal widget left open; closing it");
            guard->close();
        }
    });
    timer->start();
}

RunningProgram::RunningProgram() {
    dbs.writeConfigIni();
    if (!StartProgram())
        qFatal("the program did not start: %s", qPrintable(recorder.texts().join(u'\n')));
}

RunningProgram::~RunningProgram() {
    report::BandReport::setClock({});
    DestroyProgram();
}

void RunningProgram::printAsInTheExpectations() {
    report::BandReport::setClock([] { return QDateTime(QDate(2006, 11, 24), QTime(14, 30, 5)); });
    fPrincipal->NomeEmpresa = QStringLiteral("Casa Kelvara Ltda");
    fPrincipal->FoneEmpresa = QStringLiteral("(11) 5555-0199");
}

void typeText(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(widget, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void retype(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->clear();
    typeText(field, text);
}

QStringList storedRows(const QString& sql, const QStringList& columns) {
    const fb::ResultSet r = dmConexao->SQLC_QOR->database().select(sql);
    QStringList rows;
    for (int i = 0; i < r.rowCount(); ++i) {
        QStringList cells;
        for (const QString& column : columns)
            cells << r.value(i, column).toString();
        rows << cells.join(u'|');
    }
    return rows;
}

QString differsFromExpectation(const QString& printed, const QString& expectationFile) {
    const QString name = QFileInfo(expectationFile).fileName();
    QFile actual(QStringLiteral(KELVARA_TEST_OUTPUT_DIR "/") + name + QStringLiteral(".actual"));
    QFile expected(expectationFile);
    if (!expected.open(QIODevice::ReadOnly)) {
        if (actual.open(QIODevice::WriteOnly))
            actual.write(printed.toUtf8());
        return QStringLiteral("no expectation %1; printed text in %2")
            .arg(expectationFile, actual.fileName());
    }
    const QStringList want = QString::fromUtf8(expected.readAll()).split(u'\n');
    const QStringList got = printed.split(u'\n');
    for (int i = 0; i < std::max(want.size(), got.size()); ++i) {
        const QString w = i < want.size() ? want[i] : QStringLiteral("<end>");
        const QString g = i < got.size() ? got[i] : QStringLiteral("<end>");
        if (w != g) {
            if (actual.open(QIODevice::WriteOnly))
                actual.write(printed.toUtf8());
            return QStringLiteral("%1 line %2:\n expected: %3\n printed:  %4\n(whole text in %5)")
                .arg(name)
                .arg(i + 1)
                .arg(w, g, actual.fileName());
        }
    }
    return {};
}

void loadMovementPeriod(const QDate& from, const QDate& to) {
    fb::Params params;
    params.setDate(QStringLiteral("DataIniD"), from);
    params.setDate(QStringLiteral("DataFimD"), to);
    dmMovEstq->cds_MovEstq->Reload(
        {QStringLiteral("SElect m.*,p.PRO_Descricao, c.DESCRICAO,t.TIP_Descricao From Mov_Estq m "
                        "join Produtos p on (m.MOV_CodPro = p.PRO_Codigo) join CodMOV c on "
                        "(m.MOV_Oper=c.CODIGO)  Left Outer join Tipos t on"),
         QStringLiteral("(m.MOV_Tipo=t.TIP_CODIGO) Where m.MOV_DAta Between :DataIniD and "
                        ":DataFimD Order By m.MOV_Data ")},
        params);
}
