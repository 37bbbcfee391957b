#include "data/DataModule_Conexao.h"
#include "movements/RelatoriosBalanco.h"
#include "reportengine/BandReport.h"
#include "reportengine/Planilha.h"
#include "reportengine/ReportPreview.h"

#include "TestMain.h"
#include "TestSupport.h"

#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <memory>

using namespace report;

class TestBalancoRelatorios : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;

    void run(const QString& sql) { program->dbs.exec("qor.gdb", sql); }
    static SqlConnection* conexao() { return dmConexao->SQLC_QOR; }

    void produto(const QString& codigo, const QString& descricao, const QString& local,
                 double quant, double custo = 0) {
        run(QString("Insert Into Produtos (PRO_Codigo, PRO_Descricao, PRO_Unid, PRO_Local, "
                    "PRO_CodBar, PRO_Quant, PRO_PCusto) Values ('%1', '%2', 'UN', %3, '%4', %5, "
                    "%6)")
                .arg(codigo.rightJustified(10), descricao,
                     local.isEmpty() ? QString("null") : "'" + local + "'", "7890000000" + codigo)
                .arg(quant)
                .arg(custo));
    }
    void balanco(int numero, const QString& situacao) {
        run(QString("Insert Into Balanco (BAL_Numero, BAL_Descricao, BAL_Abertura, BAL_Situacao) "
                    "Values (%1, 'Depósito dos fundos', '2024-03-05 08:30:00', '%2')")
                .arg(numero)
                .arg(situacao));
    }
    // A count of some products, open.
    void abre(int numero, const QStringList& codigos) {
        balanco(numero, "A");
        for (const QString& codigo : codigos)
            run(QString("Insert Into Balanco_Produto (BAP_Numero, BAP_CodPro) Values (%1, '%2')")
                    .arg(numero)
                    .arg(codigo.rightJustified(10)));
    }
    // An applied count, as its apply left it: each product
    // "code|description|expected|counted|cost|lines", with a count line for
    // each product counted.
    void aplicado(int numero, const QStringList& produtos) {
        balanco(numero, "P");
        int linha = 0;
        for (const QString& p : produtos) {
            const QStringList f = p.split('|');
            produto(f[0], f[1], "A-01", f[3].toDouble(), f[4].toDouble());
            run(QString("Insert Into Balanco_Produto Values (%1, '%2', %3, %4, %5)")
                    .arg(numero)
                    .arg(f[0].rightJustified(10), f[2], f[3], f[4]));
            if (f[5] == "1")
                run(QString("Insert Into Balanco_Linha (BLI_Id, BLI_Numero, BLI_CodPro, BLI_Quant, "
                            "BLI_Estoque, BLI_Momento, BLI_Quem) Values (%1, %2, '%3', %4, %5, "
                            "'2024-03-05 10:00:00', 'Ana')")
                        .arg(++linha)
                        .arg(numero)
                        .arg(f[0].rightJustified(10), f[3], f[2]));
        }
    }

    // The report's PDF file as pdftotext reads it: its lines with words,
    // each with single blanks between the words.
    QStringList impresso(BandReport* relatorio) {
        const QString pdf = program->dbs.localPath() + "/" + relatorio->objectName() + ".pdf";
        if (!relatorio->SavePdf(pdf))
            return {"the PDF file was not written"};
        QProcess p;
        p.start("pdftotext", {"-layout", pdf, "-"});
        p.waitForFinished();
        QStringList linhas;
        for (const QString& linha : QString::fromUtf8(p.readAllStandardOutput()).split('\n'))
            if (!linha.simplified().isEmpty())
                linhas << linha.simplified();
        return linhas;
    }
    // The lines of the products, which begin with their three-digit codes.
    static QStringList produtos(const QStringList& linhas) {
        return linhas.filter(QRegularExpression("^\\d{3} "));
    }
    // The numbers a spreadsheet of the report holds.
    static QList<double> numeros(const Planilha& planilha) {
        QList<double> achados;
        for (const Planilha::Row& row : planilha.rows())
            for (const Cell& cell : row.cells)
                if (cell.value.typeId() == QMetaType::Double)
                    achados << cell.value.toDouble();
        return achados;
    }
    // An amount printed as "R$ 1.234,50" or "-R$ 2,00", in cents.
    static qint64 centavos(const QString& reais) {
        QString digitos = reais;
        digitos.remove(QRegularExpression("[^-0-9]"));
        return digitos.toLongLong();
    }

