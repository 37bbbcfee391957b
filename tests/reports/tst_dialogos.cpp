#include "app/Pricipal.h"
#include "data/DataModule_Grupos.h"
#include "data/DataModule_MovEstq.h"
#include "data/DataModule_Produtos.h"
#include "data/DataModule_Tipos.h"
#include "masterdata/Busca_Grupos.h"
#include "masterdata/Busca_Produtos.h"
#include "masterdata/Busca_Tipos.h"
#include "movements/Consulta_MovEstq.h"
#include "reportengine/RecordingDevice.h"
#include "reports/Busca_Rel_Grupo.h"
#include "reports/Datas.h"
#include "reports/Datas_Grupo.h"
#include "reports/Datas_Produto.h"
#include "reports/Datas_Tipo.h"
#include "reports/DialogoRelatorio.h"
#include "reports/Rel_MovEstq_EST2.h"
#include "reports/Rel_Mov_Estq.h"
#include "reports/Rel_Mov_Estq_Grupo_ES.h"
#include "reports/Rel_Mov_Estq_Produto_ES.h"
#include "reports/Rel_Mov_Estq_Tipo.h"
#include "reports/Tela_Impressora.h"

#include "TestMain.h"
#include "TestSupport.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <memory>

using namespace report;

namespace {

const QString LinhaA =
    "SElect m.*,p.PRO_Descricao, c.DESCRICAO,t.TIP_Descricao From Mov_Estq m join Produtos p on "
    "(m.MOV_CodPro = p.PRO_Codigo) join CodMOV c on (m.MOV_Oper=c.CODIGO)  Left Outer join Tipos t "
    "on\n(m.MOV_Tipo=t.TIP_CODIGO) Where m.MOV_DAta Between :DataIniD and :DataFimD";
const QString LinhaB =
    "SElect m.*,p.PRO_Descricao,p.PRO_CodGru, c.DESCRICAO,t.TIP_Descricao From Mov_Estq m join "
    "Produtos p on (m.MOV_CodPro = p.PRO_Codigo) join CodMOV c on (m.MOV_Oper=c.CODIGO)  Left "
    "Outer join Tipos t on\n(m.MOV_Tipo=t.TIP_CODIGO) Where m.MOV_DAta Between :DataIniD and "
    ":DataFimD";
const QString Ordem = " Order By m.MOV_Data ";
const QString Produtos =
    "Select p.*,g.GRU_Descricao From Produtos p join Grupos g on(p.PRO_CodGRU =g.GRU_Codigo) ";

// The control that holds the focus as the operator sees it: a date
// picker's inner text box is the picker.
QString focused(QWidget* screen) {
    QWidget* w = screen->focusWidget();
    if (w && qobject_cast<QDateEdit*>(w->parentWidget()))
        w = w->parentWidget();
    return w ? w->objectName() : QString();
}

QDialog* screenNamed(const QString& name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name)
            return qobject_cast<QDialog*>(w);
    return nullptr;
}

template <typename T> T* child(QWidget* screen, const QString& name) {
    T* found = screen->findChild<T*>(name);
    if (!found)
        qWarning("no control %s", qPrintable(name));
    return found;
}

} // namespace

