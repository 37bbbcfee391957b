#include "shell/Arquivos.h"

#include "reportengine/Planilha.h"
#include "shell/Messages.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QProgressDialog>
#include <QRegularExpression>
#include <atomic>
#include <exception>
#include <thread>

namespace Arquivos {

namespace {

Handler& handler() {
    static Handler h;
    return h;
}

QString mostra(QWidget* tela, const Pedido& pedido) {
    if (handler())
        return handler()(pedido);
    QFileDialog dialogo(tela);
    dialogo.setAcceptMode(pedido.salvar ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialogo.setFileMode(pedido.salvar ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialogo.setDirectory(pedido.pasta);
    dialogo.setDefaultSuffix(pedido.extensao);
    if (!pedido.filtro.isEmpty())
        dialogo.setNameFilter(pedido.filtro);
    // A name typed without an extension takes that of the kind of file
    // chosen in the list, so that the kind chosen is the kind written.
    QObject::connect(&dialogo, &QFileDialog::filterSelected, &dialogo,
                     [&dialogo](const QString& filtro) {
                         static const QRegularExpression extensao(QStringLiteral("\\*\\.(\\w+)"));
                         const QRegularExpressionMatch m = extensao.match(filtro);
                         if (m.hasMatch())
                             dialogo.setDefaultSuffix(m.captured(1));
                     });
    dialogo.selectFile(pedido.nome);
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
        return {};
    return dialogo.selectedFiles().constFirst();
}

} // namespace

// Some dialogs change the working directory, where Config.INI is looked
// up; the program's own working directory stays what it was.
QString escolhe(QWidget* tela, const Pedido& pedido) {
    const QString pastaDeTrabalho = QDir::currentPath();
    const QString escolhido = mostra(tela, pedido);
    QDir::setCurrent(pastaDeTrabalho);
    return escolhido;
}

QString escolhePlanilha(QWidget* tela, const QString& nome) {
    Pedido pedido;
    pedido.salvar = true;
    pedido.nome =
        QString(nome).replace(QRegularExpression(QStringLiteral("[/\\\\]")), QStringLiteral("-")) +
        u'.' + report::Planilha::Extensao;
    pedido.extensao = report::Planilha::Extensao;
    pedido.filtro = report::Planilha::Filtros;
    const QString escolhido = escolhe(tela, pedido);
    return escolhido.isEmpty() ? escolhido : report::Planilha::withExtension(escolhido);
}

void setHandler(Handler novo) {
    handler() = std::move(novo);
}

} // namespace Arquivos

namespace {

InformaProgresso& observador() {
    static InformaProgresso o;
    return o;
}

} // namespace

void ObservaProgresso(InformaProgresso novo) {
    observador() = std::move(novo);
}

void EmSegundoPlano(QWidget* tela, const QString& texto, const std::function<void()>& tarefa) {
    EmSegundoPlano(tela, texto, [&tarefa](const InformaProgresso&) { tarefa(); });
}

namespace {

// Ends the first wait of a task when its dialog shows, so that the dialog's
// button can be pressed while it goes on.
class AoMostrar : public QObject {
public:
    AoMostrar(QWidget* dialogo, QEventLoop* espera) : QObject(dialogo), espera(espera) {
        dialogo->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* evento) override {
        if (evento->type() == QEvent::Show)
            QMetaObject::invokeMethod(espera, &QEventLoop::quit, Qt::QueuedConnection);
        return false;
    }

private:
    QEventLoop* espera;
};

using Tarefa = std::function<void(const InformaProgresso&, const PedidoDeParada&)>;

void emSegundoPlano(QWidget* tela, const QString& texto, bool cancelavel, const Tarefa& tarefa) {
    QProgressDialog progresso(texto, cancelavel ? QStringLiteral("Cancelar") : QString(), 0, 0,
                              tela);
    progresso.setObjectName(QStringLiteral("dlgProgresso"));
    progresso.setWindowModality(Qt::WindowModal);
    progresso.setMinimumDuration(1000); // a quick task shows nothing
    progresso.setAutoClose(false);
    progresso.setAutoReset(false);
    QEventLoop espera;
    QString passo = texto;
    bool encerrando = false;
    auto mostra = [&] {
        progresso.setLabelText(encerrando ? passo + QStringLiteral("\nO programa será encerrado "
                                                                   "quando esta tarefa terminar.")
                                          : passo);
    };
    // The end of the program waits for the task; the screen says so.
    const Process::Task emCurso([&] {
        encerrando = true;
        mostra();
        progresso.show();
    });
    const InformaProgresso informa = [&](const QString& texto, int porcento) {
        if (observador())
            observador()(texto, porcento);
        QMetaObject::invokeMethod(
            &progresso,
            [&, texto, porcento] {
                passo = texto;
                mostra();
                progresso.setRange(0, porcento < 0 ? 0 : 100);
                progresso.setValue(porcento < 0 ? 0 : porcento);
            },
            Qt::QueuedConnection);
    };
    std::atomic<bool> parar = false;
    const PedidoDeParada pedeParada = [&] { return parar.load(); };
    QObject::connect(&progresso, &QProgressDialog::canceled, &progresso, [&] {
        parar = true;
        passo = QStringLiteral("Cancelando...");
        mostra();
        // Escape closes the dialog as it cancels: it stays until the task
        // has stopped.
        QMetaObject::invokeMethod(&progresso, &QWidget::show, Qt::QueuedConnection);
    });
    std::atomic<bool> terminou = false;
    std::exception_ptr erro;
    std::thread trabalho([&] {
        try {
            tarefa(informa, pedeParada);
        } catch (...) {
            erro = std::current_exception();
        }
        terminou = true;
        QMetaObject::invokeMethod(&espera, &QEventLoop::quit, Qt::QueuedConnection);
    });
    // The screens take no keys or clicks while the task runs; one that can
    // be stopped takes them once its dialog shows, modal, so that its button
    // works.
    if (cancelavel)
        new AoMostrar(&progresso, &espera);
    espera.exec(QEventLoop::ExcludeUserInputEvents);
    while (!terminou)
        espera.exec();
    trabalho.join();
    QCoreApplication::removePostedEvents(&progresso, QEvent::MetaCall);
    if (erro)
        std::rethrow_exception(erro);
}

} // namespace

void EmSegundoPlano(QWidget* tela, const QString& texto,
                    const std::function<void(const InformaProgresso&)>& tarefa) {
    emSegundoPlano(
        tela, texto, false,
        [&tarefa](const InformaProgresso& informa, const PedidoDeParada&) { tarefa(informa); });
}

void EmSegundoPlanoCancelavel(QWidget* tela, const QString& texto, const Tarefa& tarefa) {
    emSegundoPlano(tela, texto, true, tarefa);
}
