#include "data/Conexao.h"
#include "data/FbConnection.h"
#include "data/FbResult.h"
#include "shell/Arquivos.h"
#include "utilities/Importa_Produtos.h"

#include "TestMain.h"
#include "TestSupport.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStringEncoder>
#include <QTableWidget>
#include <memory>

// Products and groups from a spreadsheet saved as CSV, through the import
// screen as the operator uses it.
class TestImportacao : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;

    void run(const QString& sql) { program->dbs.exec("qor.gdb", sql); }
    QStringList stored(const QString& sql) {
        fb::Connection db;
        db.attach(ConexaoAdministrador(CaminhoBanco(program->dbs.folder(), "qor.gdb")));
        const fb::ResultSet r = db.select(sql);
        QStringList rows;
        for (int row = 0; row < r.rowCount(); ++row) {
            QStringList cells;
            for (int col = 0; col < r.columnCount(); ++col)
                cells << r.value(row, col).toString();
            rows << cells.join(u'|');
        }
        return rows;
    }
    QStringList products() {
        return stored("Select PRO_Codigo, PRO_Descricao, PRO_CodGru, PRO_Unid, PRO_PCusto, "
                      "PRO_Margem, PRO_PVenda, PRO_Quant From Produtos Order By PRO_Codigo");
    }
    // Writes the file and chooses it on the screen, as the file dialog would.
    void choose(const QByteArray& bytes, bool groups = false) {
        const QString path = program->dbs.localPath() + "/planilha de preços.csv";
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        Arquivos::setHandler([path](const Arquivos::Pedido&) { return path; });
        fImporta_Produtos->show();
        (groups ? fImporta_Produtos->rbGrupos : fImporta_Produtos->rbProdutos)->click();
        QTest::mouseClick(fImporta_Produtos->btnEscolheArquivo, Qt::LeftButton);
    }
    QStringList refusals() const {
        QStringList texts;
        for (int i = 0; i < fImporta_Produtos->lstRecusas->count(); ++i)
            texts << fImporta_Produtos->lstRecusas->item(i)->text();
        return texts;
    }
    static QByteArray windows1252(const QString& text) {
        QStringEncoder encoder("windows-1252");
        return encoder.encode(text);
    }

