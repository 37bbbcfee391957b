#include "app/Pricipal.h"
#include "data/DataModule_MovEstq.h"
#include "data/DataModule_Produtos.h"
#include "reportengine/RecordingDevice.h"
#include "reportengine/ReportPreview.h"
#include "reports/Busca_Rel_Grupo.h"
#include "reports/CargaRelatorio.h"
#include "reports/Rel_EstMin.h"
#include "reports/Rel_Itens_Estoque.h"
#include "reports/Rel_Itens_Estoque_Grupo.h"
#include "reports/Rel_Listas_Precos.h"
#include "reports/Rel_MovEstq_EST2.h"
#include "reports/Rel_MovEstq_Produto_Geral.h"
#include "reports/Rel_Mov_Estq.h"
#include "reports/Rel_Mov_Estq_EST.h"
#include "reports/Rel_Mov_Estq_Grupo.h"
#include "reports/Rel_Mov_Estq_Grupo_ES.h"
#include "reports/Rel_Mov_Estq_Produto_ES.h"
#include "reports/Rel_Mov_Estq_Tipo.h"
#include "reports/Tela_Impressora.h"

#include "TestMain.h"
#include "TestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <memory>

using namespace report;

class TestReports : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;
    std::unique_ptr<TfBusca_Rel_Grupo> groupDialog; // until start-up makes its own

    void run(const QString& sql) { program->dbs.exec("qor.gdb", sql); }

    void addMovement(int day, const QString& oper, double quant, double value,
                     const QString& product = "12", const QString& type = {}) {
        run(QString("Insert Into Mov_Estq Values ('%1', '%2', '2006-03-%3', %4, %5, 'NF 1', %6)")
                .arg(product.rightJustified(10), oper)
                .arg(day, 2, 10, QChar('0'))
                .arg(value)
                .arg(quant)
                .arg(type.isEmpty() ? QString("null") : "'" + type + "'"));
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
    // What the layouts print: two products of one group and a group without
    // any; an exit type whose description is too long for its column and a
    // short one; in March one movement of each operation.
    void addSample() {
        run("Insert Into Grupos Values ('000001', 'Ferragens')");
        run("Insert Into Grupos Values ('000002', 'Sem produtos')");
        run("Insert Into Tipos Values ('000001', 'Venda ao consumidor final com entrega a "
            "domicílio')");
        run("Insert Into Tipos Values ('000002', 'Perda')");
        run("Update Produtos Set PRO_CodGru = '000001', PRO_Unid = 'UN', PRO_Quant = 2, "
            "PRO_PCusto = 10, PRO_PVenda = 15, PRO_Min = 5 Where PRO_Codigo = '        12'");
        addProduct("13", "Arruela lisa", 0.5, 4, 6);
        addMovement(1, "EE", 5, 100);
        addMovement(2, "SS", 4, 60, "12", "000001");
        addMovement(3, "TE", 2, 30);
        addMovement(4, "TS", 1, 15);
        addMovement(5, "SS", 0.5, 3, "13", "000002");
    }
    void addProduct(const QString& code, const QString& description, double quant, double cost,
                    double sale) {
        run(QString("Insert Into Produtos (PRO_Codigo, PRO_Descricao, PRO_Unid, PRO_CodGru, "
                    "PRO_Quant, PRO_PCusto, PRO_PVenda, PRO_Min) Values ('%1', '%2', 'CX', "
                    "'000001', %3, %4, %5, 0)")
                .arg(code.rightJustified(10), description)
                .arg(quant)
                .arg(cost)
                .arg(sale));
    }
    // The movements of March that meet a further condition, as a dialog
    // loads them for its report.
    void loadMarchWhere(const QString& condition) {
        fb::Params params;
        params.setDate("DataIniD", QDate(2006, 3, 1));
        params.setDate("DataFimD", QDate(2006, 3, 31));
        dmMovEstq->cds_MovEstq->Reload(
            {"SElect m.*,p.PRO_Descricao,p.PRO_CodGru, c.DESCRICAO,t.TIP_Descricao From Mov_Estq "
             "m join Produtos p on (m.MOV_CodPro = p.PRO_Codigo) join CodMOV c on "
             "(m.MOV_Oper=c.CODIGO)  Left Outer join Tipos t on",
             "(m.MOV_Tipo=t.TIP_CODIGO) Where m.MOV_DAta Between :DataIniD and :DataFimD " +
                 condition + " Order By m.MOV_Data "},
            params);
    }
    // The product list as the menu commands load it, by code, with an
    // optional condition ("Where ... ").
    void loadProducts(const QString& where = {}) {
        dmProdutos->cds_Produtos->Reload(
            {"Select p.*,g.GRU_Descricao From Produtos p join Grupos g on(p.PRO_CodGRU "
             "=g.GRU_Codigo) " +
             where + "Order By p.PRO_Codigo"});
    }
    // What the dialog of a key writes into its report before it shows the
    // chooser; the group dialog's fields are what its report copies.
    void writeRequest(const QString& key) {
        const QString from = "01/03/2006", to = "31/03/2006";
        if (key == "Rel MovEstq Entradas") {
            fRel_Mov_ESTQ_EST->lbDataIni->setCaption(from);
            fRel_Mov_ESTQ_EST->lbDataFim->setCaption(to);
            return;
        }
        if (key == "Rel MovEstq Entradas Estorno") {
            fRelMovEstq_EST2->lbDataIni->setCaption(from);
            fRelMovEstq_EST2->lbDataFim->setCaption(to);
            return;
        }
        if (key == "Itens Estoque Grupo") {
            fBusca_Rel_Grupo->edCodGrupo->setText("000002");
            fBusca_Rel_Grupo->edDescGrupo->setText("Sem produtos");
            return;
        }
        RelatorioPedido* form = nullptr;
        QString code = "        12", description = "Parafuso sextavado de aço inoxidável com porca";
        if (key == "Rel MovEstq Produto Geral") {
            form = fRel_MovEstq_Produto_Geral;
        } else if (key == "Mov Estq Produto Saida") {
            form = fRel_Mov_Estq_Produto_ES;
            form->lbTitulo->setCaption("Movimentação de Estoque por Produto(Somente Saídas)");
            fRel_Mov_Estq_Produto_ES->lbTit_EEQ->setCaption("Total de Saídas(Quantidade)");
            fRel_Mov_Estq_Produto_ES->lbTIT_EER->setCaption("Total de Saídas(R$)");
        } else if (key == "Mov Estq Grupos" || key == "Mov Estq Grupo Entrada") {
            code = "000001";
            description = "Ferragens";
            form = fRel_Mov_Estq_Grupo;
            if (key == "Mov Estq Grupo Entrada") {
                form = fRel_Mov_Estq_Grupo_ES;
                form->lbTitulo->setCaption("Movimentação de Estoque por Grupo(Somente Entradas)");
                fRel_Mov_Estq_Grupo_ES->lbTit_EEQ->setCaption("Total de Entradas(Quantidade)");
                fRel_Mov_Estq_Grupo_ES->lbTIT_EER->setCaption("Total de Entradas(R$)");
            }
        } else if (key == "Mov Estq Tipos") {
            code = "000001";
            description = "Venda ao consumidor final com entrega a domicílio";
            form = fRel_Mov_Estq_Tipo;
        }
        if (!form)
            return; // the product lists ask for nothing
        form->lbDataInicial->setCaption(from);
        form->lbDataFim->setCaption(to);
        form->lbCodPro->setCaption(code);
        form->lbDescPro->setCaption(description);
    }
    BandReport* reportNamed(const QString& name) const {
        for (BandReport* r : everyReport())
            if (r->objectName() == name)
                return r;
        return nullptr;
    }
    // The captions of a summary, as they stand.
    static QString summaryOf(BandReport* report) {
        QStringList captions;
        for (const auto& item : report->band(BandKind::Summary)->items())
            if (auto* label = dynamic_cast<const Label*>(item.get()))
                captions << label->caption();
        return captions.join(" | ");
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
        if (!fBusca_Rel_Grupo) {
            groupDialog = std::make_unique<TfBusca_Rel_Grupo>();
            fBusca_Rel_Grupo = groupDialog.get();
        }
        program->printAsInTheExpectations();
        run("Insert Into Produtos (PRO_Codigo, PRO_Descricao) Values ('        12', "
            "'Parafuso sextavado de aço inoxidável com porca')");
    }
    void cleanup() {
        BandReport::setClock({});
        BandReport::setPrintDialog({});
        if (groupDialog) {
            fBusca_Rel_Grupo = nullptr;
            groupDialog.reset();
        }
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

    // Each layout as the operator reads it, from its dialog's request through
    // the chooser: titles, period and request lines, headings over their
    // fields, totals, and the band arrangement of the product lists.
    void layoutPrintsAsExpected_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("component");
        QTest::addColumn<bool>("products");
        QTest::addColumn<QString>("condition");
        QTest::addColumn<QString>("expectation");
        auto movements = [](const char* name, const char* key, const char* component,
                            const char* condition, const char* expectation) {
            QTest::newRow(name) << QString::fromUtf8(key) << component << false << condition
                                << expectation;
        };
        movements("entries", "Rel MovEstq Entradas", "qrMov_Estq_EST", "and m.MOV_Oper='EE'",
                  "mov_estq_entradas.txt");
        movements("entries and their reversals", "Rel MovEstq Entradas Estorno", "qrMovEstq_EST2",
                  "and (m.MOV_Oper='EE' or m.MOV_Oper='TE')", "mov_estq_estornos.txt");
        movements("one product", "Rel MovEstq Produto Geral", "qrMovEstq_Produto_Geral",
                  "and m.MOV_CodPro='        12'", "mov_estq_produto.txt");
        movements("exits of one product", "Mov Estq Produto Saida", "qrMov_Estq_Produto_ES",
                  "and m.MOV_CodPro='        12' and m.MOV_Oper='SS'",
                  "mov_estq_produto_saidas.txt");
        movements("one group", "Mov Estq Grupos", "qrMov_Estq_Grupos", "and p.PRO_CodGru='000001'",
                  "mov_estq_grupo.txt");
        movements("entries of one group", "Mov Estq Grupo Entrada", "qrMov_Estq_Grupo_ES",
                  "and p.PRO_CodGru='000001' and m.MOV_Oper='EE'", "mov_estq_grupo_entradas.txt");
        movements("one exit type", "Mov Estq Tipos", "qrMov_Estq_Tipo", "and m.MOV_Tipo='000001'",
                  "mov_estq_tipo.txt");
        auto products = [](const char* name, const char* key, const char* component,
                           const char* where, const char* expectation) {
            QTest::newRow(name) << key << component << true << where << expectation;
        };
        products("price list", "Lista Preco Codigo", "qp_Listas_Precos", "", "lista_precos.txt");
        products("stock list", "Itens Estoque Codigo", "qrItens_Estoque", "", "itens_estoque.txt");
        products("stock of a group without products", "Itens Estoque Grupo",
                 "qrItens_Estoque_Grupo", "Where p.PRO_CodGru='000002' ",
                 "itens_estoque_grupo_vazio.txt");
        products("minimum stock", "Itens Estoque Minimo", "qrEstMin",
                 "Where p.PRO_Quant <= p.PRO_Min ", "estoque_minimo.txt");
    }
    void layoutPrintsAsExpected() {
        QFETCH(QString, key);
        QFETCH(QString, component);
        QFETCH(bool, products);
        QFETCH(QString, condition);
        QFETCH(QString, expectation);
        addSample();
        if (products)
            loadProducts(condition);
        else
            loadMarchWhere(condition);
        writeRequest(key);
        BandReport* report = reportNamed(component);
        QVERIFY(report);
        const QString path = printToFile(report, "layout.pdf");
        choose(key, &TfTela_Impressora::BitBtn2);
        QVERIFY(QFile::exists(path));
        RecordingDevice device;
        const QString diff =
            differsFromExpectation(report->dump(report->generate(&device)), expected(expectation));
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
        QVERIFY(program->recorder.messages.isEmpty());
    }

    // The price list by description reads as a Brazilian reader looks for
    // a name: accents and letter case beside their letter.
    void priceListByDescriptionReadsAsADictionary() {
        run("Insert Into Grupos Values ('000001', 'Ferragens')");
        run("Delete From Produtos");
        const QStringList names = {"Zebra", "Água", "abacaxi", "Óleo",
                                   "AGUA",  "Agua", "Açúcar",  "Ovo"};
        for (int i = 0; i < names.size(); ++i)
            addProduct(QString::number(i + 1), names[i], 1, 1, 2);
        CarregaProdutos(ProdutosPorDescricao, {});
        const QString path = printToFile(fRel_Listas_Precos->qp_Listas_Precos, "precos.pdf");
        choose("Lista Preco Descricao", &TfTela_Impressora::BitBtn2);
        QStringList printed;
        for (const QString& line : pdfText(path).split('\n')) {
            const QStringList words = line.simplified().split(' ');
            if (words.size() > 1 && names.contains(words[1]))
                printed << words[1];
        }
        QCOMPARE(printed, QStringList({"abacaxi", "Açúcar", "Agua", "AGUA", "Água", "Óleo", "Ovo",
                                       "Zebra"}));
    }

    // Entries carry no exit type: their variant of the product report has
    // neither the heading nor anything under it.
    void exitTypeHeadingOnlyOverExits_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("oper");
        QTest::addColumn<bool>("heading");
        QTest::newRow("exits") << "Mov Estq Produto Saida"
                               << "SS" << true;
        QTest::newRow("entries") << "Mov Estq Produto Entrada"
                                 << "EE" << false;
    }
    void exitTypeHeadingOnlyOverExits() {
        QFETCH(QString, key);
        QFETCH(QString, oper);
        QFETCH(bool, heading);
        addSample();
        loadMarchWhere(QString("and m.MOV_CodPro='        12' and m.MOV_Oper='%1'").arg(oper));
        BandReport* report = fRel_Mov_Estq_Produto_ES->qrMov_Estq_Produto_ES;
        const QString path = printToFile(report, "produto.pdf");
        choose(key, &TfTela_Impressora::BitBtn2);
        const QString text = pdfText(path);
        QCOMPARE(text.contains("Tipo de Saída"), heading);
        QCOMPARE(text.contains("Venda ao consumidor"), heading);
        QVERIFY2(text.contains(QRegularExpression(oper == "SS" ? "4,000\\s+R\\$ 60,00"
                                                               : "5,000\\s+R\\$ 100,00")),
                 qPrintable(text));
    }

    // A description longer than its column goes on over the next lines of
    // the same movement, which grows to hold it; a short one keeps a single
    // line.
    void longExitTypeWrapsAndGrowsItsLine() {
        addSample();
        loadMarchWhere("and m.MOV_Oper='SS'");
        BandReport* report = fRel_Mov_Estq_Produto_ES->qrMov_Estq_Produto_ES;
        const QString path = printToFile(report, "tipos.pdf");
        choose("Mov Estq Produto Saida", &TfTela_Impressora::BitBtn2);
        RecordingDevice device;
        const Layout layout = report->generate(&device);
        QCOMPARE(int(layout.rowHeights.size()), 2);
        const double line = report->band(BandKind::Detail)->height;
        QCOMPARE(layout.rowHeights[1], line); // "Perda"
        QVERIFY2(layout.rowHeights[0] > 1.5 * line,
                 qPrintable(QString::number(layout.rowHeights[0])));
        const QString text = pdfText(path);
        QVERIFY2(text.contains(QRegularExpression("Venda ao consumidor final com.*\\n\\s*entrega a "
                                                  "domicílio")),
                 qPrintable(text));
        QVERIFY2(text.contains(QRegularExpression("000002\\s+Perda\\s+0,500")), qPrintable(text));
    }

    // The product lists print their headings once, on the first page; later
    // pages have only the company over their lines.
    void productListHeadingsOnTheFirstPageOnly_data() {
        QTest::addColumn<QString>("component");
        QTest::newRow("price list") << "qp_Listas_Precos";
        QTest::newRow("stock list") << "qrItens_Estoque";
    }
    void productListHeadingsOnTheFirstPageOnly() {
        QFETCH(QString, component);
        addSample();
        run("execute block as declare i int = 100; begin while (i < 190) do begin "
            "insert into Produtos (PRO_Codigo, PRO_Descricao, PRO_CodGru, PRO_Quant) values "
            "(lpad(:i, 10), 'Produto ' || :i, '000001', 1); i = i + 1; end end");
        loadProducts();
        BandReport* report = reportNamed(component);
        RecordingDevice device;
        const QString dump = report->dump(report->generate(&device));
        const QStringList pages =
            dump.split(QRegularExpression("^page \\d+\\n", QRegularExpression::MultilineOption),
                       Qt::SkipEmptyParts);
        QCOMPARE(pages.size(), 2);
        // The company alone, without a rule; the title band once.
        const QString company = "  page header\n"
                                "    lbEMP_NOME left: \"Casa Kelvara Ltda\"\n"
                                "    lbEMP_Fone right: \"(11) 5555-0199\"\n";
        QVERIFY2(pages[0].startsWith(company + "  title\n"), qPrintable(pages[0].left(400)));
        QVERIFY2(pages[1].startsWith(company + "  detail row"), qPrintable(pages[1].left(400)));
        QCOMPARE(dump.count("lbTit_PRO_CODIGO"), 1);
    }

    // The stock is worth each product's quantity times its price; a negative
    // quantity takes from both values.
    void stockValuesAtCostAndAtSalePrice_data() {
        QTest::addColumn<QStringList>("more"); // "quantity cost sale"
        QTest::addColumn<QString>("values");   // at sale price | at cost
        QTest::newRow("2 x 10/15 and 0,5 x 4/6") << QStringList{} << "R$ 33,00 | R$ 22,00";
        QTest::newRow("a negative quantity") << QStringList{"-1 10 15"} << "R$ 18,00 | R$ 12,00";
    }
    void stockValuesAtCostAndAtSalePrice() {
        QFETCH(QStringList, more);
        QFETCH(QString, values);
        addSample();
        int code = 20;
        for (const QString& m : more) {
            const QStringList parts = m.split(' ');
            addProduct(QString::number(code++), "Outro", parts[0].toDouble(), parts[1].toDouble(),
                       parts[2].toDouble());
        }
        loadProducts();
        RecordingDevice device;
        fRel_Itens_Estoque->qrItens_Estoque->generate(&device);
        QCOMPARE(fRel_Itens_Estoque->lbTotal_PVenda->caption() + " | " +
                     fRel_Itens_Estoque->lbTotal_PCusto->caption(),
                 values);
    }

    // A second preview in one run shows what the first did, not its double,
    // in every kind of totals.
    void secondPreviewShowsTheSameTotals_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("component");
        QTest::addColumn<QString>("condition");
        QTest::addColumn<QString>("summary");
        QTest::newRow("entries and reversals")
            << "Rel MovEstq Entradas Estorno"
            << "qrMovEstq_EST2"
            << "and (m.MOV_Oper='EE' or m.MOV_Oper='TE')"
            << "Total de Entradas(Quantidade): | 5,000 | Total de Entradas(R$): | R$ 100,00 | "
               "Total de Estorno de Entradas(Quantidade): | 2,000 | Total de Estorno de "
               "Entradas(R$): | R$ 30,00 | Entradas - Estornos (Quantidade): | 3,000 | Entradas - "
               "Estornos (R$): | R$ 70,00";
        QTest::newRow("one product, every operation")
            << "Rel MovEstq Produto Geral"
            << "qrMovEstq_Produto_Geral"
            << "and m.MOV_CodPro='        12'"
            << "Total de Entradas(Quantidade): | 5,000 | Total de Entradas(R$): | R$ 100,00 | "
               "Total de Saídas(Quantidade): | 4,000 | Total de Saídas(R$): | R$ 60,00 | Total "
               "de Est.de Entradas(Quantidade): | 2,000 | Total de Est.de Entradas(R$): | R$ "
               "30,00 | Total de Est.de Saídas(Quantidade): | 1,000 | Total de Est.de Saídas(R$): "
               "| R$ 15,00 | Balanço do Período: | R$ 25,00";
        QTest::newRow("exits of a type")
            << "Mov Estq Tipos"
            << "qrMov_Estq_Tipo"
            << "and m.MOV_Tipo='000001'"
            << "Total de Saídas(Quantidade): | 4,000 | Total de Saídas(R$): | R$ 60,00";
        QTest::newRow("stock list") << "Itens Estoque Codigo"
                                    << "qrItens_Estoque" << QString()
                                    << "Total em Estoque pelo Preço de Venda: | R$ 33,00 | Total "
                                       "em Estoque pelo Preço de Custo: | R$ 22,00";
    }
    void secondPreviewShowsTheSameTotals() {
        QFETCH(QString, key);
        QFETCH(QString, component);
        QFETCH(QString, condition);
        QFETCH(QString, summary);
        addSample();
        if (key.startsWith("Itens"))
            loadProducts();
        else
            loadMarchWhere(condition);
        BandReport* report = reportNamed(component);
        QStringList shown;
        for (int run = 0; run < 2; ++run) {
            whenModal([&shown, report](QWidget* chooser) {
                whenModal<ReportPreview>([&shown, report](ReportPreview* preview) {
                    shown << summaryOf(report);
                    QTest::mouseClick(preview->btnFechar, Qt::LeftButton);
                });
                QTest::mouseClick(qobject_cast<TfTela_Impressora*>(chooser)->BitBtn1,
                                  Qt::LeftButton);
            });
            fTela_Impressora->Relatorio = key;
            fTela_Impressora->exec();
        }
        QCOMPARE(shown, QStringList({summary, summary}));
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
