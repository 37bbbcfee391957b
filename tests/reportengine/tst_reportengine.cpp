#include "data/DataModule_MovEstq.h"
#include "reportengine/BandReport.h"
#include "reportengine/RecordingDevice.h"
#include "reportengine/ReportPreview.h"

#include "TestMain.h"
#include "TestSupport.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <memory>

using namespace report;

// The engine over the real movement list, with a layout of its own that
// uses every kind of item.
class TestReportEngine : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;
    std::unique_ptr<BandReport> report;
    QStringList hooks;
    Label* oculto = nullptr;

    void run(const QString& sql) { program->dbs.exec("qor.gdb", sql); }

    void addMovement(int day, const QString& code, const QString& oper, double quant, double value,
                     const QString& type = {}) {
        run(QString("Insert Into Mov_Estq Values ('%1', '%2', '2006-03-%3', %4, %5, 'DOC', %6)")
                .arg(code.rightJustified(10), oper)
                .arg(day, 2, 10, QChar('0'))
                .arg(value)
                .arg(quant)
                .arg(type.isEmpty() ? QString("null") : "'" + type + "'"));
    }

    void makeReport() {
        report = std::make_unique<BandReport>("qrTeste", dmMovEstq->cds_MovEstq, nullptr);
        Band* header = report->band(BandKind::PageHeader);
        header->height = 30;
        header->ruleBottom = true;
        header->label("lbEsquerda", "Empresa", 0, 200);
        header->label("lbDireita", "(11) 5555-0000", 300, 238, Align::Right);
        header->label("lbCentro", "meio", 200, 100, Align::Center);
        oculto = header->label("lbOculto", "não sai", 0, 100, Align::Left, Style::Normal, 14);
        oculto->setEnabled(false);
        header->label("lbTitulo", "Movimentos", 0, 0, Align::BandCenter, Style::Title, 14);

        Band* title = report->band(BandKind::Title);
        title->height = 14;
        title->label("lbUmaVez", "só na primeira página", 0, 200);

        Band* detail = report->band(BandKind::Detail);
        detail->height = 11;
        detail->field("MOV_CODPRO", 0, 60, Align::Right);
        detail->field("PRO_DESCRICAO", 70, 50);                     // cut to what fits
        detail->field("TIP_DESCRICAO", 130, 60, Align::Left, true); // wraps
        detail->field("MOV_VALOR", 200, 80, Align::Right);
        detail->beforePrint = [this](int row) { hooks << QString("detail %1").arg(row); };

        Band* summary = report->band(BandKind::Summary);
        summary->height = 14;
        summary->ruleTop = true;
        Label* count = summary->label("lbLinhas", {}, 0, 200);
        summary->beforePrint = [this, count](int) {
            hooks << "summary";
            count->setCaption(QString("%1 linhas").arg(hooks.size() - 2));
        };

        Band* footer = report->band(BandKind::PageFooter);
        footer->height = 14;
        footer->ruleTop = true;
        footer->label("lbPagina", "Página:", 0, 40);
        footer->system(SystemField::PageNumber, 40, 40, Align::Left);
        footer->system(SystemField::DateTime, 338, 200, Align::Right);

        report->beforeGeneration = [this] { hooks << "generation"; };
        report->afterPreview = [this] { hooks << "after preview"; };
        report->afterPrint = [this] { hooks << "after print"; };
    }

    void addMovements(int count) {
        run("Insert Into Produtos (PRO_Codigo, PRO_Descricao) Values ('         7', 'Parafuso')");
        for (int i = 0; i < count; ++i)
            addMovement(1 + i % 28, "7", "EE", 1, i);
        loadMovementPeriod(QDate(2006, 3, 1), QDate(2006, 3, 31));
    }

    // Types a path into a file dialog's name field and presses Enter.
    static void typeFileName(QWidget* dialog, const QString& path) {
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        QVERIFY(name);
        name->setText(path);
        QTest::keyClick(name, Qt::Key_Return);
    }

    QString expected(const QString& name) { return QString(EXPECTED_DIR "/") + name; }

