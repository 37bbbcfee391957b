#include "app/Pricipal.h"
#include "data/DataModule_MovEstq.h"
#include "data/DataModule_Produtos.h"
#include "reportengine/ReportPreview.h"
#include "reports/Rel_Listas_Precos.h"
#include "reports/Rel_Mov_Estq.h"
#include "reports/Tela_Impressora.h"

#include "TestMain.h"
#include "TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

using namespace report;

// The tests' own print queue, a PDF printer of the machine's print server:
// what it prints lands as job_<number>-<title>.pdf in its folder.
class Fila {
public:
    const QString nome = qEnvironmentVariable("KELVARA_TEST_PRINTER", "kelvara-teste");
    const QString pasta =
        qEnvironmentVariable("KELVARA_TEST_PRINT_DIR", "/var/spool/cups-pdf/kelvara-teste");

    static QString comando(const QString& programa, const QStringList& argumentos) {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(programa, argumentos);
        p.waitForFinished(30000);
        return QString::fromUtf8(p.readAll());
    }
    // Ready as the tests need it: running, taking jobs, none waiting.
    void prepara() const {
        comando("cupsenable", {nome});
        comando("cupsaccept", {nome});
        comando("cancel", {"-a", nome});
    }
    QStringList arquivos() const {
        return QDir(pasta).entryList({"job_*.pdf"}, QDir::Files, QDir::Name);
    }
    QStringList esperando() const {
        return comando("lpstat", {"-o", nome}).split('\n', Qt::SkipEmptyParts);
    }
    // The files of the jobs printed since before, once none is still being
    // printed (a file is readable by all only when written whole).
    QStringList novos(const QStringList& antes, int esperados, int ms = 60000) const {
        QElapsedTimer relogio;
        relogio.start();
        QStringList feitos;
        for (;;) {
            feitos.clear();
            for (const QString& f : arquivos())
                if (!antes.contains(f) &&
                    QFileInfo(pasta + "/" + f).permissions().testFlag(QFile::ReadOther))
                    feitos << f;
            if ((feitos.size() >= esperados && esperando().isEmpty()) || relogio.elapsed() >= ms)
                break;
            QTest::qWait(100);
        }
        return feitos;
    }
};

