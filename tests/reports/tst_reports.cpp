#include "app/Pricipal.h"
#include "reportengine/RecordingDevice.h"
#include "reportengine/ReportPreview.h"
#include "reports/Rel_Formularios.h"
#include "reports/Rel_Mov_Estq.h"
#include "reports/Tela_Impressora.h"

#include "TestMain.h"
#include "TestSupport.h"

#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <memory>

using namespace report;

class TestReports : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;

    void run(const QString& sql) { program->dbs.exec("qor.gdb", sql); }

    void addMovement(int day, const QString& oper, double quant, double value) {
        run(QString("Insert Into Mov_Estq Values ('        12', '%1', '2006-03-%2', %3, %4, "
                    "'NF 1', null)")
                .arg(oper)
                .arg(day, 2, 10, QChar('0'))
                .arg(value)
                .arg(quant));
    }
    // One movement a day from the first of March, each "OPER quantity
    // value"; then the list of March as the period dialog loads it.
    void addMovements(const QStringList& movements) {
        int day = 1;
        for (const QString& m : movements) {
            const QStringList parts = m.split(' ');
            addMovement(day++, parts[0], parts[1].toDouble(), parts[2].toDouble());
        }
        loadMarch();
    }
    void loadMarch() {
        loadMovementPeriod(QDate(2006, 3, 1), QDate(2006, 3, 31));
        fRel_Mov_Estq->lbDataIni->setCaption("01/03/2006");
        fRel_Mov_Estq->lbDataFim->setCaption("31/03/2006");
    }
    QString pdfPath(const QString& name) const { return program->dbs.localPath() + "/" + name; }
    // The report's printer writes a PDF file instead.
    QString printToFile(BandReport* report, const QString& name) {
        report->printer()->setOutputFormat(QPrinter::PdfFormat);
        report->printer()->setOutputFileName(pdfPath(name));
        return pdfPath(name);
    }
    static QString pdfText(const QString& path) {
        QProcess p;
        p.start("pdftotext", {"-layout", path, "-"});
        p.waitForFinished();
        return QString::fromUtf8(p.readAllStandardOutput());
    }
    // Presses a chooser button for the key, as the caller would after
    // loading the list.
    void choose(const QString& key, QPushButton* TfTela_Impressora::*button) {
        fTela_Impressora->Relatorio = key;
        whenModal([button](QWidget* shown) {
            QCOMPARE(shown, fTela_Impressora);
            QTest::mouseClick(fTela_Impressora->*button, Qt::LeftButton);
        });
        fTela_Impressora->exec();
        QVERIFY(!fTela_Impressora->isVisible());
    }
    QString nineTotals() const {
        const NoveTotais& t = fRel_Mov_Estq->totais;
        return QStringList{t.lbEEQ->caption(), t.lbEER->caption(), t.lbSSQ->caption(),
                           t.lbSSR->caption(), t.lbTEQ->caption(), t.lbTER->caption(),
                           t.lbTSQ->caption(), t.lbTSR->caption(), t.lbTotal->caption()}
            .join(" | ");
    }
    QString expected(const QString& name) { return QString(EXPECTED_DIR "/") + name; }

    std::vector<BandReport*> everyReport() const {
        return {fRel_Mov_Estq->qrMov_Estq,
                fRel_Mov_ESTQ_EST->qrMov_Estq_EST,
                fRelMovEstq_EST2->qrMovEstq_EST2,
                fRel_MovEstq_Produto_Geral->qrMovEstq_Produto_Geral,
                fRel_Mov_Estq_Produto_ES->qrMov_Estq_Produto_ES,
                fRel_Mov_Estq_Grupo->qrMov_Estq_Grupos,
                fRel_Mov_Estq_Grupo_ES->qrMov_Estq_Grupo_ES,
                fRel_Mov_Estq_Tipo->qrMov_Estq_Tipo,
                fRel_Listas_Precos->qp_Listas_Precos,
                fRel_Itens_Estoque->qrItens_Estoque,
                fRel_Itens_Estoque_Grupo->qrItens_Estoque_Grupo,
                fRelEstMin->qrEstMin};
    }

