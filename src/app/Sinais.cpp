#include "app/Sinais.h"

#include "shell/Messages.h"

#include <QSocketNotifier>
#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

sigset_t pedidosDeFim() {
    sigset_t sinais;
    sigemptyset(&sinais);
    for (int sinal : {SIGTERM, SIGINT, SIGHUP})
        sigaddset(&sinais, sinal);
    return sinais;
}

} // namespace

void ReservaSinais() {
    const sigset_t sinais = pedidosDeFim();
    pthread_sigmask(SIG_BLOCK, &sinais, nullptr);
}

void EncerraComSinais(QObject* dono) {
    const sigset_t sinais = pedidosDeFim();
    const int leitor = signalfd(-1, &sinais, SFD_CLOEXEC);
    if (leitor < 0)
        return;
    auto* aviso = new QSocketNotifier(leitor, QSocketNotifier::Read, dono);
    QObject::connect(aviso, &QSocketNotifier::activated, aviso, [aviso, leitor] {
        aviso->setEnabled(false);
        signalfd_siginfo pedido;
        [[maybe_unused]] const ssize_t lido = ::read(leitor, &pedido, sizeof pedido);
        Process::end();
    });
}