private slots:
    void init() {
        program = std::make_unique<RunningProgram>();
        BandReport::setClock([] { return QDateTime(QDate(2024, 3, 6), QTime(17, 45, 10)); });
    }
    void cleanup() {
        BandReport::setClock({});
        BandReport::setSpreadsheetDialog({});
        program.reset();
    }

    // The sheet follows the shelves: by location, then description, the
    // products without a location last; the quantity on hand only when asked
    // for, and on a blind sheet no quantity at all, printed or exported.
    void countSheetShowsQuantitiesOnlyWhenAsked_data() {
        QTest::addColumn<bool>("comEsperado");
        QTest::addColumn<QStringList>("linhas");
        QTest::addColumn<QList<double>>("exportados");
        QTest::newRow("blind") << false
                               << QStringList{"102 Arruela UN A-01 7890000000102",
                                              "103 Bucha UN A-01 7890000000103",
                                              "101 Prego UN B-02 7890000000101",
                                              "104 Abraçadeira UN 7890000000104"}
                               << QList<double>{};
        QTest::newRow("with expected quantities")
            << true
            << QStringList{"102 Arruela UN A-01 7890000000102 1234,000",
                           "103 Bucha UN A-01 7890000000103 0,250",
                           "101 Prego UN B-02 7890000000101 37,500",
                           "104 Abraçadeira UN 7890000000104 8,000"}
            << QList<double>{1234, 0.25, 37.5, 8};
    }
    void countSheetShowsQuantitiesOnlyWhenAsked() {
        QFETCH(bool, comEsperado);
        QFETCH(QStringList, linhas);
        QFETCH(QList<double>, exportados);
        produto("101", "Prego", "B-02", 37.5);
        produto("102", "Arruela", "A-01", 1234);
        produto("103", "Bucha", "A-01", 0.25);
        produto("104", "Abraçadeira", "", 8);
        produto("105", "Cola", "A-01", 99); // in no count
        abre(7, {"101", "102", "103", "104"});

        const auto folha = balanco::folhaDeContagem(conexao(), 7, comEsperado);
        const QStringList texto = impresso(folha.get());
        QVERIFY2(texto.contains("Folha de Contagem do Balanço 7"), qPrintable(texto.join('\n')));
        QVERIFY2(texto.contains("Descrição: Depósito dos fundos Abertura: 05/03/2024"),
                 qPrintable(texto.join('\n')));
        QCOMPARE(produtos(texto), linhas);
        QCOMPARE(texto.filter("Esperado").isEmpty(), !comEsperado);
        if (!comEsperado)
            QCOMPARE(texto.filter(QRegularExpression("\\d,\\d{3}")), QStringList{});
        QCOMPARE(numeros(folha->spreadsheet()), exportados);
    }

    // Every product of the applied count with its difference in quantity and
    // at its cost, the uncounted ones marked; the totals are the sums of the
    // amounts printed on the lines, each rounded to the cent.
    void differencesReportListsEachProductAndItsTotals_data() {
        QTest::addColumn<QStringList>("aplicados"); // code|description|expected|counted|cost|lines
        QTest::addColumn<QStringList>("linhas");
        QTest::addColumn<QStringList>("totais");
        QTest::newRow("surplus, shortage and one left uncounted")
            << QStringList{"202|Chave|5|3|1234.5|1", "201|Broca|10|12|2.5|1",
                           "203|Esquadro|4|4|3|0"}
            << QStringList{"201 Broca UN 10,000 12,000 2,000 R$ 5,00",
                           "202 Chave UN 5,000 3,000 -2,000 -R$ 2.469,00",
                           "203 Esquadro UN 4,000 4,000 0,000 R$ 0,00 Não contado"}
            << QStringList{"Sobras (R$): R$ 5,00", "Faltas (R$): R$ 2.469,00",
                           "Saldo (R$): -R$ 2.464,00"};
        QTest::newRow("cents rounded on each line, uncounted counted as zero")
            << QStringList{"301|Lixa fina|1|1.333|0.05|1", "302|Lixa grossa|1|1.333|0.05|1",
                           "303|Lixa média|1|1.333|0.05|1", "304|Massa|2.5|0|0.34|0"}
            << QStringList{"301 Lixa fina UN 1,000 1,333 0,333 R$ 0,02",
                           "302 Lixa grossa UN 1,000 1,333 0,333 R$ 0,02",
                           "303 Lixa média UN 1,000 1,333 0,333 R$ 0,02",
                           "304 Massa UN 2,500 0,000 -2,500 -R$ 0,85 Não contado"}
            << QStringList{"Sobras (R$): R$ 0,06", "Faltas (R$): R$ 0,85", "Saldo (R$): -R$ 0,79"};
    }
    void differencesReportListsEachProductAndItsTotals() {
        QFETCH(QStringList, aplicados);
        QFETCH(QStringList, linhas);
        QFETCH(QStringList, totais);
        aplicado(3, aplicados);

        const QStringList texto = impresso(balanco::relatorioDeDiferencas(conexao(), 3).get());
        QVERIFY2(texto.contains("Diferenças do Balanço 3"), qPrintable(texto.join('\n')));
        QCOMPARE(produtos(texto), linhas);
        QCOMPARE(texto.filter(QRegularExpression("^(Sobras|Faltas|Saldo) ")), totais);

        qint64 sobras = 0, faltas = 0;
        const QRegularExpression reais("-?R\\$ [0-9.]+,\\d\\d");
        for (const QString& linha : produtos(texto)) {
            const qint64 valor = centavos(reais.match(linha).captured());
            (valor > 0 ? sobras : faltas) += valor;
        }
        QCOMPARE(centavos(totais[0]), sobras);
        QCOMPARE(centavos(totais[1]), -faltas);
        QCOMPARE(centavos(totais[2]), sobras + faltas);
    }

    // The screen's buttons open the report in the preview, which prints and
    // exports it as any other; the differences of an open count are refused.
    void screenOpensTheReportInThePreview_data() {
        QTest::addColumn<bool>("diferencas");
        QTest::addColumn<QString>("titulo");
        QTest::newRow("count sheet") << false << "Folha de Contagem do Balanço 4";
        QTest::newRow("differences") << true << "Diferenças do Balanço 4";
    }
    void screenOpensTheReportInThePreview() {
        QFETCH(bool, diferencas);
        QFETCH(QString, titulo);
        aplicado(4, {"401|Serrote|2|1|30|1"});
        const QString csv = program->dbs.localPath() + "/exportada.csv";
        BandReport::setSpreadsheetDialog([csv](QWidget*, const QString&) { return csv; });
        bool mostrou = false;
        whenModal<ReportPreview>([&mostrou](ReportPreview* preview) {
            mostrou = preview->pageCount() == 1;
            QTest::mouseClick(preview->btnExportar, Qt::LeftButton);
            QTest::mouseClick(preview->btnFechar, Qt::LeftButton);
        });
        if (diferencas)
            MostraDiferencas(nullptr, conexao(), 4);
        else
            MostraFolhaDeContagem(nullptr, conexao(), 4, false);
        QVERIFY(mostrou);
        QFile exportada(csv);
        QVERIFY(exportada.open(QIODevice::ReadOnly));
        const QString planilha = QString::fromUtf8(exportada.readAll());
        QVERIFY2(planilha.contains(titulo), qPrintable(planilha));
        QVERIFY2(planilha.contains("401"), qPrintable(planilha));

        abre(5, {});
        MostraDiferencas(nullptr, conexao(), 5);
        QCOMPARE(program->recorder.texts(),
                 QStringList{"O balanço 5 não foi aplicado: as diferenças saem depois que ele "
                             "for aplicado."});
    }
};

KELVARA_TEST_MAIN(TestBalancoRelatorios)
#include "tst_balanco_relatorios.moc"
