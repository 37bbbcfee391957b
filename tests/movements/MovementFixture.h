#pragma once

#include "app/Pricipal.h"
#include "data/Conexao.h"
#include "data/DataModule_Conexao.h"
#include "data/SqlConnection.h"
#include "data/SqlQuery.h"
#include "masterdata/Busca_Produtos.h"
#include "movements/Movimentacao.h"

#include "TestSupport.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <functional>
#include <memory>

// Another workstation on the same stock database: its own connection and
// its own movement and product queries.
struct Workstation {
    explicit Workstation(const TestDatabases& dbs)
        : connection(QStringLiteral("SQLC_QOR")),
          movements(QStringLiteral("SQLQ_MovEstq"), &connection, nullptr),
          products(QStringLiteral("SQLQ_Produtos"), &connection, nullptr) {
        ConfiguraConexao(connection, QStringLiteral("QOR"),
                         CaminhoBanco(dbs.folder(), QStringLiteral("qor.gdb")));
        connection.Open();
    }
    BaseMovimentos base() { return {&connection, &movements, &products}; }

    SqlConnection connection;
    SqlQuery movements;
    SqlQuery products;
};

// Products and their stock, straight in the database.
inline void addProduct(TestDatabases& dbs, const QString& code, const QString& quantity,
                       const QString& barCode = {}) {
    dbs.exec("qor.gdb", QString("Insert Into Produtos (PRO_Codigo, PRO_Descricao, PRO_CodGRU, "
                                "PRO_Unid, PRO_CodBar, PRO_Quant, PRO_Min, PRO_EMax, PRO_Margem, "
                                "PRO_PCusto, PRO_PVenda, PRO_Local, PRO_Refer, PRO_Obs) Values "
                                "('%1', 'Parafuso %4', '000001', 'UN', '%3', %2, 5, 50, 35, 10, "
                                "13.5, 'A-01', 'REF-1', 'Caixa azul')")
                            .arg(code.rightJustified(10, ' '), quantity, barCode, code));
}

inline QVariant storedQuantity(const QString& code) {
    return dmConexao->SQLC_QOR->database()
        .select("Select PRO_Quant From Produtos Where PRO_Codigo='" + code.rightJustified(10, ' ') +
                "'")
        .value(0, 0);
}

inline QStringList movementRows() {
    return storedRows(
        "Select MOV_CodPro, MOV_Oper, MOV_Data, MOV_Valor, MOV_Quant, "
        "trim(MOV_Doc) as MOV_DOC, MOV_Tipo From Mov_Estq Order By MOV_Oper, "
        "MOV_Quant",
        {"MOV_CODPRO", "MOV_OPER", "MOV_DATA", "MOV_VALOR", "MOV_QUANT", "MOV_DOC", "MOV_TIPO"});
}

// Chooses a command of the main window's menu ("Movimentação no Estoque/
// Entrada no Estoque") and acts on the screen it shows, which is closed
// afterwards if the action left it open.
template <typename Screen>
void fromMenu(const QString& command, std::function<void(Screen*)> action) {
    auto* item = fPrincipal->findChild<QAction*>(command);
    QVERIFY2(item, qPrintable(command));
    bool ran = false;
    whenModal([&](QWidget* shown) {
        ran = true;
        auto* screen = qobject_cast<Screen*>(shown);
        QVERIFY(screen);
        action(screen);
        if (screen->isVisible())
            screen->close();
    });
    item->trigger();
    QVERIFY(ran);
}

// The operator enters the field, types over its text and leaves by Tab.
inline void enter(QWidget* field, const QString& text) {
    field->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        edit->clear();
    typeText(field, text);
    QTest::keyClick(field, Qt::Key_Tab);
}

// The controls Tab visits from the focused one, by name, until it comes back.
inline QStringList tabCycle(QWidget* screen) {
    QStringList names;
    QWidget* start = screen->focusWidget();
    for (int i = 0; i < 40; ++i) {
        QTest::keyClick(screen->focusWidget(), Qt::Key_Tab);
        if (screen->focusWidget() == start)
            break;
        names << screen->focusWidget()->objectName();
    }
    return names;
}

// Opens the product lookup as the operator would (F5, the "..." button) and
// chooses its current product; answers the caller key the lookup was given.
inline QString chooseInProductLookup(const std::function<void()>& open) {
    QString caller;
    whenModal([&](QWidget*) {
        caller = fBusca_Produtos->Chamador;
        fBusca_Produtos->btnCon_PRO_Seleciona->click();
    });
    open();
    return caller;
}