class TestImpressao : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;
    Fila fila;
    QStringList antes;

    void run(const QString& sql) { program->dbs.exec("qor.gdb", sql); }

    void addProducts(int count) {
        run("Insert Into Grupos Values ('000001', 'Ferragens')");
        run(QString("execute block as declare i integer = 1; begin while (i <= %1) do begin "
                    "insert into Produtos (PRO_Codigo, PRO_Descricao, PRO_Unid, PRO_CodGru, "
                    "PRO_Quant, PRO_PCusto, PRO_PVenda, PRO_Min) values (lpad(:i, 10), "
                    "'Produto de número ' || :i, 'UN', '000001', :i, :i * 2, :i * 3.5, 0); "
                    "i = i + 1; end end")
                .arg(count));
        dmProdutos->cds_Produtos->Reload(
            {"Select p.*,g.GRU_Descricao From Produtos p join Grupos g on(p.PRO_CodGRU "
             "=g.GRU_Codigo) Order By p.PRO_Codigo"});
    }
    void addMovements(int count) {
        run("Insert Into Produtos (PRO_Codigo, PRO_Descricao) Values ('         7', 'Parafuso')");
        run(QString("execute block as declare i integer = 0; begin while (i < %1) do begin "
                    "insert into Mov_Estq values ('         7', 'EE', dateadd(mod(:i, 28) day to "
                    "date '2006-03-01'), :i, 1, 'NF', null); i = i + 1; end end")
                .arg(count));
        loadMovementPeriod(QDate(2006, 3, 1), QDate(2006, 3, 31));
    }
    // Presses a chooser button for the key, as the menu command would.
    void choose(const QString& key, QPushButton* TfTela_Impressora::*button) {
        fTela_Impressora->Relatorio = key;
        whenModal(
            [button](QWidget*) { QTest::mouseClick(fTela_Impressora->*button, Qt::LeftButton); });
        fTela_Impressora->exec();
    }
    // The lines of words of a PDF, in the order they stand on its pages.
    static QStringList text(const QString& pdf) {
        QStringList lines;
        for (const QString& line : Fila::comando("pdftotext", {"-layout", pdf, "-"}).split('\n'))
            if (!line.simplified().isEmpty())
                lines << line.simplified();
        return lines;
    }
    // The pages of a PDF as the operator would see them on paper, small.
    static QList<QImage> pages(const QString& pdf, const QString& prefix) {
        Fila::comando("pdftoppm", {"-r", "50", "-gray", pdf, prefix});
        QList<QImage> images;
        const QFileInfo base(prefix);
        for (const QString& f :
             QDir(base.path()).entryList({base.fileName() + "-*.pgm"}, QDir::Files, QDir::Name))
            images << QImage(base.path() + "/" + f);
        return images;
    }
    // How much of a page differs from another: the share of pixels whose
    // grey differs by more than a quarter, after both are softened to half
    // their size, as two renderings of the same glyphs differ only at their
    // edges. Two pages of one list differ in some 6 % of their pixels.
    static double differs(const QImage& a, const QImage& b) {
        if (a.size() != b.size())
            return 1;
        auto soft = [](const QImage& i) {
            return i.scaled(i.size() / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .convertToFormat(QImage::Format_Grayscale8);
        };
        const QImage x = soft(a), y = soft(b);
        qint64 different = 0;
        for (int row = 0; row < x.height(); ++row) {
            const uchar* p = x.constScanLine(row);
            const uchar* q = y.constScanLine(row);
            for (int col = 0; col < x.width(); ++col)
                different += qAbs(int(p[col]) - int(q[col])) > 64;
        }
        return double(different) / (x.width() * x.height());
    }

private slots:
    void init() {
        program = std::make_unique<RunningProgram>();
        program->printAsInTheExpectations();
        fila.prepara();
        antes = fila.arquivos();
        for (BandReport* r : {fRel_Listas_Precos->qp_Listas_Precos, fRel_Mov_Estq->qrMov_Estq})
            r->printer()->setPrinterName(fila.nome);
    }
    void cleanup() {
        fila.prepara();
        BandReport::setClock({});
        BandReport::setPrintDialog({});
        program.reset();
    }

    // What reaches the paper is the report as saved: same pages, same
    // words, same ink; and the job carries the report's title.
    void printedPagesAreTheSavedReport_data() {
        QTest::addColumn<bool>("fromPreview");
        QTest::newRow("Impressora") << false;
        QTest::newRow("Imprimir da tela") << true;
    }
    void printedPagesAreTheSavedReport() {
        QFETCH(bool, fromPreview);
        addProducts(90);
        BandReport* report = fRel_Listas_Precos->qp_Listas_Precos;
        if (fromPreview) {
            BandReport::setPrintDialog([](QPrinter*, QWidget*) { return true; });
            fTela_Impressora->Relatorio = "Lista Preco Descricao";
            whenModal([](QWidget*) {
                whenModal<ReportPreview>([](ReportPreview* preview) {
                    QTest::mouseClick(preview->btnImprimir, Qt::LeftButton);
                    QTest::mouseClick(preview->btnFechar, Qt::LeftButton);
                });
                QTest::mouseClick(fTela_Impressora->BitBtn1, Qt::LeftButton);
            });
            fTela_Impressora->exec();
        } else {
            choose("Lista Preco Descricao", &TfTela_Impressora::BitBtn2);
        }
        const QStringList printed = fila.novos(antes, 1);
        QCOMPARE(printed.size(), 1);
        QVERIFY2(printed[0].endsWith("-Lista_de_Pre__os.pdf"), qPrintable(printed[0]));
        QVERIFY(program->recorder.messages.isEmpty());

        QTemporaryDir work;
        const QString saved = work.filePath("salvo.pdf");
        QVERIFY(report->SavePdf(saved));
        const QString paper = fila.pasta + "/" + printed[0];
        const QStringList printedLines = text(paper), savedLines = text(saved);
        for (int i = 0; i < std::min(printedLines.size(), savedLines.size()); ++i)
            QCOMPARE(printedLines[i], savedLines[i]);
        QCOMPARE(printedLines.size(), savedLines.size());
        const QList<QImage> onPaper = pages(paper, work.filePath("papel"));
        const QList<QImage> onFile = pages(saved, work.filePath("arquivo"));
        QCOMPARE(onPaper.size(), 2);
        QCOMPARE(onPaper.size(), onFile.size());
        for (int i = 0; i < onPaper.size(); ++i) {
            const double share = differs(onPaper[i], onFile[i]);
            QVERIFY2(
                share < 0.005,
                qPrintable(
                    QString("page %1 differs in %2 %% of its pixels").arg(i + 1).arg(share * 100)));
        }
        QFile::remove(paper);
    }

    // Cancelling in the middle of a long print sends nothing to the
    // printer; the next print goes out whole.
    void cancelledPrintSendsNothing() {
        addMovements(6000);
        BandReport* report = fRel_Mov_Estq->qrMov_Estq;
        bool cancelled = false;
        QTimer operador;
        connect(&operador, &QTimer::timeout, [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* progress = qobject_cast<QProgressDialog*>(w);
                    progress && progress->isVisible() && !cancelled &&
                    progress->labelText() == "Imprimindo..." && progress->value() >= 20) {
                    cancelled = true;
                    QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
                }
        });
        operador.start(5);
        QVERIFY(!report->Print());
        operador.stop();
        QVERIFY(cancelled);
        QTest::qWait(2000);
        QVERIFY(fila.esperando().isEmpty());
        QCOMPARE(fila.novos(antes, 0, 0), QStringList());
        QVERIFY(program->recorder.messages.isEmpty());

        QVERIFY(report->Print());
        const QStringList printed = fila.novos(antes, 1);
        QCOMPARE(printed.size(), 1);
        QVERIFY(printed[0].contains("Movimenta"));
        QFile::remove(fila.pasta + "/" + printed[0]);
    }

    // A stopped printer keeps the job in its queue, and says so; a printer
    // that refuses jobs prints nothing, and says so.
    void stoppedOrRefusingPrinterIsTold_data() {
        QTest::addColumn<QString>("comando");
        QTest::addColumn<bool>("aceito");
        QTest::addColumn<QString>("mensagem");
        QTest::newRow("parada") << "cupsdisable" << true
                                << "A impressora \"kelvara-teste\" está parada. O relatório "
                                   "\"Lista de Preços\" ficou na fila dela e será impresso quando "
                                   "ela voltar a funcionar.";
        QTest::newRow("recusando") << "cupsreject" << false
                                   << "A impressora \"kelvara-teste\" não aceitou o relatório "
                                      "\"Lista de Preços\": ";
    }
    void stoppedOrRefusingPrinterIsTold() {
        QFETCH(QString, comando);
        QFETCH(bool, aceito);
        QFETCH(QString, mensagem);
        addProducts(3);
        Fila::comando(comando, {fila.nome});
        choose("Lista Preco Descricao", &TfTela_Impressora::BitBtn2);
        QCOMPARE(program->recorder.texts().size(), 1);
        QVERIFY2(program->recorder.texts()[0].startsWith(mensagem),
                 qPrintable(program->recorder.texts()[0]));
        QCOMPARE(fila.esperando().size(), aceito ? 1 : 0);
        QTest::qWait(500);
        QCOMPARE(fila.novos(antes, 0, 0), QStringList());
    }
};

KELVARA_TEST_MAIN(TestImpressao)
#include "tst_impressao.moc"