class TestDialogos : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;

    void run(const QString& sql) { program->dbs.exec("qor.gdb", sql); }

    QAction* command(const QStringList& path) {
        QList<QAction*> actions = fPrincipal->menuBar()->actions();
        QAction* found = nullptr;
        for (const QString& caption : path) {
            found = nullptr;
            for (QAction* a : actions)
                if (a->text() == caption)
                    found = a;
            if (!found)
                return nullptr;
            if (found->menu())
                actions = found->menu()->actions();
        }
        return found;
    }

    // The chooser names its report and is left by "Cancela".
    // The key it was named is written into key when it shows.
    void awaitChooser(QString* key = nullptr) {
        whenModal([key](QWidget* shown) {
            QCOMPARE(shown, static_cast<QWidget*>(fTela_Impressora));
            if (key)
                *key = fTela_Impressora->Relatorio;
            QTest::mouseClick(fTela_Impressora->BitBtn3, Qt::LeftButton);
        });
    }

    // Shows the dialog as its command would and acts on it.
    void onDialog(QDialog* dialog, const std::function<void(QDialog*)>& action) {
        bool ran = false;
        whenModal([&](QWidget* shown) {
            ran = true;
            QCOMPARE(shown, static_cast<QWidget*>(dialog));
            action(dialog);
            if (dialog->isVisible())
                dialog->close();
        });
        dialog->exec();
        QVERIFY(ran);
    }

    // The operator types into the field and leaves it with Tab.
    static void typeAndLeave(QLineEdit* field, const QString& text) {
        retype(field, text);
        QTest::keyClick(field, Qt::Key_Tab);
    }

    static void march(QDialog* dialog, const QDate& from = {2006, 3, 1},
                      const QDate& to = {2006, 3, 31}) {
        const QList<QDateEdit*> pickers = dialog->findChildren<QDateEdit*>();
        QCOMPARE(pickers.size(), 2);
        for (QDateEdit* p : pickers)
            p->setDate(p->objectName().contains("Ini") ? from : to);
    }

    // The operator types the code, when there is one, asks for March 2006
    // and prints; the chooser is left by "Cancela". Answers its key.
    QString printFrom(QDialog* shown, const QString& code) {
        if (!code.isEmpty())
            typeAndLeave(
                shown->findChildren<QLineEdit*>(QRegularExpression("^edCod(Pro|Grupo|Tipo)$"))
                    .value(0),
                code);
        if (shown->findChildren<QDateEdit*>().size() == 2)
            march(shown);
        QString key;
        awaitChooser(&key);
        QTest::mouseClick(
            shown->findChildren<QPushButton*>(QRegularExpression("^btn(DIF_Imprimir|Imprim)"))
                .value(0),
            Qt::LeftButton);
        return key;
    }