private slots:
    void init() {
        program = std::make_unique<RunningProgram>();
        BandReport::setClock([] { return QDateTime(QDate(2006, 11, 24), QTime(14, 30, 5)); });
        fPrincipal->NomeEmpresa = "Casa Kelvara Ltda";
        fPrincipal->FoneEmpresa = "(11) 5555-0199";
        run("Insert Into Produtos (PRO_Codigo, PRO_Descricao) Values ('        12', "
            "'Parafuso sextavado de aço inoxidável com porca')");
    }
    void cleanup() {
        BandReport::setClock({});
        BandReport::setPrintDialog({});
        program.reset();
    }

    void chooserLooksAsTheOperatorExpects() {
        QCOMPARE(fTela_Impressora->windowTitle(), QString("Escolha uma Opção"));
        QCOMPARE(fTela_Impressora->Label1->text(), QString("Escolha uma Opção ?"));
        QCOMPARE(fTela_Impressora->BitBtn1->text(), QString("Tela"));
        QCOMPARE(fTela_Impressora->BitBtn2->text(), QString("Impressora"));
        QCOMPARE(fTela_Impressora->BitBtn3->text(), QString("Cancela"));
        QCOMPARE(fTela_Impressora->BitBtn1->nextInFocusChain(), fTela_Impressora->BitBtn2);
        QCOMPARE(fTela_Impressora->BitBtn2->nextInFocusChain(), fTela_Impressora->BitBtn3);
    }

    // The list of every movement of a period as the operator reads it: the
    // first example of the nine totals, and an empty period.
    void generalMovementReportPrintsAsExpected_data() {
        QTest::addColumn<QStringList>("movements"); // "OPER quantity value"
        QTest::addColumn<QString>("expectation");
        QTest::newRow("entry and exit")
            << QStringList{"EE 10 100", "SS 4 60"} << "mov_estq_geral.txt";
        QTest::newRow("empty period") << QStringList{} << "mov_estq_vazio.txt";
    }
    void generalMovementReportPrintsAsExpected() {
        QFETCH(QStringList, movements);
        QFETCH(QString, expectation);
        addMovements(movements);
        RecordingDevice device;
        BandReport* report = fRel_Mov_Estq->qrMov_Estq;
        const Layout layout = report->generate(&device);
        const QString diff = differsFromExpectation(report->dump(layout), expected(expectation));
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
    }

    void balanceFollowsTheOperation_data() {
        QTest::addColumn<QStringList>("movements"); // "OPER quantity value"
        QTest::addColumn<QString>("totals");
        QTest::newRow("entry and exit")
            << QStringList{"EE 10 100", "SS 4 60"}
            << "10,000 | R$ 100,00 | 4,000 | R$ 60,00 | 0,000 | R$ 0,00 | 0,000 | R$ 0,00 | "
               "R$ 40,00";
        QTest::newRow("exit reversal raises, entry reversal lowers")
            << QStringList{"TS 1 30", "TE 2 5"}
            << "0,000 | R$ 0,00 | 0,000 | R$ 0,00 | 2,000 | R$ 5,00 | 1,000 | R$ 30,00 | "
               "R$ 25,00";
        QTest::newRow("negative balance")
            << QStringList{"EE 1 10", "SS 3 1250.5"}
            << "1,000 | R$ 10,00 | 3,000 | R$ 1.250,50 | 0,000 | R$ 0,00 | 0,000 | R$ 0,00 | "
               "-R$ 1.240,50";
    }
    void balanceFollowsTheOperation() {
        QFETCH(QStringList, movements);
        QFETCH(QString, totals);
        addMovements(movements);
        RecordingDevice device;
        fRel_Mov_Estq->qrMov_Estq->generate(&device);
        QCOMPARE(nineTotals(), totals);
    }

    // Every output starts from zero: a second preview shows what the first
    // did, printing from the preview prints the previewed totals, and the
    // totals are zero again once the preview and the print are over.
    void everyOutputStartsTotalsFromZero() {
        addMovements({"EE 10 100", "SS 4 60"});
        const QString printed = printToFile(fRel_Mov_Estq->qrMov_Estq, "da_tela.pdf");
        BandReport::setPrintDialog([](QPrinter*, QWidget*) { return true; });
        QStringList shown;
        for (int run = 0; run < 2; ++run) {
            whenModal([&shown, run](QWidget* chooser) {
                whenModal<ReportPreview>([&shown, run](ReportPreview* preview) {
                    shown << QString::number(fRel_Mov_Estq->totais.Total);
                    if (run == 1) {
                        QTest::mouseClick(preview->btnImprimir, Qt::LeftButton);
                        QCOMPARE(fRel_Mov_Estq->totais.Total, 0.0); // after print
                    }
                    QTest::mouseClick(preview->btnFechar, Qt::LeftButton);
                });
                QTest::mouseClick(qobject_cast<TfTela_Impressora*>(chooser)->BitBtn1,
                                  Qt::LeftButton);
            });
            fTela_Impressora->Relatorio = "Mov_Estq Geral Datas";
            fTela_Impressora->exec();
            QCOMPARE(fRel_Mov_Estq->totais.Total, 0.0);
            QCOMPARE(fRel_Mov_Estq->totais.EEQ, 0.0);
        }
        QCOMPARE(shown, QStringList({"40", "40"}));
        const QString text = pdfText(printed);
        QVERIFY2(text.contains(QRegularExpression("Balanço do Período:\\s+R\\$ 40,00")),
                 qPrintable(text));
        QVERIFY(program->recorder.messages.isEmpty());
    }

    // The whole way from the chooser to paper, read back from the PDF.
    void printerOutputCarriesHeaderRowsTotalsAndFooter() {
        addMovements({"EE 10 100", "SS 4 60"});
        const QString path = printToFile(fRel_Mov_Estq->qrMov_Estq, "geral.pdf");
        choose("Mov_Estq Geral Datas", &TfTela_Impressora::BitBtn2);
        const QString text = pdfText(path);
        for (const char* line :
             {"Casa Kelvara Ltda\\s+\\(11\\) 5555-0199",
              "Lista de Movimentação de Estoque Geral por Data",
              "Período: 01/03/2006\\s+à 31/03/2006",
              "Código\\s+Descrição\\s+Data\\s+Oper.\\s+Quantidade\\s+Valor",
              "12\\s+Parafuso sextavado de aço inoxidável com "
              "por\\s+01/03/2006\\s+EE\\s+10,000\\s+R\\$ 100,00",
              "Total de Entradas\\(Quantidade\\):\\s+10,000\\s+Total de "
              "Entradas\\(R\\$\\):\\s+R\\$ "
              "100,00",
              "Balanço do Período:\\s+R\\$ 40,00",
              "Página: 1\\s+Legenda: EE=Entrada,\\s+SS=Saída, TE=Estorno de Entrada, TS=Estorno de "
              "Saída\\s+Data/Hora: 24/11/2006 14:30:05"})
            QVERIFY2(text.contains(QRegularExpression(QString::fromUtf8(line))),
                     qPrintable(QString::fromUtf8(line) + "\n" + text));
        QCOMPARE(fRel_Mov_Estq->totais.Total, 0.0);
    }

    void chooserWritesTheCaptionsOfItsKey_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("captions");
        QTest::newRow("4") << "Rel MovEstq Entradas"
                           << QStringList{
                                  "Lista de Movimentação de Estoque Geral (Somente Entradas)",
                                  "Total de Entradas(Quantidade):", "Total de Entradas(R$):"};
        QTest::newRow("5") << "Rel MovEstq Saídas"
                           << QStringList{"Lista de Movimentação de Estoque Geral (Somente Saídas)",
                                          "Total de Saídas(Quantidade):", "Total de Saídas(R$):"};
        QTest::newRow("17") << "Rel MovEstq Saidas Estorno"
                            << QStringList{
                                   "Lista de Mov. de Estq.(Somente Saídas e Estorno de Saídas)",
                                   "Total de Saídas(Quantidade):",
                                   "Total de Estorno de Saídas(Quantidade):",
                                   "Total de Saídas(R$):",
                                   "Total de Estorno de Saídas(R$):",
                                   "Saídas - Estornos (R$):",
                                   "Saídas - Estornos (Quantidade):"};
        QTest::newRow("18") << "Rel MovEstq Entradas Estorno"
                            << QStringList{
                                   "Lista de Mov. de Estq.(Somente Entradas e Estorno de Entradas)",
                                   "Total de Entradas(Quantidade):",
                                   "Total de Estorno de Entradas(Quantidade):",
                                   "Total de Entradas(R$):",
                                   "Total de Estorno de Entradas(R$):",
                                   "Entradas - Estornos (R$):",
                                   "Entradas - Estornos (Quantidade):"};
    }
    void chooserWritesTheCaptionsOfItsKey() {
        QFETCH(QString, key);
        QFETCH(QStringList, captions);
        loadMarch();
        auto* est = fRel_Mov_ESTQ_EST;
        auto* est2 = fRelMovEstq_EST2;
        const bool reversal = captions.size() == 7;
        const QString path =
            printToFile(reversal ? est2->qrMovEstq_EST2 : est->qrMov_Estq_EST, "legendas.pdf");
        choose(key, &TfTela_Impressora::BitBtn2);
        const QStringList written =
            reversal ? QStringList{est2->lbTitulo->caption(),
                                   est2->lbTotalQuantidadeEE->caption(),
                                   est2->lbTotalQuantidadeTT->caption(),
                                   est2->lbTotal_ReaisEE->caption(),
                                   est2->lbTotal_ReaisTT->caption(),
                                   est2->lbTotalTER->caption(),
                                   est2->lbTotalTEQ->caption()}
                     : QStringList{est->lbTitulo->caption(), est->lbTotal_Quantidade->caption(),
                                   est->lbTotal_Reais->caption()};
        QCOMPARE(written, captions);
        QVERIFY(QFile::exists(path));
    }

    // Every key reaches its own report, in one run of the program as the
    // operator would go from one report to the next.
    void eachKeyPrintsItsReport() {
        const char* const table[][2] = {
            {"Mov_Estq Geral Datas", "qrMov_Estq"},
            {"Lista Preco Descricao", "qp_Listas_Precos"},
            {"Lista Preco Codigo", "qp_Listas_Precos"},
            {"Rel MovEstq Entradas", "qrMov_Estq_EST"},
            {"Rel MovEstq Saídas", "qrMov_Estq_EST"},
            {"Rel MovEstq Produto Geral", "qrMovEstq_Produto_Geral"},
            {"Itens Estoque Codigo", "qrItens_Estoque"},
            {"Itens Estoque Descricao", "qrItens_Estoque"},
            {"Itens Estoque Grupo", "qrItens_Estoque_Grupo"},
            {"Mov Estq Produto Entrada", "qrMov_Estq_Produto_ES"},
            {"Mov Estq Produto Saida", "qrMov_Estq_Produto_ES"},
            {"Mov Estq Grupos", "qrMov_Estq_Grupos"},
            {"Mov Estq Grupo Entrada", "qrMov_Estq_Grupo_ES"},
            {"Mov Estq Grupo Saida", "qrMov_Estq_Grupo_ES"},
            {"Mov Estq Tipos", "qrMov_Estq_Tipo"},
            {"Itens Estoque Minimo", "qrEstMin"},
            {"Rel MovEstq Saidas Estorno", "qrMovEstq_EST2"},
            {"Rel MovEstq Entradas Estorno", "qrMovEstq_EST2"},
        };
        loadMarch();
        QStringList generated;
        for (BandReport* r : everyReport()) {
            printToFile(r, r->objectName() + ".pdf");
            r->beforeGeneration = [&generated, r] { generated << r->objectName(); };
        }
        for (const auto& [key, component] : table) {
            generated.clear();
            QFile::remove(pdfPath(QString(component) + ".pdf"));
            choose(QString::fromUtf8(key), &TfTela_Impressora::BitBtn2);
            QVERIFY2(generated == QStringList{component}, key);
            QVERIFY2(QFile::exists(pdfPath(QString(component) + ".pdf")), key);
        }
        QVERIFY(program->recorder.messages.isEmpty());
    }

    // Neither an unknown key nor "Cancela" produces anything or writes a
    // caption; the chooser closes either way.
    void unknownKeyAndCancelProduceNothing_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("cancel");
        QTest::newRow("unknown key, Tela") << "Mov_Estq geral datas" << false;
        QTest::newRow("known key, Cancela") << "Rel MovEstq Entradas" << true;
    }
    void unknownKeyAndCancelProduceNothing() {
        QFETCH(QString, key);
        QFETCH(bool, cancel);
        int generated = 0;
        for (BandReport* r : everyReport())
            r->beforeGeneration = [&generated] { ++generated; };
        fRel_Mov_ESTQ_EST->lbTitulo->setCaption("anterior");
        choose(key, cancel ? &TfTela_Impressora::BitBtn3 : &TfTela_Impressora::BitBtn1);
        QCOMPARE(generated, 0);
        QCOMPARE(fRel_Mov_ESTQ_EST->lbTitulo->caption(), QString("anterior"));
        QVERIFY(program->recorder.messages.isEmpty());
    }
};

KELVARA_TEST_MAIN(TestReports)
#include "tst_reports.moc"
