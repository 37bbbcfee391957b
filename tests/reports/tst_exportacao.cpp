#include "app/Pricipal.h"
#include "data/DataModule_Produtos.h"
#include "reportengine/Planilha.h"
#include "reportengine/ReportPreview.h"
#include "reports/Rel_Itens_Estoque.h"
#include "reports/Rel_Mov_Estq.h"
#include "reports/Tela_Impressora.h"
#include "shell/Arquivos.h"
#include "utilities/Importacao.h"

#include "SheetReader.h"
#include "TestMain.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <memory>

using namespace report;

// The report preview's "Exportar Planilha": what the operator gets in Excel
// is what the report printed, numbers and dates as such.
class TestExportacao : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;
    QList<Arquivos::Pedido> asked;
    QString answer; // the file the operator chooses; empty: cancels

    void run(const QString& sql) { program->dbs.exec("qor.gdb", sql); }
    QString path(const QString& name) const { return program->dbs.localPath() + "/" + name; }

    // Two products, one with a description that needs quoting in CSV; in
    // March an entry and an exit of the first.
    void addSample() {
        run("Insert Into Grupos Values ('000001', 'Ferragens')");
        run("Insert Into Produtos (PRO_Codigo, PRO_Descricao, PRO_Unid, PRO_CodGru, PRO_Quant, "
            "PRO_PCusto, PRO_PVenda) Values ('        12', 'Parafuso \"sextavado\"; inox', 'UN', "
            "'000001', 2.5, 1234.5, 1500)");
        run("Insert Into Produtos (PRO_Codigo, PRO_Descricao, PRO_Unid, PRO_CodGru, PRO_Quant, "
            "PRO_PCusto, PRO_PVenda) Values ('        13', 'Arruela', 'CX', '000001', 0.5, 4, 6)");
        run("Insert Into Mov_Estq Values ('        12', 'EE', '2006-03-01', 1234.5, 10, 'NF 1', "
            "null)");
        run("Insert Into Mov_Estq Values ('        12', 'SS', '2006-03-02', 60, 4, 'NF 2', null)");
        dmProdutos->cds_Produtos->Reload(
            {"Select p.*,g.GRU_Descricao From Produtos p join Grupos g on(p.PRO_CodGRU "
             "=g.GRU_Codigo) Order By p.PRO_Codigo"});
        loadMovementPeriod(QDate(2006, 3, 1), QDate(2006, 3, 31));
        fRel_Mov_Estq->lbDataIni->setCaption("01/03/2006");
        fRel_Mov_Estq->lbDataFim->setCaption("31/03/2006");
    }

    // Shows the report of the key on screen and presses "Exportar Planilha".
    void exportReport(const QString& key) {
        bool pressed = false;
        whenModal([&pressed](QWidget* chooser) {
            whenModal<ReportPreview>([&pressed](ReportPreview* preview) {
                QCOMPARE(preview->btnExportar->text(), QString("Exportar Planilha"));
                QTest::mouseClick(preview->btnExportar, Qt::LeftButton);
                pressed = true;
                QTest::mouseClick(preview->btnFechar, Qt::LeftButton);
            });
            QTest::mouseClick(qobject_cast<TfTela_Impressora*>(chooser)->BitBtn1, Qt::LeftButton);
        });
        fTela_Impressora->Relatorio = key;
        fTela_Impressora->exec();
        QVERIFY(pressed);
    }

    // A cell as the test reads it: a text as it is; a number after "#",
    // with what its format makes of it ("R$", "qtd", a date).
    static QString shown(const SheetCell& cell) {
        if (!cell.number)
            return cell.text;
        if (cell.format == "dd/mm/yyyy")
            return "#" + QDate(1899, 12, 30).addDays(qint64(cell.value)).toString("dd/MM/yyyy");
        QString text = "#" + QString::number(cell.value, 'g', 15);
        if (cell.format.contains("R$"))
            text += " R$";
        else if (cell.format == "#,##0.000")
            text += " qtd";
        else if (cell.format != "General")
            text += " [" + cell.format + "]";
        return text;
    }
    // One row written as CSV and read back, after the byte order mark.
    QString csvOf(std::vector<Cell> cells) {
        Planilha sheet;
        sheet.addRow(std::move(cells));
        const QString failure = sheet.write(path("linha.csv"));
        if (!failure.isEmpty())
            return failure;
        QFile file(path("linha.csv"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll().mid(3))
                                              : QString();
    }
    static QStringList shownRows(const QString& workbook) {
        QStringList rows;
        for (const QList<SheetCell>& row : readWorkbook(workbook)) {
            QStringList cells;
            for (const SheetCell& cell : row)
                cells << shown(cell);
            rows << cells.join(" | ");
        }
        return rows;
    }

private slots:
    void init() {
        program = std::make_unique<RunningProgram>();
        fPrincipal->NomeEmpresa = "Casa Kelvara Ltda";
        fPrincipal->FoneEmpresa = "(11) 5555-0199";
        asked.clear();
        answer.clear();
        Arquivos::setHandler([this](const Arquivos::Pedido& pedido) {
            asked << pedido;
            return answer;
        });
        addSample();
    }
    void cleanup() {
        Arquivos::setHandler({});
        program.reset();
    }

    // The rows of the report, then its totals; what was asked above the
    // headings, the company line left out.
    void workbookHoldsTheReportsRowsAndTotals_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("proposed");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("stock list")
            << "Itens Estoque Codigo"
            << "Lista de Itens no Estoque.xlsx"
            << QStringList{"Lista de Itens no Estoque",
                           "",
                           "Código | Descrição | Unid. | Quantidade | P.Custo | P. Venda",
                           "12 | Parafuso \"sextavado\"; inox | UN | #2.5 qtd | #1234.5 R$ | "
                           "#1500 R$",
                           "13 | Arruela | CX | #0.5 qtd | #4 R$ | #6 R$",
                           "",
                           "Total em Estoque pelo Preço de Venda: | #3753 R$",
                           "Total em Estoque pelo Preço de Custo: | #3088.25 R$"};
        QTest::newRow("movements of a period")
            << "Mov_Estq Geral Datas"
            << "Lista de Movimentação de Estoque Geral por Data.xlsx"
            << QStringList{
                   "Lista de Movimentação de Estoque Geral por Data",
                   "Período: 01/03/2006 à 31/03/2006",
                   "",
                   "Código | Descrição | Data | Oper. | Quantidade | Valor",
                   "12 | Parafuso \"sextavado\"; inox | #01/03/2006 | EE | #10 qtd | #1234.5 R$",
                   "12 | Parafuso \"sextavado\"; inox | #02/03/2006 | SS | #4 qtd | #60 R$",
                   "",
                   "Total de Entradas(Quantidade): | #10 qtd | Total de Entradas(R$): | #1234.5 R$",
                   "Total de Saídas(Quantidade): | #4 qtd | Total de Saídas(R$): | #60 R$",
                   "Total de Est.de Entradas(Quantidade): | #0 qtd | Total de Est.de "
                   "Entradas(R$): | #0 R$",
                   "Total de Est.de Saídas(Quantidade): | #0 qtd | Total de Est.de Saídas(R$): | "
                   "#0 R$",
                   "Balanço do Período: | #1174.5 R$"};
    }
    void workbookHoldsTheReportsRowsAndTotals() {
        QFETCH(QString, key);
        QFETCH(QString, proposed);
        QFETCH(QStringList, rows);
        answer = path("relatorio"); // no extension: a workbook
        exportReport(key);
        QCOMPARE(asked.size(), 1);
        QVERIFY(asked[0].salvar);
        QCOMPARE(asked[0].nome, proposed);
        QCOMPARE(asked[0].filtro,
                 QString("Planilha do Excel (*.xlsx);;Planilha em texto CSV (*.csv)"));
        QVERIFY2(program->recorder.messages.isEmpty(),
                 qPrintable(program->recorder.texts().join('\n')));
        QVERIFY(QFile::exists(path("relatorio.xlsx")));
        const QStringList read = shownRows(path("relatorio.xlsx"));
        QVERIFY2(read == rows, qPrintable(read.join('\n')));
    }

    // The CSV text Excel opens in Brazil: a byte order mark, ";" between
    // cells, decimal commas without thousands separators, quoted texts.
    void csvReadsInBrazilianExcel() {
        answer = path("movimentos.CSV");
        exportReport("Mov_Estq Geral Datas");
        QVERIFY2(program->recorder.messages.isEmpty(),
                 qPrintable(program->recorder.texts().join('\n')));
        QFile file(answer);
        // The shop's data: readable by its owner only.
        QCOMPARE(file.permissions() &
                     (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
                 QFileDevice::Permissions());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const QStringList lines = QString::fromUtf8(bytes.mid(3)).split("\r\n");
        const QStringList expected{
            "Lista de Movimentação de Estoque Geral por Data",
            "Período: 01/03/2006 à 31/03/2006",
            "",
            "Código;Descrição;Data;Oper.;Quantidade;Valor",
            "12;\"Parafuso \"\"sextavado\"\"; inox\";01/03/2006;EE;10,000;1234,50",
            "12;\"Parafuso \"\"sextavado\"\"; inox\";02/03/2006;SS;4,000;60,00",
            "",
            "Total de Entradas(Quantidade):;10,000;Total de Entradas(R$):;1234,50",
            "Total de Saídas(Quantidade):;4,000;Total de Saídas(R$):;60,00",
            "Total de Est.de Entradas(Quantidade):;0,000;Total de Est.de Entradas(R$):;0,00",
            "Total de Est.de Saídas(Quantidade):;0,000;Total de Est.de Saídas(R$):;0,00",
            "Balanço do Período:;1174,50",
            ""};
        QVERIFY2(lines == expected, qPrintable(lines.join('\n')));
    }

    // Each kind of value in a CSV cell.
    void csvCells_data() {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("text");
        const int plain = int(FieldFormat::Plain), money = int(FieldFormat::Money),
                  quantity = int(FieldFormat::Quantity);
        QTest::newRow("money") << QVariant(-1234.5) << money << "-1234,50";
        QTest::newRow("money rounds as shown") << QVariant(1.005) << money << "1,01";
        QTest::newRow("quantity") << QVariant(2.5) << quantity << "2,500";
        QTest::newRow("plain fraction") << QVariant(0.25) << plain << "0,25";
        QTest::newRow("whole") << QVariant(qlonglong(1234567)) << plain << "1234567";
        QTest::newRow("date") << QVariant(QDate(2006, 3, 1)) << plain << "01/03/2006";
        QTest::newRow("padded code") << QVariant("        12") << plain << "12";
        QTest::newRow("semicolon") << QVariant("a;b") << plain << "\"a;b\"";
        QTest::newRow("quote") << QVariant("3\" pol") << plain << "\"3\"\" pol\"";
        QTest::newRow("line break") << QVariant("a\nb") << plain << "\"a\nb\"";
        QTest::newRow("formula stays text") << QVariant("=1+1") << plain << "'=1+1";
        QTest::newRow("apostrophe before a sign gets one more")
            << QVariant("'+1") << plain << "''+1";
        QTest::newRow("apostrophe before a letter stays alone") << QVariant("'a") << plain << "'a";
        QTest::newRow("leading zeros stay a code")
            << QVariant("000123") << plain << "\"=\"\"000123\"\"\"";
        QTest::newRow("bar code stays a code")
            << QVariant("7891234567895") << plain << "\"=\"\"7891234567895\"\"\"";
        QTest::newRow("short number stays") << QVariant("1234567") << plain << "1234567";
        QTest::newRow("null") << QVariant() << plain << "";
    }
    void csvCells() {
        QFETCH(QVariant, stored);
        QFETCH(int, format);
        QFETCH(QString, text);
        QCOMPARE(
            csvOf({Cell::of(stored, FieldFormat(format)), Cell::of("fim", FieldFormat::Plain)}),
            text + ";fim\r\n");
    }

    // Every heading a product report writes over a product's column is one
    // the import knows, or leaves out on purpose, saying why.
    void productReportHeadingsAreKnownToTheImport_data() {
        QTest::addColumn<QString>("key");
        QTest::newRow("stock list") << "Itens Estoque Codigo";
        QTest::newRow("price list") << "Lista Preco Descricao";
        QTest::newRow("minimum stock") << "Itens Estoque Minimo";
    }
    void productReportHeadingsAreKnownToTheImport() {
        QFETCH(QString, key);
        run("Update Produtos Set PRO_Min = 5");
        dmProdutos->cds_Produtos->Refresh();
        answer = path("relatorio.csv");
        exportReport(key);
        const std::unique_ptr<importacao::Leitor> sheet =
            importacao::abre(importacao::Tipo::Produtos, answer);
        const importacao::Plano plan = importacao::planeja(importacao::Tipo::Produtos, *sheet, {});
        QVERIFY(plan.linhaCabecalho > 0);
        for (const importacao::Coluna& column : plan.colunas)
            QVERIFY2(!column.campo.isEmpty() || column.nota.contains("estoque muda"),
                     qPrintable(column.cabecalho + " → " + column.nota));
    }

    // Captions of totals are numbers when they read as Brazilian numbers.
    void totalCaptions_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("csv");
        QTest::newRow("money") << "R$ 1.234,50"
                               << "1234,50";
        QTest::newRow("negative money") << "-R$ 12,00"
                                        << "-12,00";
        QTest::newRow("quantity") << "1.234,500"
                                  << "1234,500";
        QTest::newRow("caption") << "Total de Entradas(R$):"
                                 << "Total de Entradas(R$):";
        QTest::newRow("code, kept as text") << "000001"
                                            << "\"=\"\"000001\"\"\"";
        QTest::newRow("wrong grouping") << "12.34,5"
                                        << "12.34,5";
    }
    void totalCaptions() {
        QFETCH(QString, caption);
        QFETCH(QString, csv);
        QCOMPARE(csvOf({Cell::fromCaption(caption)}), csv + "\r\n");
    }

    // Cancelling writes nothing; a file that cannot be written is told, in
    // Portuguese, and leaves nothing behind.
    void cancelWritesNothingAndAFailureIsTold_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("xlsx") << "planilha.xlsx";
        QTest::newRow("csv") << "planilha.csv";
    }
    void cancelWritesNothingAndAFailureIsTold() {
        QFETCH(QString, file);
        const QDir before(program->dbs.localPath());
        const QStringList files = before.entryList(QDir::Files);
        exportReport("Itens Estoque Codigo");
        QVERIFY(program->recorder.messages.isEmpty());
        QCOMPARE(QDir(program->dbs.localPath()).entryList(QDir::Files), files);

        const QString missing = path("não existe");
        answer = missing + "/" + file;
        exportReport("Itens Estoque Codigo");
        QCOMPARE(program->recorder.messages.size(), 1);
        QCOMPARE(program->recorder.messages[0].kind, Messages::Kind::Warning);
        QVERIFY2(program->recorder.messages[0].text.startsWith(
                     "Não foi possível gravar a planilha em " + answer + ": "),
                 qPrintable(program->recorder.messages[0].text));
        QVERIFY(!QFile::exists(missing));
        QCOMPARE(QDir(program->dbs.localPath()).entryList(QDir::Files), files);
    }
};

KELVARA_TEST_MAIN(TestExportacao)
#include "tst_exportacao.moc"
