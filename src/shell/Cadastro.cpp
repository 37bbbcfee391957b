#include "shell/Cadastro.h"

#include "data/ListCopy.h"
#include "data/SqlQuery.h"
#include "shell/Messages.h"

#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <stdexcept>

void ApresentaModo(const ApresentacaoModos& modos, const QString& modo, QLabel* titulo,
                   QPushButton* salva, QPushButton* limpa) {
    for (const ApresentacaoModo& m : modos) {
        if (m.modo != modo)
            continue;
        titulo->setText(m.titulo);
        if (m.legendaSalva)
            salva->setText(*m.legendaSalva);
        salva->setVisible(m.salvaVisivel);
        limpa->setVisible(m.limpaVisivel);
        return;
    }
}

QString ProximoCodigo(SqlQuery* query, const QString& descendente, const QString& coluna) {
    query->setStatement({descendente});
    query->Open();
    const bool vazio = query->IsEmpty();
    const QString maior = query->FieldText(coluna);
    query->Close();
    if (vazio)
        return QStringLiteral("000001");
    bool ok = false;
    const qlonglong numero = maior.trimmed().toLongLong(&ok);
    if (!ok)
        throw std::runtime_error(
            QStringLiteral("'%1' is not a valid integer value").arg(maior).toStdString());
    return CompletaCodigo(QString::number(numero + 1));
}

bool CodigoEsgotado(const QString& codigo) {
    return codigo.size() > 6;
}

QString CompletaCodigo(const QString& codigo) {
    return codigo.size() < 6 ? codigo.rightJustified(6, u'0') : codigo;
}

QString CompletaCodigoProduto(const QString& codigo) {
    return codigo.rightJustified(10, u' ');
}

void LeCodigo(SqlQuery* q, const LeituraCodigo& leitura, QLineEdit* codigo, QLineEdit* descricao) {
    if (codigo->text().isEmpty())
        return;
    codigo->setText(CompletaCodigo(codigo->text()));
    ConfereCodigo(q, leitura, codigo, descricao);
}

bool ConfereCodigo(SqlQuery* q, const LeituraCodigo& leitura, QLineEdit* codigo,
                   QLineEdit* descricao) {
    q->Close();
    // A code longer than the column names nothing; the server would refuse it.
    if (codigo->text().size() <= 6) {
        q->setStatement({leitura.sql});
        q->ParamByName(QStringLiteral("CodigoC")).setAsString(codigo->text());
        q->Open();
    }
    if (!q->Active() || q->IsEmpty()) {
        q->Close();
        Messages::information(leitura.naoEncontrado);
        if (leitura.apagaAusente)
            codigo->clear();
        codigo->setFocus();
        return false;
    }
    codigo->setText(q->FieldText(leitura.colunaCodigo));
    descricao->setText(q->FieldText(leitura.colunaDescricao));
    q->Close();
    return true;
}

void BuscaRapida(ListCopy* lista, QLineEdit* busca, bool porDescricao, const QString& campoCodigo,
                 const QString& campoDescricao) {
    if (porDescricao) {
        lista->LocatePrefix(campoDescricao, busca->text());
        return;
    }
    busca->setText(CompletaCodigo(busca->text()));
    lista->LocatePrefix(campoCodigo, busca->text());
}

namespace {

QHash<QString, std::function<void(const QString&)>>& destinos() {
    static QHash<QString, std::function<void(const QString&)>> porChamador;
    return porChamador;
}

} // namespace

void RegistraDestino(const QString& chamador, std::function<void(const QString& codigo)> recebe) {
    destinos().insert(chamador, std::move(recebe));
}

void EntregaCodigo(const QString& chamador, const QString& codigo) {
    const auto destino = destinos().constFind(chamador);
    if (destino != destinos().cend() && *destino)
        (*destino)(codigo);
}

void RecebeNoCampo(const QString& chamador, QLineEdit* campo) {
    RegistraDestino(chamador, [campo = QPointer<QLineEdit>(campo)](const QString& codigo) {
        if (!campo)
            return;
        campo->setText(codigo);
        campo->setFocus();
    });
}

namespace {

class TeclaF5 : public QObject {
public:
    TeclaF5(QObject* parent, std::function<void()> abre) : QObject(parent), abre(std::move(abre)) {}

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_F5) {
            abre();
            return true;
        }
        return false;
    }

private:
    std::function<void()> abre;
};

} // namespace

void InstalaBusca(QLineEdit* campo, QPushButton* botao, std::function<void()> abre) {
    campo->installEventFilter(new TeclaF5(campo, abre));
    QObject::connect(botao, &QPushButton::clicked, campo, abre);
}