private slots:
    void init() {
        program = std::make_unique<RunningProgram>();
        run("Insert Into Grupos (GRU_Codigo, GRU_Descricao) Values ('000001', 'Ferragens')");
        run("Insert Into Grupos (GRU_Codigo, GRU_Descricao) Values ('000002', 'Tintas')");
        run("Insert Into Tipos (TIP_Codigo, TIP_Descricao) Values ('000001', 'Venda')");
        run("Insert Into Produtos (PRO_Codigo, PRO_Descricao, PRO_CodGru, PRO_CodBar, PRO_Quant, "
            "PRO_Min) Values ('        12', 'Parafuso', '000001', '789123', 5, 5)");
        run("Insert Into Produtos (PRO_Codigo, PRO_Descricao, PRO_CodGru, PRO_Quant, PRO_Min) "
            "Values ('        13', 'Tinta branca', '000002', 0, 0)");
        run("Insert Into Produtos (PRO_Codigo, PRO_Descricao, PRO_CodGru, PRO_Quant, PRO_Min) "
            "Values ('        14', 'Arruela', '000001', 10, 2)");
        const char* movements[] = {
            "'        12', 'EE', '2006-03-01', 100, 10, null",
            "'        12', 'SS', '2006-03-31', 60, 4, '000001'",
            "'        14', 'TS', '2006-03-15', 15, 1, '000001'",
            "'        13', 'EE', '2006-04-01', 1, 1, null",
            "'        13', 'TE', '2006-02-28', 1, 1, null",
        };
        for (const char* m : movements)
            run(QString("Insert Into Mov_Estq (MOV_CodPro, MOV_Oper, MOV_Data, MOV_Valor, "
                        "MOV_Quant, MOV_Tipo) Values (%1)")
                    .arg(m));
    }
    void cleanup() { program.reset(); }

    // Every command of the menu, the operator answering its dialog with the
    // code typed and March 2006: the chooser is named the report, over the
    // rows of the statement the command loads.
    void everyCommandReachesTheChooser_data() {
        QTest::addColumn<QStringList>("path");
        QTest::addColumn<QString>("dialogKey"); // empty: no dialog
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("chooserKey");
        QTest::addColumn<QString>("statement");
        QTest::addColumn<int>("rows");
        const QString rel = "Relatórios", precos = "Listas de Preços",
                      itens = "Listas de Itens no Estoque", mov = "Movimentação de Estoque";
        auto row = [](const char* name) -> QTestData& { return QTest::newRow(name); };
        row("price list by description")
            << QStringList{rel, precos, "Lista de Preços (Ordenado por Descrição)"} << ""
            << ""
            << "Lista Preco Descricao" << Produtos + "Order By p.PRO_Descricao" << 3;
        row("price list by code") << QStringList{rel, precos,
                                                 "Lista de Preços (Ordenado pelo Código)"}
                                  << ""
                                  << ""
                                  << "Lista Preco Codigo" << Produtos + "Order By p.PRO_Codigo"
                                  << 3;
        row("stock by code") << QStringList{rel, itens, "Itens no Estoque (Ordenado por Código)"}
                             << ""
                             << ""
                             << "Itens Estoque Codigo" << Produtos + "Order By p.PRO_Codigo" << 3;
        row("stock by description")
            << QStringList{rel, itens, "Itens no Estoque(Ordenado por Descrição)"} << ""
            << ""
            << "Itens Estoque Descricao" << Produtos + "Order By p.PRO_Descricao" << 3;
        row("stock of a group") << QStringList{rel, itens, "Itens no Estoque de um Grupo"}
                                << "Itens Estoque Grupo"
                                << "1"
                                << "Itens Estoque Grupo"
                                << Produtos + "Where p.PRO_CodGru=:CodGru Order By p.PRO_Descricao"
                                << 2;
        row("stock of no group: 000000")
            << QStringList{rel, itens, "Itens no Estoque de um Grupo"} << "Itens Estoque Grupo"
            << ""
            << "Itens Estoque Grupo"
            << Produtos + "Where p.PRO_CodGru=:CodGru Order By p.PRO_Descricao" << 0;
        row("minimum stock: equal and zero included")
            << QStringList{rel, "Itens Abaixo do Estoque Mínimo"} << ""
            << ""
            << "Itens Estoque Minimo"
            << Produtos + "Where p.PRO_Quant <= p.PRO_Min Order By p.PRO_Descricao" << 2;
        row("by date, both ends included")
            << QStringList{rel, mov, "Geral por Data"} << "Mov_Estq Geral Datas"
            << ""
            << "Mov_Estq Geral Datas" << LinhaA + Ordem << 3;
        row("entries") << QStringList{rel, mov, "Somente Entradas por Data"}
                       << "Rel MovEstq Entradas"
                       << ""
                       << "Rel MovEstq Entradas" << LinhaA + " and m.MOV_Oper=:Oper" + Ordem << 1;
        row("exits") << QStringList{rel, mov, "Somente Saídas por Data"} << "Rel MovEstq Saídas"
                     << ""
                     << "Rel MovEstq Saídas" << LinhaA + " and m.MOV_Oper=:Oper" + Ordem << 1;
        row("product") << QStringList{rel, mov, "Geral por Produto"} << "Rel MovEstq Produto Geral"
                       << "12"
                       << "Rel MovEstq Produto Geral"
                       << LinhaA + " and m.MOV_CodPro=:CodPro" + Ordem << 2;
        row("product entries") << QStringList{rel, mov, "Somente Entradas por Produto"}
                               << "Mov Estq Produto Entrada"
                               << "12"
                               << "Mov Estq Produto Entrada"
                               << LinhaA + " and m.MOV_CodPro=:CodPro and m.MOV_Oper=:Oper" + Ordem
                               << 1;
        row("product exits") << QStringList{rel, mov, "Somente Saídas por Produto"}
                             << "Mov Estq Produto Saida"
                             << "12"
                             << "Mov Estq Produto Saida"
                             << LinhaA + " and m.MOV_CodPro=:CodPro and m.MOV_Oper=:Oper" + Ordem
                             << 1;
        row("group") << QStringList{rel, mov, "Geral por Grupo"} << "Mov Estq Grupos"
                     << "1"
                     << "Mov Estq Grupos" << LinhaB + " and p.PRO_CodGru=:CodGRU" + Ordem << 3;
        row("group entries") << QStringList{rel, mov, "Somente Entradas por Grupo"}
                             << "Mov Estq Grupo Entrada"
                             << "1"
                             << "Mov Estq Grupo Entrada"
                             << LinhaA + " and p.PRO_CodGRU=:CodGRU and m.MOV_Oper=:Oper" + Ordem
                             << 1;
        row("group exits") << QStringList{rel, mov, "Somente Saídas por Grupo"}
                           << "Mov Estq Grupo Saida"
                           << "1"
                           << "Mov Estq Grupo Saida"
                           << LinhaA + " and p.PRO_CodGRU=:CodGRU and m.MOV_Oper=:Oper" + Ordem
                           << 1;
        row("exit type") << QStringList{rel, mov, "Saídas por Tipo de Saídas"} << "Mov Estq Tipos"
                         << "1"
                         << "Mov Estq Tipos" << LinhaB + " and m.MOV_Tipo=:CodTIP" + Ordem << 2;
        row("exits and their reversals")
            << QStringList{rel, mov, "Somente Saídas e Estornos de Saída por Data"}
            << "Rel MovEstq Saidas Estornos"
            << ""
            << "Rel MovEstq Saidas Estorno"
            << LinhaA + " and (m.MOV_Oper='SS' or m.MOV_Oper='TS')" + Ordem << 2;
        row("entries and their reversals")
            << QStringList{rel, mov, "Somente Entradas e Estornos de Entrada por Data"}
            << "Rel MovEstq Entradas Estornos"
            << ""
            << "Rel MovEstq Entradas Estorno"
            << LinhaA + " and (m.MOV_Oper='EE' or m.MOV_Oper='TE')" + Ordem << 1;
    }
    void everyCommandReachesTheChooser() {
        QFETCH(QStringList, path);
        QFETCH(QString, dialogKey);
        QFETCH(QString, code);
        QFETCH(QString, chooserKey);
        QFETCH(QString, statement);
        QFETCH(int, rows);
        QAction* action = command(path);
        QVERIFY(action);
        QString key;
        QDialog* dialog = nullptr;
        if (dialogKey.isEmpty()) {
            awaitChooser(&key);
        } else {
            whenModal([&](QWidget* shown) {
                dialog = qobject_cast<QDialog*>(shown);
                auto* asking = qobject_cast<DialogoRelatorio*>(shown);
                QVERIFY(asking);
                QCOMPARE(asking->Relatorio, dialogKey);
                key = printFrom(dialog, code);
            });
        }
        action->trigger();
        QCOMPARE(key, chooserKey);
        if (dialog)
            QVERIFY2(!dialog->isVisible(), "the dialog closes after the chooser");
        const bool products = statement.startsWith("Select p.");
        ListCopy* list = products ? dmProdutos->cds_Produtos : dmMovEstq->cds_MovEstq;
        QCOMPARE(list->source()->statement(), statement);
        QCOMPARE(list->RecordCount(), rows);
        QVERIFY2(program->recorder.messages.isEmpty(),
                 qPrintable(program->recorder.texts().join("\n")));
    }
    // Each dialog as shown: its captions, emptied fields and today's dates,
    // the focus where the operator starts, the Tab order as the operator
    // walks it, and whether Enter moves on.
    void dialogsLookAndMoveAsTheOperatorExpects_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QStringList>("tabOrder"); // from the control focused on show
        QTest::addColumn<bool>("enterMovesOn");
        QTest::newRow("period") << "fDatas"
                                << "Escolha as Datas Inicial e Final"
                                << "Escolha o Período"
                                << QStringList{"dtpData_Ini", "dtpData_Fim", "btnDIF_Imprimir",
                                               "btnDIF_Sair"}
                                << false;
        QTest::newRow("product") << "fDatas_Produto"
                                 << "Escolha um Produto e o Período"
                                 << "Escolha um Produto e a Data Inicial e Data Final"
                                 << QStringList{"edCodPro",        "edCodBar",
                                                "EdDescPro",       "btnBusca_Produto",
                                                "dtpData_Inicial", "dtpData_Final",
                                                "btnImprime",      "btnFechar"}
                                 << true;
        QTest::newRow("group") << "fDatas_Grupo"
                               << "Escolha um Grupo e um Período"
                               << "Escolha um Grupo e uma Data Inicial e uma Data Final"
                               << QStringList{"edCodGrupo",      "edDescGrupo",   "btnBusca_Grupo",
                                              "dtpData_Inicial", "dtpData_Final", "btnImprimir",
                                              "btnCancelar"}
                               << true;
        QTest::newRow("exit type")
            << "fDatas_Tipo"
            << "Escolha um Tipo de Saída e uma Data Inicial e uma Data Final"
            << "Escolha um Tipo de Saída e uma Data Inicial e uma Data Final"
            << QStringList{"edCodTipo",   "edDescTipo",  "dtpData_Inicial", "dtpData_Final",
                           "btnImprimir", "btnCancelar", "btnBusca_Tipo"}
            << true;
        // The group's row opens only once "Do grupo" is chosen.
        QTest::newRow("valued stock")
            << "fData_Estoque"
            << "Estoque Valorizado"
            << "Escolha a Data e os Produtos"
            << QStringList{"dtpData", "rbTodos", "cbZerados", "btnImprimir", "btnCancelar"} << true;
        QTest::newRow("margin of the exits") << "fDatas_Margem"
                                             << "Margem das Saídas"
                                             << "Escolha o Período e os Produtos"
                                             << QStringList{"dtpData_Inicial", "dtpData_Final",
                                                            "rbTodos", "btnImprimir", "btnCancelar"}
                                             << true;
        // Entering the description passes the focus on to the lookup button.
        QTest::newRow("one group")
            << "fBusca_Rel_Grupo"
            << "Escolha um Grupo"
            << "Escolha um Grupo "
            << QStringList{"edCodGrupo", "btnBusca_Grupo", "btnImprimir", "btnCancelar"} << false;
    }
    void dialogsLookAndMoveAsTheOperatorExpects() {
        QFETCH(QString, dialog);
        QFETCH(QString, title);
        QFETCH(QString, heading);
        QFETCH(QStringList, tabOrder);
        QFETCH(bool, enterMovesOn);
        QDialog* screen = screenNamed(dialog);
        QVERIFY(screen);
        for (QLineEdit* field : screen->findChildren<QLineEdit*>(QRegularExpression("^[eE]d")))
            field->setText("anterior");
        for (QDateEdit* picker : screen->findChildren<QDateEdit*>())
            picker->setDate(QDate(2001, 1, 1));
        onDialog(screen, [&](QDialog* shown) {
            QCOMPARE(shown->windowTitle(), title);
            QCOMPARE(child<QLabel>(shown, "Label1")->text(), heading);
            for (QLineEdit* field : shown->findChildren<QLineEdit*>(QRegularExpression("^[eE]d")))
                QVERIFY2(field->text().isEmpty(), qPrintable(field->objectName()));
            for (QDateEdit* picker : shown->findChildren<QDateEdit*>())
                QCOMPARE(picker->date(), QDate::currentDate());
            QStringList walked{focused(shown)};
            for (int i = 1; i < tabOrder.size(); ++i) {
                QTest::keyClick(shown->focusWidget(), Qt::Key_Tab);
                walked << focused(shown);
            }
            QCOMPARE(walked, tabOrder);
            child<QWidget>(shown, tabOrder[0])->setFocus(Qt::TabFocusReason);
            QTest::keyClick(shown->focusWidget(), Qt::Key_Return);
            QCOMPARE(focused(shown) != tabOrder[0], enterMovesOn);
            QVERIFY(shown->isVisible());
        });
        QVERIFY(program->recorder.messages.isEmpty());
    }

    // Leaving a code field reads its product, group or type back; a code of
    // nothing stored says so and keeps the focus in the code field.
    void codesAreReadBackOnLeaving_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("code");        // the code field afterwards
        QTest::addColumn<QString>("description"); // the description field afterwards
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("group padded with zeros") << "fDatas_Grupo"
                                                 << "edCodGrupo"
                                                 << "1"
                                                 << "000001"
                                                 << "Ferragens"
                                                 << ""
                                                 << "edDescGrupo";
        QTest::newRow("group not found") << "fDatas_Grupo"
                                         << "edCodGrupo"
                                         << "77"
                                         << "000077"
                                         << "antes"
                                         << "Grupo não Encontrado !"
                                         << "edCodGrupo";
        QTest::newRow("one group") << "fBusca_Rel_Grupo"
                                   << "edCodGrupo"
                                   << "2"
                                   << "000002"
                                   << "Tintas"
                                   << ""
                                   << "btnBusca_Grupo";
        QTest::newRow("type") << "fDatas_Tipo"
                              << "edCodTipo"
                              << "1"
                              << "000001"
                              << "Venda"
                              << ""
                              << "edDescTipo";
        QTest::newRow("group code longer than six is cut") << "fDatas_Grupo"
                                                           << "edCodGrupo"
                                                           << "0000001"
                                                           << "000000"
                                                           << "antes"
                                                           << "Grupo não Encontrado !"
                                                           << "edCodGrupo";
        QTest::newRow("type not found") << "fDatas_Tipo"
                                        << "edCodTipo"
                                        << "9"
                                        << "000009"
                                        << "antes"
                                        << "Tipo de Saída não Encontrado !"
                                        << "edCodTipo";
        QTest::newRow("product padded with blanks") << "fDatas_Produto"
                                                    << "edCodPro"
                                                    << "12"
                                                    << "        12"
                                                    << "Parafuso"
                                                    << ""
                                                    << "edCodBar";
        QTest::newRow("product code too long is not padded") << "fDatas_Produto"
                                                             << "edCodPro"
                                                             << "12345678901"
                                                             << "12345678901"
                                                             << "antes"
                                                             << "Produto não Encontrado !"
                                                             << "edCodPro";
        QTest::newRow("bar code") << "fDatas_Produto"
                                  << "edCodBar"
                                  << "789123"
                                  << "        12"
                                  << "Parafuso"
                                  << ""
                                  << "EdDescPro";
        QTest::newRow("bar code not found: back to the code") << "fDatas_Produto"
                                                              << "edCodBar"
                                                              << "000"
                                                              << ""
                                                              << "antes"
                                                              << "Produto não Encontrado !"
                                                              << "edCodPro";
    }
    void codesAreReadBackOnLeaving() {
        QFETCH(QString, dialog);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, code);
        QFETCH(QString, description);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        QDialog* screen = screenNamed(dialog);
        QVERIFY(screen);
        onDialog(screen, [&](QDialog* shown) {
            const QList<QLineEdit*> codes =
                shown->findChildren<QLineEdit*>(QRegularExpression("^edCod(Pro|Grupo|Tipo)$"));
            const QList<QLineEdit*> descriptions =
                shown->findChildren<QLineEdit*>(QRegularExpression("^[eE]dDesc"));
            QCOMPARE(codes.size(), 1);
            QCOMPARE(descriptions.size(), 1);
            descriptions[0]->setText("antes");
            typeAndLeave(child<QLineEdit>(shown, field), typed);
            QCOMPARE(codes[0]->text(), code);
            QCOMPARE(descriptions[0]->text(), description);
            QCOMPARE(focused(shown), focus);
        });
        QCOMPARE(program->recorder.texts(),
                 message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty())
            QCOMPARE(program->recorder.messages[0].kind, Messages::Kind::Information);
    }

    // F5 in a code field and its "..." button open the lookup with the
    // dialog's key; the chosen code comes back into the field.
    void lookupsHandTheCodeBack_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("caller");
        QTest::newRow("product") << "fDatas_Produto"
                                 << "edCodPro"
                                 << "btnBusca_Produto"
                                 << "Datas_Produto";
        QTest::newRow("group") << "fDatas_Grupo"
                               << "edCodGrupo"
                               << "btnBusca_Grupo"
                               << "Datas_Grupo";
        QTest::newRow("one group") << "fBusca_Rel_Grupo"
                                   << "edCodGrupo"
                                   << "btnBusca_Grupo"
                                   << "fBusca_Rel_Grupo";
        QTest::newRow("exit type") << "fDatas_Tipo"
                                   << "edCodTipo"
                                   << "btnBusca_Tipo"
                                   << "Datas_Tipo";
    }
    void lookupsHandTheCodeBack() {
        QFETCH(QString, dialog);
        QFETCH(QString, field);
        QFETCH(QString, button);
        QFETCH(QString, caller);
        QDialog* screen = screenNamed(dialog);
        QVERIFY(screen);
        for (bool viaButton : {false, true}) {
            onDialog(screen, [&](QDialog* shown) {
                QString heard, chosen;
                whenModal([&](QWidget* lookup) {
                    if (lookup == fBusca_Produtos) {
                        heard = fBusca_Produtos->Chamador;
                        chosen = dmProdutos->cds_Produtos->FieldText("PRO_CODIGO");
                        QTest::mouseClick(fBusca_Produtos->btnCon_PRO_Seleciona, Qt::LeftButton);
                    } else if (lookup == fBusca_Grupos) {
                        heard = fBusca_Grupos->Chamador;
                        chosen = dmGrupos->cds_Grupos->FieldText("GRU_CODIGO");
                        QTest::mouseClick(fBusca_Grupos->btnBusca_Seleciona, Qt::LeftButton);
                    } else if (lookup == fBusca_Tipos) {
                        heard = fBusca_Tipos->Chamador;
                        chosen = dmTipos->cds_Tipos->FieldText("TIP_CODIGO");
                        QTest::mouseClick(fBusca_Tipos->btnBusca_Seleciona, Qt::LeftButton);
                    }
                });
                QLineEdit* code = child<QLineEdit>(shown, field);
                code->setFocus();
                if (viaButton)
                    QTest::mouseClick(child<QPushButton>(shown, button), Qt::LeftButton);
                else
                    QTest::keyClick(code, Qt::Key_F5);
                QCOMPARE(heard, caller);
                QVERIFY(!chosen.isEmpty());
                QCOMPARE(code->text(), chosen);
                QCOMPARE(shown->focusWidget(), code);
            });
        }
        QVERIFY(program->recorder.messages.isEmpty());
    }

    // The dialogs write the request into the report they load: the period,
    // and the code, description, title and total captions of one product,
    // group or type.
    void dialogsWriteTheRequestIntoTheReport() {
        auto print = [this](QDialog* dialog, const QString& key, const QString& code) {
            static_cast<DialogoRelatorio*>(dialog)->Relatorio = key;
            onDialog(dialog, [&](QDialog* shown) { printFrom(shown, code); });
        };
        auto captions = [](std::initializer_list<Label*> labels) {
            QStringList all;
            for (Label* l : labels)
                all << l->caption();
            return all;
        };
        print(fDatas, "Rel MovEstq Entradas Estornos", "");
        QCOMPARE(captions({fRelMovEstq_EST2->lbDataIni, fRelMovEstq_EST2->lbDataFim}),
                 (QStringList{"01/03/2006", "31/03/2006"}));
        print(fDatas_Produto, "Mov Estq Produto Saida", "12");
        auto* produto = fRel_Mov_Estq_Produto_ES;
        QCOMPARE(captions({produto->lbDataInicial, produto->lbDataFim, produto->lbCodPro,
                           produto->lbDescPro, produto->lbTitulo, produto->lbTit_EEQ,
                           produto->lbTIT_EER}),
                 (QStringList{"01/03/2006", "31/03/2006", "        12", "Parafuso",
                              "Movimentação de Estoque por Produto(Somente Saídas)",
                              "Total de Saídas(Quantidade)", "Total de Saídas(R$)"}));
        print(fDatas_Grupo, "Mov Estq Grupo Entrada", "1");
        auto* grupo = fRel_Mov_Estq_Grupo_ES;
        QCOMPARE(captions({grupo->lbCodPro, grupo->lbDescPro, grupo->lbTitulo, grupo->lbTit_EEQ,
                           grupo->lbTIT_EER}),
                 (QStringList{"000001", "Ferragens",
                              "Movimentação de Estoque por Grupo(Somente Entradas)",
                              "Total de Entradas(Quantidade)", "Total de Entradas(R$)"}));
        print(fDatas_Tipo, "Mov Estq Tipos", "1");
        auto* tipo = fRel_Mov_Estq_Tipo;
        QCOMPARE(captions({tipo->lbDataInicial, tipo->lbDataFim, tipo->lbCodPro, tipo->lbDescPro}),
                 (QStringList{"01/03/2006", "31/03/2006", "000001", "Venda"}));
        QVERIFY(program->recorder.messages.isEmpty());
    }

    // The movement query filters what its own grid shows; a report by date
    // afterwards still prints every exit of the period and counts it.
    void aReportAfterTheQueryPrintsEveryRow() {
        whenModal([](QWidget* query) {
            auto* screen = qobject_cast<TfConsulta_MovEstq*>(query);
            QTest::mouseClick(screen->cbSaidas, Qt::LeftButton);
            QVERIFY(!screen->cbSaidas->isChecked());
            QTest::mouseClick(screen->btnConsulta_MovEstq_Fechar, Qt::LeftButton);
        });
        fConsulta_MovEstq->exec();
        fDatas->Relatorio = "Mov_Estq Geral Datas";
        onDialog(fDatas, [this](QDialog* shown) { printFrom(shown, {}); });
        RecordingDevice device;
        const QString printed =
            fRel_Mov_Estq->qrMov_Estq->dump(fRel_Mov_Estq->qrMov_Estq->generate(&device));
        QVERIFY2(printed.contains("SS"), qPrintable(printed));
        QCOMPARE(fRel_Mov_Estq->totais.lbSSQ->caption(), QString("4,000"));
        QCOMPARE(fRel_Mov_Estq->totais.lbSSR->caption(), QString("R$ 60,00"));
        QVERIFY(program->recorder.messages.isEmpty());
    }

    // A start after the end is no error: the report has no rows.
    void aPeriodBackwardsLoadsNothing() {
        fDatas->Relatorio = "Mov_Estq Geral Datas";
        onDialog(fDatas, [this](QDialog* shown) {
            march(shown, {2006, 3, 31}, {2006, 3, 1});
            awaitChooser();
            QTest::mouseClick(fDatas->btnDIF_Imprimir, Qt::LeftButton);
        });
        QCOMPARE(dmMovEstq->cds_MovEstq->RecordCount(), 0);
        QVERIFY(program->recorder.messages.isEmpty());
    }
};

KELVARA_TEST_MAIN(TestDialogos)
#include "tst_dialogos.moc"