private slots:
    void init() {
        program = std::make_unique<RunningProgram>();
        BandReport::setClock([] { return QDateTime(QDate(2006, 11, 24), QTime(14, 30, 5)); });
        hooks.clear();
        makeReport();
    }
    void cleanup() {
        report.reset();
        BandReport::setClock({});
        BandReport::setPrintDialog({});
        program.reset();
    }

    void printsEveryKindOfItemInItsBand() {
        run("Insert Into Tipos Values ('000001', 'Venda ao consumidor final com entrega')");
        run("Insert Into Produtos (PRO_Codigo, PRO_Descricao) Values ('        12', "
            "'Parafuso sextavado de aço inox')");
        addMovement(2, "12", "SS", 4, 60, "000001");
        addMovement(1, "12", "EE", 10, 1234.5);
        loadMovementPeriod(QDate(2006, 3, 1), QDate(2006, 3, 31));

        RecordingDevice device;
        const Layout layout = report->generate(&device);
        QCOMPARE(hooks, QStringList({"generation", "detail 0", "detail 1", "summary"}));
        QCOMPARE(layout.pages.size(), std::size_t(1));
        QVERIFY2(layout.rowHeights[1] > layout.rowHeights[0], "the wrapped line grows");
        const QString diff = differsFromExpectation(report->dump(layout), expected("items.txt"));
        QVERIFY2(diff.isEmpty(), qPrintable(diff));

        oculto->setEnabled(true);
        QVERIFY(report->dump(layout).contains("lbOculto left: \"não sai\""));
    }

    void anEmptyListPrintsOneBlankLine() {
        loadMovementPeriod(QDate(2006, 3, 1), QDate(2006, 3, 31));
        RecordingDevice device;
        const Layout layout = report->generate(&device);
        QCOMPARE(hooks, QStringList({"generation", "detail -1", "summary"}));
        const QString diff = differsFromExpectation(report->dump(layout), expected("empty.txt"));
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
    }

    void pagesCarryHeaderAndFooterTitleFirstSummaryLast() {
        addMovements(150);
        RecordingDevice device;
        const Layout layout = report->generate(&device);
        QCOMPARE(layout.pages.size(), std::size_t(3));
        int next = 0;
        for (std::size_t i = 0; i < layout.pages.size(); ++i) {
            const Page& page = layout.pages[i];
            QCOMPARE(page.title, i == 0);
            QCOMPARE(page.summary, i == layout.pages.size() - 1);
            QCOMPARE(page.firstRow, next);
            next += page.rowCount;
        }
        QCOMPARE(next, 150);
        QCOMPARE(hooks.size(), 152);
        QCOMPARE(hooks.last(), QString("summary"));

        const QStringList pages = report->dump(layout).split(QRegularExpression("(?m)^page "));
        QCOMPARE(pages.size(), 4);
        for (int i = 1; i <= 3; ++i) {
            QVERIFY(pages[i].contains("  page header\n"));
            QVERIFY(pages[i].contains("  page footer\n"));
            QVERIFY(pages[i].contains(QString("    page number left: \"%1\"").arg(i)));
            QCOMPARE(pages[i].contains("  title\n"), i == 1);
            QCOMPARE(pages[i].contains("  summary\n"), i == 3);
        }
        QVERIFY(pages[3].contains("lbLinhas left: \"150 linhas\""));
    }

    void printsToThePdfOfItsPrinterSettingsAndEndsWithItsHook() {
        addMovements(3);
        const QString path = program->dbs.localPath() + "/impresso.pdf";
        QPrinter* printer = report->printer();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(path);
        QVERIFY(report->Print());
        QCOMPARE(hooks.first(), QString("generation"));
        QCOMPARE(hooks.last(), QString("after print"));
        QPdfDocument pdf;
        QCOMPARE(pdf.load(path), QPdfDocument::Error::None);
        QCOMPARE(pdf.pageCount(), 1);
        QVERIFY(program->recorder.messages.isEmpty());
    }

    // Each paper gets the report laid out for it: every row on some page,
    // every text inside the margins, the footer at the foot of the paper.
    void laysOutForThePaperChosen_data() {
        QTest::addColumn<QPageSize::PageSizeId>("paper");
        QTest::addColumn<QPageLayout::Orientation>("orientation");
        QTest::newRow("A4 retrato") << QPageSize::A4 << QPageLayout::Portrait;
        QTest::newRow("A4 paisagem") << QPageSize::A4 << QPageLayout::Landscape;
        QTest::newRow("Carta retrato") << QPageSize::Letter << QPageLayout::Portrait;
        QTest::newRow("Carta paisagem") << QPageSize::Letter << QPageLayout::Landscape;
        QTest::newRow("A5 retrato, mais estreito") << QPageSize::A5 << QPageLayout::Portrait;
    }
    void laysOutForThePaperChosen() {
        QFETCH(QPageSize::PageSizeId, paper);
        QFETCH(QPageLayout::Orientation, orientation);
        addMovements(150);
        const QString path = program->dbs.localPath() + "/papel.pdf";
        QPrinter* printer = report->printer();
        QCOMPARE(printer->pageLayout().margins(QPageLayout::Millimeter), QMarginsF(10, 10, 10, 10));
        printer->setPageSize(QPageSize(paper));
        printer->setPageOrientation(orientation);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(path);
        QVERIFY(report->Print());

        const Layout layout = report->generate(printer);
        int rows = 0;
        for (const Page& page : layout.pages)
            rows += page.rowCount;
        QCOMPARE(rows, 150);

        QPdfDocument pdf;
        QCOMPARE(pdf.load(path), QPdfDocument::Error::None);
        QCOMPARE(pdf.pageCount(), int(layout.pages.size()));
        const QSizeF expected = QPageLayout(QPageSize(paper), orientation, {})
                                    .fullRect(QPageLayout::Millimeter)
                                    .size() *
                                (72 / 25.4);
        const double margin = 10 * 72 / 25.4;
        for (int page = 0; page < pdf.pageCount(); ++page) {
            const QSizeF size = pdf.pagePointSize(page);
            QVERIFY(qAbs(size.width() - expected.width()) < 1);
            QVERIFY(qAbs(size.height() - expected.height()) < 1);
            const QPdfSelection text = pdf.getAllText(page);
            QVERIFY(text.text().contains(QString("Página:")));
            const QRectF inked = text.boundingRectangle();
            const QString where = QString("page %1: text over %2,%3 - %4,%5 on %6 x %7")
                                      .arg(page + 1)
                                      .arg(inked.left())
                                      .arg(inked.top())
                                      .arg(inked.right())
                                      .arg(inked.bottom())
                                      .arg(size.width())
                                      .arg(size.height());
            QVERIFY2(inked.left() >= margin - 1 && inked.top() >= margin - 1, qPrintable(where));
            // The date at the right of the footer ends at the right margin.
            QVERIFY2(qAbs(inked.right() - (size.width() - margin)) < 3, qPrintable(where));
            QVERIFY2(inked.bottom() <= size.height() - margin + 1, qPrintable(where));
            QVERIFY2(inked.bottom() >= size.height() - margin - 20, qPrintable(where));
        }
    }

    // The page set-up dialog shows the report's margins, and the preview
    // shows the paper chosen there.
    void previewFollowsThePageSetup() {
        addMovements(150);
        QPrinter* printer = report->printer();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(program->dbs.localPath() + "/nao_impresso.pdf");
        bool checked = false;
        whenModal<ReportPreview>([&](ReportPreview* preview) {
            QCOMPARE(preview->lbPagina->text(), QString("Página 1 de 3"));
            QVERIFY(preview->pageImage().height() > preview->pageImage().width());
            whenModal([&](QWidget* setup) {
                for (const char* side :
                     {"leftMargin", "rightMargin", "topMargin", "bottomMargin"}) {
                    auto* margin = setup->findChild<QDoubleSpinBox*>(side);
                    QVERIFY(margin);
                    QCOMPARE(margin->value(), 10.0);
                }
                auto* landscape = setup->findChild<QRadioButton*>("landscape");
                QVERIFY(landscape);
                landscape->click();
                setup->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
            });
            QTest::mouseClick(preview->btnSetup, Qt::LeftButton);
            QCOMPARE(printer->pageLayout().orientation(), QPageLayout::Landscape);
            QVERIFY(preview->pageImage().width() > preview->pageImage().height());
            QCOMPARE(preview->lbPagina->text(), QString("Página 1 de 4"));
            checked = true;
            QTest::mouseClick(preview->btnFechar, Qt::LeftButton);
        });
        report->Preview();
        QVERIFY(checked);
        QVERIFY(!QFile::exists(program->dbs.localPath() + "/nao_impresso.pdf"));
    }

    void withoutAPrinterTellsTheOperatorOnce() {
        addMovements(1);
        // What a machine without printers leaves in the settings.
        QPrinter* printer = report->printer();
        printer->setOutputFileName({});
        printer->setOutputFormat(QPrinter::PdfFormat);
        QVERIFY(!report->Print());
        QCOMPARE(program->recorder.texts(),
                 QStringList{"Nenhuma impressora disponível para imprimir o relatório."});
        QVERIFY(!hooks.contains("generation"));
    }

    void previewPagesZoomsSavesAndLoads() {
        addMovements(150);
        const QString saved = program->dbs.localPath() + "/salvo.pdf";
        const QString printed = program->dbs.localPath() + "/da_tela.pdf";
        report->printer()->setOutputFormat(QPrinter::PdfFormat);
        report->printer()->setOutputFileName(printed);
        int dialogs = 0;
        BandReport::setPrintDialog([&dialogs](QPrinter*, QWidget*) {
            ++dialogs;
            return true;
        });
        bool checked = false;
        whenModal<ReportPreview>([&](ReportPreview* preview) {
            QCOMPARE(preview->windowTitle(), QString("Impressão na Tela"));
            QCOMPARE(preview->lbPagina->text(), QString("Página 1 de 3"));
            QTest::mouseClick(preview->btnProxima, Qt::LeftButton);
            QCOMPARE(preview->lbPagina->text(), QString("Página 2 de 3"));
            QTest::mouseClick(preview->btnUltima, Qt::LeftButton);
            QCOMPARE(preview->lbPagina->text(), QString("Página 3 de 3"));
            QVERIFY(!preview->btnProxima->isEnabled());
            QTest::mouseClick(preview->btnPrimeira, Qt::LeftButton);
            QCOMPARE(preview->lbPagina->text(), QString("Página 1 de 3"));

            QTest::mouseClick(preview->btn100, Qt::LeftButton);
            QCOMPARE(preview->pageImage().width(), qRound(595.2756 * preview->logicalDpiX() / 72));
            QTest::mouseClick(preview->btnAjustar, Qt::LeftButton);
            const QSize fit = preview->pageImage().size();
            QTest::mouseClick(preview->btnLargura, Qt::LeftButton);
            QVERIFY(preview->pageImage().width() >= fit.width());

            hooks.clear();
            QTest::mouseClick(preview->btnImprimir, Qt::LeftButton);
            QCOMPARE(dialogs, 1);
            QCOMPARE(hooks.first(), QString("generation"));
            QCOMPARE(hooks.last(), QString("after print"));

            whenModal([&](QWidget* d) { typeFileName(d, saved); });
            QTest::mouseClick(preview->btnSalvar, Qt::LeftButton);
            QVERIFY2(QFile::exists(saved), qPrintable(program->recorder.texts().join("; ")));
            whenModal([&](QWidget* d) { typeFileName(d, saved); });
            QTest::mouseClick(preview->btnCarregar, Qt::LeftButton);
            QVERIFY2(preview->showingLoadedFile(),
                     qPrintable(program->recorder.texts().join("; ")));
            QCOMPARE(preview->lbPagina->text(), QString("Página 1 de 3"));
            QTest::mouseClick(preview->btnUltima, Qt::LeftButton);
            QCOMPARE(preview->lbPagina->text(), QString("Página 3 de 3"));
            QVERIFY(!preview->pageImage().isNull());
            // A loaded page is on white paper, like a generated one.
            QCOMPARE(preview->pageImage().pixelColor(2, 2), QColor(Qt::white));
            QFile::remove(printed); // the loaded file is what prints now
            QTest::mouseClick(preview->btnImprimir, Qt::LeftButton);
            QCOMPARE(dialogs, 2);
            checked = true;
            QTest::mouseClick(preview->btnFechar, Qt::LeftButton);
        });
        report->Preview();
        QVERIFY(checked);
        QCOMPARE(hooks.last(), QString("after preview"));
        QPdfDocument pdf;
        QCOMPARE(pdf.load(printed), QPdfDocument::Error::None);
        QCOMPARE(pdf.pageCount(), 3);
        QVERIFY(program->recorder.messages.isEmpty());
    }
};

KELVARA_TEST_MAIN(TestReportEngine)
#include "tst_reportengine.moc"
