// The program as the desktop runs it, with an operator of its own: once the
// main window shows, it starts the task that KELVARA_CONDUZ names, the end
// already asked for by a signal, as a logout in the middle of the task would:
//   "backup|FILE"              a stock backup into FILE
//   "restaura|BACKUP|DATABASE" a stock restore of BACKUP into DATABASE
// Every message is written to standard output instead of shown.
// KELVARA_CORTE="STEP|N" kills the program (SIGKILL, as a power cut would)
// when a long task tells, for the Nth time, a step that holds STEP (a
// restore tells two steps at once while it proves the backup and copies the
// database).

#include "app/Pricipal.h"
#include "app/Sinais.h"
#include "app/Startup.h"
#include "shell/Application.h"
#include "shell/Arquivos.h"
#include "shell/Messages.h"
#include "utilities/Backup.h"
#include "utilities/Restaura_Backup.h"

#include <QPushButton>
#include <QTimer>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

QStringList respostas; // what the file dialogs answer, in order

void conduz() {
    if (!fPrincipal || !fPrincipal->isVisible()) {
        QTimer::singleShot(50, conduz);
        return;
    }
    const QStringList pedido = qEnvironmentVariable("KELVARA_CONDUZ").split(u'|');
    respostas = pedido.mid(1);
    QPushButton* inicia = nullptr;
    if (pedido[0] == QStringLiteral("backup")) {
        fBackup->show();
        fBackup->btnEscolhePasta->click();
        inicia = fBackup->btnGeraBackup;
    } else {
        fRestaura_Backup->show();
        fRestaura_Backup->Button2->click();
        fRestaura_Backup->btnEscolhePasta->click();
        inicia = fRestaura_Backup->btnGeraBackup;
    }
    // Held back like every request to end, the signal is read by the first
    // event loop that runs: the one that waits for the task.
    ::kill(::getpid(), SIGTERM);
    std::printf("tarefa iniciada\n");
    std::fflush(stdout);
    inicia->click();
}

void cortaNoPasso() {
    const QStringList corte = qEnvironmentVariable("KELVARA_CORTE").split(u'|');
    if (corte.size() != 2)
        return;
    const QString passo = corte[0];
    const int vezes = corte[1].toInt();
    static std::atomic<int> contadas{0};
    ObservaProgresso([passo, vezes](const QString& texto, int) {
        if (texto.contains(passo) && ++contadas >= vezes)
            ::kill(::getpid(), SIGKILL);
    });
}

void conduzAoIniciar() {
    cortaNoPasso();
    Arquivos::setHandler([](const Arquivos::Pedido&) {
        return respostas.isEmpty() ? QString() : respostas.takeFirst();
    });
    Messages::setHandler([](Messages::Kind, const QString& texto) {
        std::printf("%s\n", texto.toUtf8().constData());
        std::fflush(stdout);
        return true;
    });
    QTimer::singleShot(0, conduz);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(conduzAoIniciar)

int main(int argc, char** argv) {
    ReservaSinais();
    Application app(argc, argv);
    EncerraComSinais(&app);
    return RunProgram();
}
