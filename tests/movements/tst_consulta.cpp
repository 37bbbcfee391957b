#include "data/DataModule_MovEstq.h"
#include "data/DbError.h"
#include "data/ListCopy.h"
#include "movements/Consulta_MovEstq.h"
#include "movements/FiltroTexto.h"
#include "shell/ListaFiltrada.h"

#include "MovementFixture.h"
#include "TestMain.h"
#include "TestSupport.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QRadioButton>
#include <QTableView>

class TestConsulta : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;

    QStringList messages() const { return program->recorder.texts(); }
    static void onQuery(std::function<void(TfConsulta_MovEstq*)> action) {
        fromMenu<TfConsulta_MovEstq>("Movimentação no Estoque/Consultas", action);
    }
    void movement(const QString& code, const QString& oper, int daysAgo, int quantity,
                  const QString& type = "null") {
        program->dbs.exec("qor.gdb",
                          QString("Insert Into Mov_Estq Values ('%1', '%2', current_date - %3, "
                                  "%4, %5, 'NF %5', %6)")
                              .arg(code.rightJustified(10, ' '), oper)
                              .arg(daysAgo)
                              .arg(quantity * 10)
                              .arg(quantity)
                              .arg(type));
    }

    // What the grid shows: each row as "code|operation|type", in its order.
    static QStringList shown(TfConsulta_MovEstq* s) {
        const QAbstractItemModel* m = s->dbgConsulta_MovEstq->model();
        const QHeaderView* header = s->dbgConsulta_MovEstq->horizontalHeader();
        const auto column = [m, header](const QString& title) {
            for (int c = 0; c < m->columnCount(); ++c)
                if (!header->isSectionHidden(c) &&
                    m->headerData(c, Qt::Horizontal).toString() == title)
                    return c;
            return -1;
        };
        QStringList rows;
        for (int r = 0; r < m->rowCount(); ++r)
            rows << m->index(r, column("Código")).data().toString().trimmed() + "|" +
                        m->index(r, column("Operação")).data().toString() + "|" +
                        m->index(r, column("Tipo de Saída")).data().toString();
        rows.sort();
        return rows;
    }

