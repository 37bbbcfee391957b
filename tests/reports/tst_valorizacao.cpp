#include "app/Pricipal.h"
#include "movements/Movimentacao.h"
#include "reportengine/RecordingDevice.h"
#include "reportengine/ReportPreview.h"
#include "reports/Data_Estoque.h"
#include "reports/Datas_Margem.h"
#include "reports/Rel_Conferencia_Estoque.h"
#include "reports/Rel_Estoque_Valorizado.h"
#include "reports/Rel_Margem_Saidas.h"
#include "reports/Tela_Impressora.h"
#include "shell/Arquivos.h"

#include "SheetReader.h"
#include "TestMain.h"
#include "TestSupport.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <memory>

using namespace report;

namespace {

const QDate EndOfMarch(2006, 3, 31);

// The field of a list's row as it stands, null as an empty text.
QString cell(ListCopy* list, int row, const char* field) {
    return list->value(row, field).toString();
}

// Cents of what a list row shows.
qint64 cents(ListCopy* list, int row, const char* field) {
    return std::llround(list->value(row, field).toDouble() * 100);
}

// Cents of a caption as a summary prints it ("R$ 1.234,50").
qint64 centsOf(const Label* label) {
    QString digits = label->caption();
    digits.remove("R$ ").remove('.').replace(',', '.');
    return std::llround(digits.toDouble() * 100);
}

} // namespace

// The valued stock, the margin of the exits and the conference of the stock
// with its movements, as the shop owner asks for them and reads them.
class TestValorizacao : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;

    void run(const QString& sql) { program->dbs.exec("qor.gdb", sql); }

    void addProduct(const QString& code, const QString& description, const QString& group,
                    double quantity, double cost) {
        run(QString("Insert Into Produtos (PRO_Codigo, PRO_Descricao, PRO_Unid, PRO_CodGru, "
                    "PRO_Quant, PRO_PCusto, PRO_DCad) Values ('%1', '%2', 'UN', '%3', %4, %5, "
                    "'2006-01-10')")
                .arg(code.rightJustified(10), description, group)
                .arg(quantity)
                .arg(cost));
    }
    // "day OPER quantity value" in March 2006, straight into the table.
    void addMovements(const QString& code, const QStringList& movements) {
        for (const QString& m : movements) {
            const QStringList part = m.split(' ');
            run(QString("Insert Into Mov_Estq (MOV_CodPro, MOV_Oper, MOV_Data, MOV_Quant, "
                        "MOV_Valor) Values ('%1', '%2', '2006-03-%3', %4, %5)")
                    .arg(code.rightJustified(10), part[1], part[0].rightJustified(2, '0'), part[2],
                         part[3]));
        }
    }
    // Two groups, a product of a group that is gone, one at zero; a sale of
    // each and two products whose quantity the movements do not explain.
    void addSample() {
        run("Insert Into Grupos Values ('000001', 'Ferragens')");
        run("Insert Into Grupos Values ('000002', 'Tintas')");
        // 10 at 10, 4 out at 10, then 10 at 20: 16 at 16,25.
        addProduct("12", "Parafuso sextavado", "000001", 16, 10);
        addMovements("12", {"1 EE 10 100", "5 SS 4 60", "10 EE 10 200"});
        // 3 for 10: 2 left at 3,333...
        addProduct("13", "Arruela lisa", "000001", 2, 0);
        addMovements("13", {"1 EE 3 10", "2 SS 1 5"});
        addProduct("14", "Prego", "000001", 0, 0);
        addMovements("14", {"1 EE 5 5", "3 SS 5 10"});
        // 2 at the cost price before the movements, one sold.
        addProduct("20", "Tinta branca 18 L", "000002", 1, 30);
        addMovements("20", {"15 SS 1 50"});
        // Neither an entry nor a cost price.
        addProduct("30", "Produto sem grupo", "000009", 3, 0);
        addMovements("30", {"20 SS 2 24"});
    }

    QString expected(const QString& name) { return QString(EXPECTED_DIR "/") + name; }

    void compareWithExpectation(BandReport* report, const QString& name) {
        RecordingDevice device;
        const QString diff =
            differsFromExpectation(report->dump(report->generate(&device)), expected(name));
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
    }

    // Presses the chooser's "Impressora" for the key the dialog named, the
    // report's printer writing a PDF file.
    void printThroughChooser(BandReport* report, QString* key) {
        report->printer()->setOutputFormat(QPrinter::PdfFormat);
        report->printer()->setOutputFileName(program->dbs.localPath() + "/relatorio.pdf");
        whenModal([key](QWidget* shown) {
            QCOMPARE(shown, static_cast<QWidget*>(fTela_Impressora));
            *key = fTela_Impressora->Relatorio;
            QTest::mouseClick(fTela_Impressora->BitBtn2, Qt::LeftButton);
        });
    }

    QAction* command(const QString& caption) {
        return fPrincipal->findChild<QAction*>("Relatórios/" + caption);
    }

