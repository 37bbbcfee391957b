#pragma once

#include <QString>
#include <functional>

class QWidget;

// The open and save file dialogs every screen uses, in one place so that
// tests can answer them.
namespace Arquivos {

struct Pedido {
    bool salvar = false; // a save dialog, else an open dialog
    QString pasta;       // where the dialog starts
    QString nome;        // the file name it proposes
    QString extensao;    // added to a name typed without one
    QString filtro;      // "config (config.gdb)"; empty: every file
};

// Shows the dialog; answers the chosen file's full name, or an empty text
// when the operator cancels.
QString escolhe(QWidget* tela, const Pedido& pedido);

// The save dialog of a spreadsheet export (.xlsx or .csv), proposing the
// name given; answers the file chosen, with the extension that decides its
// format, or an empty text when the operator cancels.
QString escolhePlanilha(QWidget* tela, const QString& nome);

// Replaces the dialogs (tests); an empty handler restores them.
using Handler = std::function<QString(const Pedido&)>;
void setHandler(Handler handler);

} // namespace Arquivos

// Runs a long task (a backup, a restore) away from the screen, which keeps
// painting and shows that the work goes on, and returns once it has ended.
// An error of the task is raised here, on the screen's side. A request to
// end the program meanwhile waits for the task to end.
void EmSegundoPlano(QWidget* tela, const QString& texto, const std::function<void()>& tarefa);

// The same for a task that tells how far it has come: a text for the step
// it is at and a percentage (0 to 100), or -1 when that is not known. The
// task tells it from its own thread.
using InformaProgresso = std::function<void(const QString& passo, int porcento)>;
void EmSegundoPlano(QWidget* tela, const QString& texto,
                    const std::function<void(const InformaProgresso&)>& tarefa);

// The same for a task the operator may stop: its dialog has a "Cancelar"
// button, and the task asks now and then whether it was pressed and, if so,
// ends early, leaving things as they were.
using PedidoDeParada = std::function<bool()>;
void EmSegundoPlanoCancelavel(
    QWidget* tela, const QString& texto,
    const std::function<void(const InformaProgresso&, const PedidoDeParada&)>& tarefa);

// Hears, in the task's own thread, every step a long task tells (a test
// that cuts the program at a given step); an empty function stops it.
void ObservaProgresso(InformaProgresso observador);
