#include "data/DataModule_Conexao.h"
#include "data/DataModule_Grupos.h"
#include "data/DataModule_MovEstq.h"
#include "data/DataModule_Produtos.h"
#include "data/DbError.h"

#include "TestMain.h"
#include "TestSupport.h"

#include <QTableView>
#include <memory>

class TestListCopy : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;

    fb::Connection& qor() { return dmConexao->SQLC_QOR->database(); }
    void run(const QString& sql) { qor().execute(sql); }

private slots:
    void init() { program = std::make_unique<RunningProgram>(); }
    void cleanup() { program.reset(); }

    void fieldsShowTheirDisplayRulesInEveryView() {
        run("Insert Into Grupos Values ('000001', 'Geral')");
        run("Insert Into Produtos (PRO_Codigo, PRO_Descricao, PRO_CodGRU, PRO_Quant, PRO_Min, "
            "PRO_Margem, PRO_PCusto, PRO_PVenda, PRO_DCad) Values ('       123', 'Café', "
            "'000001', 2.5, 10, 30, 1234.5, -0.5, '2006-11-24')");
        run("Insert Into Produtos (PRO_Codigo, PRO_CodGRU) Values ('       999', '000404')");
        ListCopy* list = dmProdutos->cds_Produtos;
        list->Refresh();
        QCOMPARE(list->RecordCount(), 1); // the product without a group is left out

        const auto cell = [list](const char* field) {
            return list->data(list->index(0, list->fieldIndex(field)), Qt::DisplayRole).toString();
        };
        QCOMPARE(cell("PRO_CODIGO"), QString("       123"));
        QCOMPARE(cell("PRO_QUANT"), QString("2,500"));
        QCOMPARE(cell("PRO_MIN"), QString("10"));
        QCOMPARE(cell("PRO_MARGEM"), QString("30,00%"));
        QCOMPARE(cell("PRO_PCUSTO"), QString("R$ 1.234,50"));
        QCOMPARE(cell("PRO_PVENDA"), QString("-R$ 0,50"));
        QCOMPARE(cell("PRO_DCAD"), QString("24/11/2006"));
        QCOMPARE(cell("PRO_UCOMP"), QString());
        QCOMPARE(cell("GRU_DESCRICAO"), QString("Geral"));
        const int code = list->fieldIndex("PRO_CODIGO");
        QVERIFY(list->data(list->index(0, code), Qt::TextAlignmentRole).toInt() & Qt::AlignRight);

        QTableView a, b;
        a.setModel(list);
        b.setModel(list);
        QCOMPARE(a.model()->rowCount(), b.model()->rowCount());
    }

    void reloadKeepsTheNthRowCurrent() {
        for (int i = 2; i <= 11; i += 1)
            run(QString("Insert Into Grupos Values ('%1', 'G%2')")
                    .arg(i * 2, 6, 10, QChar('0'))
                    .arg(i));
        ListCopy* list = dmGrupos->cds_Grupos;
        list->Reload({"Select * From Grupos", "order By GRU_Codigo"});
        QCOMPARE(list->RecNo(), 0);
        list->setRecNo(4);
        QCOMPARE(list->FieldText("GRU_CODIGO"), QString("000012"));

        run("Insert Into Grupos Values ('000001', 'Primeiro')");
        list->Refresh();
        QCOMPARE(list->RecNo(), 4);
        QCOMPARE(list->FieldText("GRU_CODIGO"),
                 QString("000010")); // the same place, not the same row

        list->Reload({"Select * From Grupos Where GRU_Codigo < :LimiteC"}, [] {
            fb::Params p;
            p.setText("LimiteC", "000005");
            return p;
        }());
        QCOMPARE(list->RecordCount(), 2);
        QCOMPARE(list->RecNo(), 1); // clamped to the last row
        QVERIFY_THROWS_EXCEPTION(DbError, list->FieldValue("NO_FIELD"));
    }

    void movementListIsCheckedAtCreationButFetchedOnFirstUse() {
        run("Insert Into Grupos Values ('000001', 'Geral')");
        run("Insert Into Produtos (PRO_Codigo, PRO_CodGRU) Values ('         1', '000001')");
        run("Insert Into Mov_Estq (MOV_CodPro, MOV_Oper, MOV_Data, MOV_Doc) Values ('         1', "
            "'EE', '2026-01-02', '123')");
        ListCopy* list = dmMovEstq->cds_MovEstq;
        // A grid painting the list asks the model only: that never fetches,
        // so a failing fetch cannot escape from a paint.
        QCOMPARE(list->rowCount(), 0);
        QCOMPARE(list->data(list->index(0, 0), Qt::DisplayRole), QVariant());
        QCOMPARE(list->RecordCount(), 1); // written after start-up, seen at the first use
        QCOMPARE(list->rowCount(), 1);
        QCOMPARE(list->FieldText("DESCRICAO"), QString("Entrada"));
        QCOMPARE(list->FieldText("TIP_DESCRICAO"), QString());
        QCOMPARE(list->FieldText("MOV_DOC"), QString("123").leftJustified(20));
    }

    void commandQueryBindsOnlyTheStatementsParameters() {
        SqlQuery* q = dmGrupos->SQLQ_Grupos;
        q->SQL << "Insert Into Grupos Values (:CodigoC, :DescricaoC)";
        q->ParamByName("codigoc").setAsString("000007");
        q->ParamByName("DescricaoC").setAsString("Sete");
        QCOMPARE(q->ExecSQL(), 1);

        q->SQL.clear();
        q->SQL << "Select * From Grupos Where GRU_Codigo=:CodigoC";
        QVERIFY_THROWS_EXCEPTION(DbError, q->ParamByName("DescricaoC"));
        q->Open(); // the value bound for the insert still serves :CodigoC
        QCOMPARE(q->FieldText("GRU_DESCRICAO"), QString("Sete"));
        q->Close();
        q->SQL.clear();
        q->SQL << "Select * From Grupos Where GRU_Codigo='none'";
        q->Open();
        QCOMPARE(q->FieldText("GRU_DESCRICAO"), QString()); // an empty result reads as empty
        QVERIFY_THROWS_EXCEPTION(DbError, q->FieldText("GRU_NOPE"));
    }
};

KELVARA_TEST_MAIN(TestListCopy)
#include "tst_listcopy.moc"