private slots:
    void init() {
        program = std::make_unique<RunningProgram>();
        program->dbs.exec("qor.gdb", "Insert Into Tipos Values ('000005', 'Venda')");
        addProduct(program->dbs, "12", "10", "7891234");
        addProduct(program->dbs, "7", "10");
        movement("12", "EE", 0, 1);
        movement("12", "SS", 0, 2, "'000005'");
        movement("7", "TE", 0, 3);
        movement("7", "TS", 0, 4);
        movement("7", "EE", 10, 5);
        movement("99", "EE", 0, 6); // no such product
        movement("12", "XX", 0, 7); // no such operation
    }
    void cleanup() { program.reset(); }

    void opensOnTodayWithEveryOperationOfEveryProduct() {
        onQuery([](TfConsulta_MovEstq* s) {
            s->cbSaidas->click();
            s->cbDeterminado_Produto->click();
            s->close();
        });
        onQuery([](TfConsulta_MovEstq* s) {
            QCOMPARE(s->windowTitle(), QString("Consulta de Movimentação de Estoque"));
            for (QCheckBox* box : {s->cbEntradas, s->cbSaidas, s->cbEst_Entrada, s->cbEst_Saida})
                QVERIFY(box->isChecked());
            QVERIFY(s->cbTodosProdutos->isChecked());
            QCOMPARE(s->dtpData_Inicial->date(), QDate::currentDate());
            QCOMPARE(s->Filter, QString("MOV_CodPRo<>'      ' and (MOV_OPER='EE' or "
                                        "MOV_OPER='SS' or MOV_OPER='TE' or MOV_OPER='TS')"));
            QVERIFY(s->Filtered);
            QStringList titles;
            const QAbstractItemModel* m = s->dbgConsulta_MovEstq->model();
            QHeaderView* header = s->dbgConsulta_MovEstq->horizontalHeader();
            for (int v = 0; v < m->columnCount(); ++v)
                if (!header->isSectionHidden(header->logicalIndex(v)))
                    titles << m->headerData(header->logicalIndex(v), Qt::Horizontal).toString();
            QCOMPARE(titles, (QStringList{"Código", "Descrição", "Data", "Valor", "Quantidade",
                                          "Documento", "Operação", "Tipo de Saída"}));
            // Unknown products and operations are not listed; only the exit
            // has a type.
            QCOMPARE(shown(s), (QStringList{"12|Entrada|", "12|Saída|Venda", "7|Est.Entr.|",
                                            "7|Est.Saída|"}));
        });
    }

    void boxesAndProductNarrowTheGridOnly_data() {
        QTest::addColumn<QStringList>("cleared");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("exits cleared")
            << QStringList{"cbSaidas"} << QString()
            << QStringList{"12|Entrada|", "7|Est.Entr.|", "7|Est.Saída|"};
        QTest::newRow("all cleared")
            << QStringList{"cbEntradas", "cbSaidas", "cbEst_Entrada", "cbEst_Saida"} << QString()
            << QStringList{};
        QTest::newRow("product 12")
            << QStringList{} << "12" << QStringList{"12|Entrada|", "12|Saída|Venda"};
        QTest::newRow("product 7 without its exit reversals")
            << QStringList{"cbEst_Saida"} << "7" << QStringList{"7|Est.Entr.|"};
        QTest::newRow("chosen product without a code") << QStringList{} << " " << QStringList{};
    }
    void boxesAndProductNarrowTheGridOnly() {
        QFETCH(QStringList, cleared);
        QFETCH(QString, code);
        QFETCH(QStringList, expected);
        onQuery([&](TfConsulta_MovEstq* s) {
            for (const QString& name : cleared)
                s->findChild<QCheckBox*>(name)->click();
            if (!code.isEmpty()) {
                QTest::mouseClick(s->cbDeterminado_Produto, Qt::LeftButton);
                enter(s->edCodPro, code);
                s->btnProduto_Filtrar->click();
                QCOMPARE(s->edCodPro->text(), code.trimmed().rightJustified(10, ' '));
                QVERIFY(s->Filter.startsWith("MOV_CodPRo='" + s->edCodPro->text() + "' and ("));
            }
            QCOMPARE(shown(s), expected);
            // The shared list still holds every row it loaded, for the
            // movement reports.
            QCOMPARE(dmMovEstq->cds_MovEstq->RecordCount(), 4);
            // Ticking a box again shows its rows again.
            if (cleared == QStringList{"cbSaidas"}) {
                s->cbSaidas->click();
                QVERIFY(shown(s).contains("12|Saída|Venda"));
            }
        });
    }

    void aNewPeriodKeepsTheBoxesAndTheProduct() {
        onQuery([](TfConsulta_MovEstq* s) {
            s->cbEst_Entrada->click();
            QTest::mouseClick(s->cbDeterminado_Produto, Qt::LeftButton);
            enter(s->edCodPro, "7");
            s->btnProduto_Filtrar->click();
            const QString filter = s->Filter;
            s->dtpData_Inicial->setDate(QDate::currentDate().addDays(-30));
            s->btnDatas_Filtrar->click();
            QCOMPARE(s->Filter, filter);
            QCOMPARE(shown(s), (QStringList{"7|Entrada|", "7|Est.Saída|"}));
            QCOMPARE(dmMovEstq->cds_MovEstq->RecordCount(), 5);
            // A start after the end loads nothing.
            s->dtpData_Inicial->setDate(QDate::currentDate().addDays(1));
            s->btnDatas_Filtrar->click();
            QCOMPARE(shown(s), QStringList{});
        });
    }

    void codeAndBarCodeFindTheProduct() {
        onQuery([this](TfConsulta_MovEstq* s) {
            enter(s->edCodBar, "7891234");
            QCOMPARE(s->edCodPro->text(), QString("        12"));
            QCOMPARE(s->edDescricao->text(), QString("Parafuso 12"));
            enter(s->edCodPro, "55");
            QCOMPARE(messages(), QStringList{"Produto não Cadastrado !, tente outro código"});
            QCOMPARE(program->recorder.messages.last().kind, Messages::Kind::Warning);
            QCOMPARE(s->edCodPro->text(), QString());
            QCOMPARE(s->focusWidget(), s->edCodPro);
            // Leaving the field does not filter.
            QCOMPARE(shown(s).size(), 4);
        });
    }

    void productLookupWritesTheChosenCode() {
        program->dbs.exec("qor.gdb", "Insert Into Grupos Values ('000001', 'Ferragens')");
        onQuery([](TfConsulta_MovEstq* s) {
            QCOMPARE(chooseInProductLookup([&] { QTest::keyClick(s->edCodPro, Qt::Key_F5); }),
                     QString("Consulta MovEstq"));
            QVERIFY(!s->edCodPro->text().trimmed().isEmpty());
            QCOMPARE(s->focusWidget(), s->edCodPro);
        });
    }

    void filterTextsReadLikeTheDatabaseWould_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<int>("rows");
        QTest::newRow("names in any case") << "mov_oper='SS' OR Mov_Oper='TE'" << 2;
        QTest::newRow("and binds before or")
            << "MOV_OPER='EE' or MOV_OPER='TS' and MOV_CodPro='        12'" << 1;
        QTest::newRow("parentheses")
            << "(MOV_OPER='EE' or MOV_OPER='TS') and MOV_CodPro='         7'" << 1;
        QTest::newRow("trailing blanks count") << "MOV_OPER='EE '" << 0;
        QTest::newRow("a doubled quote is one") << "MOV_DOC<>'it''s'" << 4;
    }
    void filterTextsReadLikeTheDatabaseWould() {
        QFETCH(QString, filter);
        QFETCH(int, rows);
        loadMovementPeriod(QDate::currentDate(), QDate::currentDate());
        ListCopy* list = dmMovEstq->cds_MovEstq;
        ListaFiltrada view(list, nullptr);
        view.setCriterio(CompilaFiltro(filter, list));
        QCOMPARE(view.rowCount(), rows);
    }

    void unreadableFiltersFail() {
        for (const char* filter : {"MOV_OPER='EE", "NO_FIELD='x'", "(MOV_OPER='EE'",
                                   "MOV_OPER='EE' MOV_OPER='SS'", "MOV_OPER>'EE'"})
            QVERIFY_THROWS_EXCEPTION(DbError, CompilaFiltro(filter, dmMovEstq->cds_MovEstq));
    }
};

KELVARA_TEST_MAIN(TestConsulta)
#include "tst_consulta.moc"