private slots:
    void init() {
        program = std::make_unique<RunningProgram>();
        program->printAsInTheExpectations();
    }
    void cleanup() {
        Arquivos::setHandler({});
        program.reset();
    }

    // Each report as the owner reads it: groups by description with the
    // group that is gone last, products by description, the lines of the
    // groups and the totals.
    void layoutPrintsAsExpected_data() {
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("expectation");
        QTest::newRow("valued stock") << "Estoque Valorizado"
                                      << "estoque_valorizado.txt";
        QTest::newRow("margin of the exits") << "Margem das Saidas"
                                             << "margem_saidas.txt";
        QTest::newRow("conference") << "Conferencia Estoque"
                                    << "conferencia_estoque.txt";
    }
    void layoutPrintsAsExpected() {
        QFETCH(QString, report);
        QFETCH(QString, expectation);
        addSample();
        BandReport* printed = nullptr;
        if (report == "Estoque Valorizado") {
            fRel_Estoque_Valorizado->carrega(EndOfMarch, {}, false);
            printed = fRel_Estoque_Valorizado->qrEstoque_Valorizado;
        } else if (report == "Margem das Saidas") {
            fRel_Margem_Saidas->carrega(QDate(2006, 3, 1), EndOfMarch, {});
            printed = fRel_Margem_Saidas->qrMargem_Saidas;
        } else {
            fRel_Conferencia_Estoque->carrega();
            printed = fRel_Conferencia_Estoque->qrConferencia_Estoque;
        }
        compareWithExpectation(printed, expectation);
        QVERIFY(program->recorder.messages.isEmpty());
    }

    // What a day's stock is worth depends only on what happened up to it: a
    // movement entered afterwards with a later date leaves it, one with an
    // earlier date changes it; both through the movement write.
    void valuedStockAtADateSeesOnlyWhatCameBefore() {
        addSample();
        const QDate tenth(2006, 3, 10);
        auto worth = [&] {
            fRel_Estoque_Valorizado->carrega(tenth, {"000001", "Ferragens"}, false);
            return fRel_Estoque_Valorizado->lbTotal->caption();
        };
        // 12: 16 at 16,25 on the 10th; 13: 2 at 3,333.
        QCOMPARE(worth(), QString("R$ 266,67"));
        Movimento later{"        12", Operacao::Entrada, QDate(2006, 3, 20), 300, 10, "NF 9", {}};
        QVERIFY(GravaMovimento(BaseMovimentos::programa(), later, "falha"));
        Movimento exit{"        13", Operacao::Saida, QDate(2006, 3, 11), 5, 1, "PED 9", {}};
        QVERIFY(GravaMovimento(BaseMovimentos::programa(), exit, "falha"));
        QCOMPARE(worth(), QString("R$ 266,67"));
        // An entry of the 2nd: 10 at 10 and 10 at 30 before the exit of 4,
        // then 16 at 20 and 10 at 20.
        Movimento earlier{"        12", Operacao::Entrada, QDate(2006, 3, 2), 300, 10, "NF 8", {}};
        QVERIFY(GravaMovimento(BaseMovimentos::programa(), earlier, "falha"));
        QCOMPARE(worth(), QString("R$ 526,67"));
        QVERIFY(program->recorder.messages.isEmpty());
    }

    // Every line is rounded to the cent from the exact figure, and every
    // total adds the lines as printed: three products worth 0,333... each
    // make 0,99, not 1,00.
    void valuedStockTotalsAreTheSumOfTheLines() {
        run("Insert Into Grupos Values ('000001', 'Ferragens')");
        run("Insert Into Grupos Values ('000002', 'Tintas')");
        for (const QString code : {"1", "2", "3", "4"}) {
            addProduct(code, "Terço " + code, code == QString("4") ? "000002" : "000001", 1, 0);
            addMovements(code, {"1 EE 3 1", "2 SS 2 9"});
        }
        fRel_Estoque_Valorizado->carrega(EndOfMarch, {}, false);
        ListCopy* list = fRel_Estoque_Valorizado->lista();
        qint64 group = 0, groups = 0;
        int lines = 0;
        for (int row = 0; row < list->RecordCount(); ++row) {
            if (!cell(list, row, "PRO_CODIGO").isEmpty()) {
                QCOMPARE(cents(list, row, "VALOR"), 33);
                group += cents(list, row, "VALOR");
                ++lines;
            } else if (cell(list, row, "GRUPO").startsWith("Total")) {
                QCOMPARE(cents(list, row, "VALOR"), group);
                groups += group;
                group = 0;
            }
        }
        QCOMPARE(lines, 4);
        QCOMPARE(groups, 132);
        QCOMPARE(centsOf(fRel_Estoque_Valorizado->lbTotal), 132);
    }

    // The margin's totals add the lines as printed, group by group; a sale
    // without a known cost is in the sales and apart from cost and margin.
    void marginTotalsAreTheSumOfTheLines() {
        addSample();
        fRel_Margem_Saidas->carrega(QDate(2006, 3, 1), EndOfMarch, {});
        ListCopy* list = fRel_Margem_Saidas->lista();
        const char* figures[] = {"VENDA", "CUSTO", "MARGEM"};
        qint64 group[3] = {}, period[3] = {};
        for (int row = 0; row < list->RecordCount(); ++row) {
            const bool total = cell(list, row, "GRUPO").startsWith("Total");
            for (int i = 0; i < 3; ++i) {
                if (total) {
                    QCOMPARE(cents(list, row, figures[i]), group[i]);
                    period[i] += group[i];
                    group[i] = 0;
                } else if (!cell(list, row, "PRO_CODIGO").isEmpty()) {
                    group[i] += cents(list, row, figures[i]);
                }
            }
            if (!cell(list, row, "SEM_CUSTO").isEmpty()) {
                QVERIFY(list->value(row, "CUSTO").isNull());
                QVERIFY(list->value(row, "MARGEM").isNull());
                QVERIFY(list->value(row, "PERCENTUAL").isNull());
            }
        }
        const TfRel_Margem_Saidas* form = fRel_Margem_Saidas;
        QCOMPARE(centsOf(form->lbTotalVenda), period[0]);
        QCOMPARE(centsOf(form->lbTotalCusto), period[1]);
        QCOMPARE(centsOf(form->lbTotalMargem), period[2]);
        QCOMPARE(period[0], 14900);
        QCOMPARE(period[1] + period[2] + centsOf(form->lbSemCusto), period[0]);
        QVERIFY(form->lbSemCusto->isEnabled());
        QCOMPARE(form->lbTotalPercentual->caption(), QString("37,34%"));
    }

    // From the menu: the dialog asks, the report is loaded with what was
    // asked and named to the chooser; a group that does not exist is told
    // and the dialog waits for another.
    void commandsAskAndReachTheChooser_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("group"); // typed; empty: every product
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<int>("rows");
        QTest::newRow("valued stock, every product") << "Estoque Valorizado"
                                                     << ""
                                                     << "Estoque Valorizado"
                                                     << "Todos" << 10;
        QTest::newRow("valued stock of a group") << "Estoque Valorizado"
                                                 << "2"
                                                 << "Estoque Valorizado"
                                                 << "000002 - Tintas" << 3;
        QTest::newRow("margin of a group") << "Margem das Saídas"
                                           << "1"
                                           << "Margem das Saidas"
                                           << "000001 - Ferragens" << 5;
    }
    void commandsAskAndReachTheChooser() {
        QFETCH(QString, caption);
        QFETCH(QString, group);
        QFETCH(QString, key);
        QFETCH(QString, asked);
        QFETCH(int, rows);
        addSample();
        const bool valued = key == "Estoque Valorizado";
        RelatorioCalculado* form =
            valued ? static_cast<RelatorioCalculado*>(fRel_Estoque_Valorizado) : fRel_Margem_Saidas;
        QString chosen;
        whenModal([&](QWidget* shown) {
            QVERIFY(!fTela_Impressora->isVisible());
            for (QDateEdit* picker : shown->findChildren<QDateEdit*>()) {
                QCOMPARE(picker->date(), QDate::currentDate());
                picker->setDate(picker->objectName().contains("Inicial") ? QDate(2006, 3, 1)
                                                                         : EndOfMarch);
            }
            auto* code = shown->findChild<QLineEdit*>("edCodGrupo");
            QVERIFY(!code->isEnabled());
            if (!group.isEmpty()) {
                shown->findChild<QRadioButton*>("rbGrupo")->setChecked(true);
                retype(code, group);
            }
            printThroughChooser(form->componente(), &chosen);
            QTest::mouseClick(shown->findChild<QPushButton*>("btnImprimir"), Qt::LeftButton);
            QVERIFY(!shown->isVisible());
        });
        command(caption)->trigger();
        QCOMPARE(chosen, key);
        QCOMPARE(form->lista()->RecordCount(), rows);
        const QString groupLabel = valued ? fRel_Estoque_Valorizado->lbGrupo->caption()
                                          : fRel_Margem_Saidas->lbGrupo->caption();
        QCOMPARE(groupLabel, asked);
        QVERIFY(QFile::exists(program->dbs.localPath() + "/relatorio.pdf"));
        QVERIFY2(program->recorder.messages.isEmpty(),
                 qPrintable(program->recorder.texts().join('\n')));
    }

    void unknownGroupKeepsTheDialog() {
        addSample();
        // Should the chooser show, it is closed rather than left waiting.
        QTimer closer;
        closer.setSingleShot(true);
        connect(&closer, &QTimer::timeout, [] { fTela_Impressora->close(); });
        closer.start(3000);
        whenModal([&](QWidget* shown) {
            shown->findChild<QRadioButton*>("rbGrupo")->setChecked(true);
            shown->findChild<QLineEdit*>("edCodGrupo")->setText("77");
            QTest::mouseClick(shown->findChild<QPushButton*>("btnImprimir"), Qt::LeftButton);
            QVERIFY(shown->isVisible());
            shown->close();
        });
        command("Margem das Saídas")->trigger();
        QVERIFY(!fRel_Margem_Saidas->lista()->Active());
        QCOMPARE(program->recorder.texts(), QStringList{"Grupo não Encontrado !"});
        // The next show starts from every product again.
        whenModal([](QWidget* shown) {
            QVERIFY(shown->findChild<QRadioButton*>("rbTodos")->isChecked());
            QVERIFY(shown->findChild<QLineEdit*>("edCodGrupo")->text().isEmpty());
            shown->close();
        });
        command("Margem das Saídas")->trigger();
    }

    // The conference needs nothing asked: straight to the chooser.
    void conferenceGoesStraightToTheChooser() {
        addSample();
        QString chosen;
        printThroughChooser(fRel_Conferencia_Estoque->qrConferencia_Estoque, &chosen);
        command("Conferência do Estoque")->trigger();
        QCOMPARE(chosen, QString("Conferencia Estoque"));
        QCOMPARE(fRel_Conferencia_Estoque->lbProdutos->caption(), QString("2"));
    }

    // Exported from the preview, the valued stock keeps its numbers as
    // numbers, the group's lines and the total.
    void valuedStockExportsItsLinesAndTotal() {
        addSample();
        const QString file = program->dbs.localPath() + "/estoque.xlsx";
        Arquivos::setHandler([file](const Arquivos::Pedido&) { return file; });
        fRel_Estoque_Valorizado->carrega(EndOfMarch, {"000002", "Tintas"}, true);
        whenModal<ReportPreview>([](ReportPreview* preview) {
            QTest::mouseClick(preview->btnExportar, Qt::LeftButton);
            QTest::mouseClick(preview->btnFechar, Qt::LeftButton);
        });
        fRel_Estoque_Valorizado->qrEstoque_Valorizado->Preview();
        QStringList read;
        for (const QList<SheetCell>& row : readWorkbook(file)) {
            QStringList cells;
            for (const SheetCell& c : row)
                cells << (c.number
                              ? QString::number(c.value) + (c.format.contains("R$") ? " R$" : "")
                              : c.text);
            read << cells.join(" | ");
        }
        const QStringList want{
            "Estoque Valorizado pelo Custo Médio",
            "Data: 31/03/2006 Grupo: 000002 - Tintas Com os produtos de quantidade zero",
            "",
            "Código |  | Descrição | Unid. | Quantidade | Custo Médio | Valor",
            " | Grupo 000002 - Tintas",
            "20 |  | Tinta branca 18 L | UN | 1 | 30 R$ | 30 R$",
            " | Total do grupo 000002 |  |  |  |  | 30 R$",
            "",
            "Total do Estoque: | 30 R$"};
        QVERIFY2(read == want, qPrintable(read.join('\n')));
    }
};

KELVARA_TEST_MAIN(TestValorizacao)
#include "tst_valorizacao.moc"