private slots:
    void init() {
        program = std::make_unique<RunningProgram>();
        run("Insert Into Grupos Values ('000001', 'Bebidas')");
    }
    void cleanup() {
        fImporta_Produtos->close();
        Arquivos::setHandler({});
        program.reset();
    }

    // Each encoding and separator a Brazilian spreadsheet saves, and a
    // header in another order: the rows stored are the ones the screen
    // showed, prices made as the product screen makes them.
    void importsWhatCalcAndExcelSave_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("reading");
        QTest::addColumn<QString>("product");
        QTest::newRow("UTF-8 with its mark, semicolons, margin makes the sale price")
            << QByteArray("\xEF\xBB\xBF") +
                   QString("Código;Descrição;Grupo;Unidade;Preço de Custo;Margem\r\n"
                           "1;Água mineral;1;UN;R$ 2,00;50%\r\n")
                       .toUtf8()
            << "Lido como UTF-8, colunas separadas por \";\"."
            << "         1|Água mineral|000001|UN|2|50|3|0";
        QTest::newRow("UTF-8, commas, quoted cells, header in another order")
            << QString("Preço de Venda,Descrição,Preço de Custo,Código,Grupo\n"
                       "\"12,50\",\"Café, 500 g \"\"extra\"\"\",10,2,000001\n")
                   .toUtf8()
            << "Lido como UTF-8, colunas separadas por \",\"."
            << "         2|Café, 500 g \"extra\"|000001||10|25|12.5|0";
        QTest::newRow("Windows-1252, tabs, exact half rounds up")
            << windows1252("Codigo\tDescricao\tGrupo\tCusto\tMargem\n3\tAçúcar\t1\t1,10\t5\n")
            << "Lido como Windows-1252, colunas separadas por tabulação."
            << "         3|Açúcar|000001||1.1|5|1.16|0";
    }
    void importsWhatCalcAndExcelSave() {
        QFETCH(QByteArray, file);
        QFETCH(QString, reading);
        QFETCH(QString, product);
        choose(file);
        QCOMPARE(fImporta_Produtos->lbLeitura->text(), reading);
        QCOMPARE(fImporta_Produtos->lbResumo->text(),
                 QString("1 produtos serão gravados; 0 linhas recusadas."));
        QCOMPARE(fImporta_Produtos->dbgPrevia->item(0, 0)->text(), product.section('|', 0, 0));
        QVERIFY(fImporta_Produtos->btnImportar->isEnabled());
        QTest::mouseClick(fImporta_Produtos->btnImportar, Qt::LeftButton);
        QCOMPARE(products(), QStringList{product});
        QCOMPARE(program->recorder.texts().last(), QString("1 produtos importados."));
        // The file is done with: nothing more to import until another is chosen.
        QVERIFY(!fImporta_Produtos->btnImportar->isEnabled());
        QVERIFY(fImporta_Produtos->edArquivo->text().isEmpty());
        QCOMPARE(fImporta_Produtos->lbResumo->text(), QString("1 produtos importados."));
    }

    // Every line that cannot be stored is listed with its reason; nothing is
    // written until the operator says yes, and then only the good lines.
    void refusedLinesAreListedAndLeftOut() {
        run("Insert Into Produtos (PRO_Codigo, PRO_Descricao, PRO_CodGru) Values ('        50', "
            "'Já cadastrado', '000001')");
        choose(QString("Código;Descrição;Grupo;Preço de Custo;Quantidade\n"
                       "10;Suco de uva;1;4,00;99\n"
                       "12345678901;Código longo;1;1;\n"
                       "11;Sem grupo certo;9;1;\n"
                       "12;Preço que não se lê;1;abc;\n"
                       "13;Cerveja € importada;1;1;\n"
                       "10;Repetido;1;1;\n"
                       "50;Já no estoque;1;1;\n"
                       "14;" +
                       QString(51, 'x') + ";1;1;\n" + "15;;1;1;\n")
                   .toUtf8());
        QCOMPARE(refusals(),
                 (QStringList{
                     "Linha 3: \"12345678901\" é longo demais para a coluna \"Código\" (no máximo "
                     "10 caracteres)",
                     "Linha 4: o grupo 000009 não está cadastrado",
                     "Linha 5: \"abc\" da coluna \"Preço de Custo\" não é um número",
                     "Linha 6: o caractere \"€\" da coluna \"Descrição\" não pode ser gravado",
                     "Linha 7: o código 10 já está na linha 2 do arquivo",
                     "Linha 8: o código 50 já está cadastrado",
                     "Linha 9: \"" + QString(51, 'x') +
                         "\" é longo demais para a coluna \"Descrição\" (no máximo 50 caracteres)",
                     "Linha 10: sem descrição",
                 }));
        QVERIFY(fImporta_Produtos->lbColunas->text().contains(
            "Quantidade → não importada: o estoque muda só pelas entradas e saídas"));
        QCOMPARE(fImporta_Produtos->lbResumo->text(),
                 QString("1 produtos serão gravados; 8 linhas recusadas."));

        program->recorder.answers = {false};
        QTest::mouseClick(fImporta_Produtos->btnImportar, Qt::LeftButton);
        QCOMPARE(program->recorder.texts().last(),
                 QString("Gravar os 1 produtos da planilha? As 8 linhas recusadas ficam de fora."));
        QCOMPARE(products().size(), 1);
        program->recorder.answers = {true};
        QTest::mouseClick(fImporta_Produtos->btnImportar, Qt::LeftButton);
        QCOMPARE(products(), (QStringList{"        10|Suco de uva|000001||4|0|0|0",
                                          "        50|Já cadastrado|000001|||||"}));
    }

    // A write that fails halfway leaves nothing of the file in the database.
    void failedImportWritesNothing() {
        choose(QByteArray("Codigo;Descricao;Grupo\n1;Primeiro;1\n2;Segundo;1\n"));
        QCOMPARE(fImporta_Produtos->lbResumo->text(),
                 QString("2 produtos serão gravados; 0 linhas recusadas."));
        // Another workstation stores the second code meanwhile.
        run("Insert Into Produtos (PRO_Codigo, PRO_Descricao, PRO_CodGru) Values ('         2', "
            "'De outro caixa', '000001')");
        QTest::mouseClick(fImporta_Produtos->btnImportar, Qt::LeftButton);
        QVERIFY2(program->recorder.texts().last().startsWith("Não foi possível importar"),
                 qPrintable(program->recorder.texts().join("\n")));
        QCOMPARE(products(), QStringList{"         2|De outro caixa|000001|||||"});
    }

    void groupsComeInPaddedAsTheGroupScreenPadsThem() {
        choose(QByteArray("Código;Descrição\n7;Tintas\n1;Repetido\n"), true);
        QCOMPARE(refusals(), QStringList{"Linha 3: o código 000001 já está cadastrado"});
        QTest::mouseClick(fImporta_Produtos->btnImportar, Qt::LeftButton);
        QCOMPARE(stored("Select GRU_Codigo, GRU_Descricao From Grupos Order By 1"),
                 (QStringList{"000001|Bebidas", "000007|Tintas"}));
    }

    void aFileWithoutItsHeadingsIsRefusedWhole() {
        choose(QByteArray("1;Água;1\n2;Suco;1\n"));
        QCOMPARE(fImporta_Produtos->lbResumo->text(),
                 QString("O arquivo não tem as colunas \"Código\" e \"Descrição\" na primeira "
                         "linha; nada pode ser importado."));
        QVERIFY(!fImporta_Produtos->btnImportar->isEnabled());
    }
};

KELVARA_TEST_MAIN(TestImportacao)
#include "tst_importacao.moc"
