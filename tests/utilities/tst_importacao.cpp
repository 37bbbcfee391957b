#include "data/Conexao.h"
#include "data/DataModule_Grupos.h"
#include "data/DataModule_Produtos.h"
#include "data/FbConnection.h"
#include "data/FbResult.h"
#include "masterdata/Manut_Grupos.h"
#include "masterdata/Manut_Produtos.h"
#include "shell/Arquivos.h"
#include "utilities/Importa_Produtos.h"

#include "TestMain.h"
#include "TestSupport.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QStringEncoder>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <memory>

// Products and groups from a spreadsheet, CSV or Excel workbook, through the
// import screen as the operator uses it.
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
        choosePath(path, groups);
    }
    void choosePath(const QString& path, bool groups = false) {
        Arquivos::setHandler([path](const Arquivos::Pedido&) { return path; });
        fImporta_Produtos->show();
        (groups ? fImporta_Produtos->rbGrupos : fImporta_Produtos->rbProdutos)->click();
        QTest::mouseClick(fImporta_Produtos->btnEscolheArquivo, Qt::LeftButton);
    }
    static QStringList lines(const QListWidget* list) {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
        return texts;
    }
    // Exports a browse grid as the operator does, to path.
    static void exportGrid(QTableView* grid, const QString& path) {
        Arquivos::setHandler([path](const Arquivos::Pedido&) { return path; });
        grid->findChild<QAction*>("acExportar")->trigger();
        Arquivos::setHandler({});
        QVERIFY(QFile::exists(path));
    }
    QStringList refusals() const { return lines(fImporta_Produtos->lstRecusas); }
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
            << "Lido como UTF-8, colunas separadas por \";\". Nomes das colunas na linha 1."
            << "         1|Água mineral|000001|UN|2|50|3|0";
        QTest::newRow("UTF-8, commas, quoted cells, header in another order")
            << QString("Preço de Venda,Descrição,Preço de Custo,Código,Grupo\n"
                       "\"12,50\",\"Café, 500 g \"\"extra\"\"\",10,2,000001\n")
                   .toUtf8()
            << "Lido como UTF-8, colunas separadas por \",\". Nomes das colunas na linha 1."
            << "         2|Café, 500 g \"extra\"|000001||10|25|12.5|0";
        QTest::newRow("Windows-1252, tabs, exact half rounds up")
            << windows1252("Codigo\tDescricao\tGrupo\tCusto\tMargem\n3\tAçúcar\t1\t1,10\t5\n")
            << "Lido como Windows-1252, colunas separadas por tabulação. Nomes das colunas na "
               "linha 1."
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
        QCOMPARE(
            refusals(),
            (QStringList{
                "Linha 3: \"12345678901\" é longo demais para a coluna \"Código\" (no máximo "
                "10 caracteres)",
                "Linha 4: o grupo 000009 não está cadastrado",
                "Linha 5: \"abc\" da coluna \"Preço de Custo\" não é um número",
                "Linha 6: o caractere \"€\" (U+20AC) da coluna \"Descrição\" não pode ser gravado",
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
                 QString("O arquivo não tem uma linha com as colunas \"Código\" e "
                         "\"Descrição\" (procurada nas primeiras 50 linhas); nada pode ser "
                         "importado."));
        QVERIFY(!fImporta_Produtos->btnImportar->isEnabled());
    }

    // What the product and group grids export comes back whole into a new
    // installation: under the grid's title, with its own headings, codes
    // kept as text, formula guards taken off, dates and prices as they were.
    // The on-hand quantity stays out: stock changes only by movements.
    void gridsComeBackWhole_data() {
        QTest::addColumn<QString>("extension");
        QTest::newRow("CSV") << "csv";
        QTest::newRow("Excel workbook") << "xlsx";
    }
    void gridsComeBackWhole() {
        QFETCH(QString, extension);
        run("Insert Into Grupos Values ('000010', 'Ferragens; \"pesadas\"')");
        const QString insert = "Insert Into Produtos (PRO_Codigo, PRO_Descricao, PRO_Unid, "
                               "PRO_CodGru, PRO_Local, PRO_Quant, PRO_Min, PRO_Margem, PRO_PCusto, "
                               "PRO_PVenda, PRO_UComp, PRO_DCad, PRO_Obs, PRO_Refer, PRO_CodBar, "
                               "PRO_EMax) Values ";
        run(insert + "('         1', 'Água mineral', 'UN', '000001', 'A-01', 5.5, 2, 50, 2, 3, "
                     "'2026-11-30', '2020-01-15', 'Gelada; \"sem gás\"', '00123', "
                     "'7891234567895', 100)");
        // A margin typed on the product screen: 10 % of 0,03 rounds away.
        run(insert + "('        20', '+Fibra de vidro', 'M2', '000010', null, 0, 0, 10, 0.03, "
                     "0.03, null, '2026-12-01', null, '-5', '0789123456784', 0)");
        run(insert + "('       ABC', '=SOMA(A1)', 'CX', '000010', '', 0, 0, 42.86, 7, 10, null, "
                     "'2026-12-01', '@nota', '', null, 0)");
        run(insert + "('1234567890', '''+já com apóstrofo', 'UN', '000001', 'B', 1, 0, -20, 8, "
                     "6.4, '2026-01-02', '2025-05-05', null, null, '12345678', 7)");
        const QString columns = "Select PRO_Codigo, PRO_Descricao, PRO_Unid, PRO_CodGru, "
                                "PRO_Local, PRO_Min, PRO_Margem, PRO_PCusto, PRO_PVenda, "
                                "PRO_UComp, PRO_DCad, PRO_Obs, PRO_Refer, PRO_CodBar, PRO_EMax, "
                                "PRO_Quant From Produtos Order By 1";
        const QString groupColumns = "Select GRU_Codigo, GRU_Descricao From Grupos Order By 1";
        QStringList products = stored(columns);
        const QStringList groups = stored(groupColumns);

        QTemporaryDir folder;
        const QString groupFile = folder.filePath("Grupos exportados." + extension);
        const QString productFile = folder.filePath("Produtos exportados." + extension);
        dmGrupos->cds_Grupos->Refresh();
        dmProdutos->cds_Produtos->Refresh();
        fManut_Grupos->show();
        exportGrid(fManut_Grupos->dbg_ManutGrupos, groupFile);
        fManut_Grupos->close();
        fManut_Produtos->show();
        exportGrid(fManut_Produtos->dbg_Manut_PRO, productFile);
        fManut_Produtos->close();

        cleanup();
        program = std::make_unique<RunningProgram>();
        choosePath(groupFile, true);
        QCOMPARE(fImporta_Produtos->lbResumo->text(),
                 QString("2 grupos serão gravados; 0 linhas recusadas."));
        QVERIFY2(fImporta_Produtos->lbLeitura->text().endsWith("Nomes das colunas na linha 3."),
                 qPrintable(fImporta_Produtos->lbLeitura->text()));
        QTest::mouseClick(fImporta_Produtos->btnImportar, Qt::LeftButton);
        QCOMPARE(stored(groupColumns), groups);

        choosePath(productFile);
        const QString matched = fImporta_Produtos->lbColunas->text();
        QVERIFY2(!matched.contains("desconhecida"), qPrintable(matched));
        QVERIFY2(matched.contains("Quantidade → não importada: o estoque muda só pelas entradas "
                                  "e saídas") &&
                     matched.contains("Descrição Grupo → não importada: a descrição do grupo "
                                      "vem do cadastro de grupos"),
                 qPrintable(matched));
        QCOMPARE(refusals(), QStringList());
        QCOMPARE(lines(fImporta_Produtos->lstAvisos), QStringList());
        QTest::mouseClick(fImporta_Produtos->btnImportar, Qt::LeftButton);
        for (QString& product : products)
            product = product.section('|', 0, -2) + "|0";
        QCOMPARE(stored(columns), products);
    }

    // What a spreadsheet program does to a file, and what the import makes
    // of it: every reason of a line listed, a disagreeing margin made again
    // from cost and sale price, no negative price.
    void spreadsheetHabits_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("refused");
        QTest::addColumn<QStringList>("corrected");
        QTest::addColumn<QString>("product");
        const QByteArray prices = "Código;Descrição;Grupo;Preço de Custo;Margem;Preço de Venda\n";
        QTest::newRow("a bar code Excel wrote in scientific notation")
            << QByteArray("Código;Descrição;Grupo;Código de Barras\n1;Água;1;7,89123E+12\n")
            << QStringList{"Linha 2: \"7,89123E+12\" da coluna \"Código de Barras\" foi cortado "
                           "pela planilha, que o escreveu como número; formate a coluna \"Código "
                           "de Barras\" como texto e digite os códigos de novo"}
            << QStringList() << QString();
        QTest::newRow("cost, margin and sale price that disagree")
            << prices + "1;Água;1;1,00;50%;1,80\n"
            << QStringList()
            << QStringList{"Linha 2: a margem de lucro 50,00% não dá o preço de venda R$ 1,80 "
                           "sobre o custo R$ 1,00: gravada a margem 80,00%, a que a tela de "
                           "produtos calcula"}
            << "         1|Água|000001||1|80|1.8|0";
        QTest::newRow("a margin that makes the sale price negative")
            << prices + "1;Água;1;10,00;-150;\n"
            << QStringList{"Linha 2: a margem de lucro de -150,00% sobre o custo de R$ 10,00 "
                           "daria um preço de venda negativo"}
            << QStringList() << QString();
        QTest::newRow("a negative sale price")
            << prices + "1;Água;1;10;;-5\n"
            << QStringList{"Linha 2: -5 da coluna \"Preço de Venda\" é negativo"} << QStringList()
            << QString();
        QTest::newRow("an emoji and two more faults in one line")
            << prices + "1;Água \xF0\x9F\x98\x80;9;abc;;\n"
            << QStringList{"Linha 2: o caractere \"\xF0\x9F\x98\x80\" (U+1F600) da coluna "
                           "\"Descrição\" não pode ser gravado; \"abc\" da coluna \"Preço de "
                           "Custo\" não é um número; o grupo 000009 não está cadastrado"}
            << QStringList() << QString();
        QTest::newRow("a line without code but with a description")
            << prices + ";Água;1;;;\n"
            << QStringList{"Linha 2: sem código"} << QStringList() << QString();
    }
    void spreadsheetHabits() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, refused);
        QFETCH(QStringList, corrected);
        QFETCH(QString, product);
        choose(file);
        QCOMPARE(refusals(), refused);
        QCOMPARE(lines(fImporta_Produtos->lstAvisos), corrected);
        QCOMPARE(fImporta_Produtos->btnImportar->isEnabled(), !product.isEmpty());
        if (product.isEmpty())
            return;
        QTest::mouseClick(fImporta_Produtos->btnImportar, Qt::LeftButton);
        QCOMPARE(products(), QStringList{product});
    }

    // The mark of UTF-8 over Windows-1252 letters: the message names the
    // encoding, not missing headings.
    void aMixedEncodingIsNamed() {
        choose(QByteArray("\xEF\xBB\xBF") + windows1252("Código;Descrição;Grupo\n1;Açúcar;1\n"));
        QCOMPARE(fImporta_Produtos->lbResumo->text(),
                 QString("A codificação do arquivo está misturada: ele começa com a marca de "
                         "UTF-8, mas a linha 1 tem letras gravadas em outra codificação "
                         "(Windows-1252, provavelmente). Salve a planilha de novo como \"CSV "
                         "UTF-8\" e escolha o arquivo outra vez; nada foi importado."));
        QVERIFY(!fImporta_Produtos->btnImportar->isEnabled());
    }

    // A long file is read away from the screen, which tells how far it has
    // come; the operator can stop it, and the next file reads as usual.
    void aLongReadShowsProgressAndCanBeCancelled() {
        QByteArray file = "Código;Descrição;Grupo\n";
        for (int i = 1; i <= 100000; ++i)
            file += QByteArray::number(i) + ";Produto " + QByteArray::number(i) + ";1\n";
        QStringList told;
        bool pressed = false;
        ObservaProgresso([&](const QString& step, int percent) {
            told << QString("%1 %2").arg(step).arg(percent);
            QMetaObject::invokeMethod(
                fImporta_Produtos,
                [&pressed] {
                    auto* dialog = fImporta_Produtos->findChild<QProgressDialog*>("dlgProgresso");
                    if (!dialog || pressed)
                        return;
                    for (QPushButton* button : dialog->findChildren<QPushButton*>())
                        if (button->text() == "Cancelar") {
                            pressed = true;
                            button->click();
                        }
                },
                Qt::QueuedConnection);
        });
        choose(file);
        ObservaProgresso({});
        QVERIFY(pressed);
        QVERIFY2(!told.isEmpty() && told.first().startsWith("Lendo a planilha... "),
                 qPrintable(told.join('\n')));
        QCOMPARE(fImporta_Produtos->lbResumo->text(),
                 QString("A leitura da planilha foi cancelada; nada foi importado."));
        QVERIFY(!fImporta_Produtos->btnImportar->isEnabled());
        QVERIFY(fImporta_Produtos->edArquivo->text().isEmpty());

        choose(QByteArray("Código;Descrição;Grupo\n1;Água;1\n"));
        QCOMPARE(fImporta_Produtos->lbResumo->text(),
                 QString("1 produtos serão gravados; 0 linhas recusadas."));
    }
};

KELVARA_TEST_MAIN(TestImportacao)
#include "tst_importacao.moc"
