#pragma once

#include <QString>
#include <exception>
#include <functional>

// Every dialog the program shows goes through here, so that tests can script
// the answers and record what the operator would have seen.
namespace Messages {

// Shown before Firebird's own text when the connection to a database was
// lost. The server rolls back the transaction it had open, so nothing of the
// action is in the database; the next action connects again.
inline const QString MensagemConexaoPerdida = QStringLiteral(
    "A conexão com o Banco de Dados foi perdida e a última operação não foi gravada: nada "
    "dela ficou no Banco de Dados. Verifique se o FireBird está Ativo e a rede funcionando; "
    "a próxima operação conecta de novo, e então repita o que não foi gravado.");
// The same when it went away after the operation was sent for saving: it may
// have been saved, and repeating it could record it twice.
inline const QString MensagemConexaoPerdidaAoGravar = QStringLiteral(
    "A conexão com o Banco de Dados foi perdida ao final da gravação e não há como saber se a "
    "última operação foi gravada. Verifique se o FireBird está Ativo e a rede funcionando; a "
    "próxima operação conecta de novo. Confira então se a operação consta no Banco de Dados "
    "antes de repeti-la.");

enum class Kind { Information, Warning, Error, Confirmation, Plain, StandardError };

// Shows a message of any kind; answers Yes for a confirmation.
bool show(Kind kind, const QString& text);

void information(const QString& text);
void warning(const QString& text);
void error(const QString& text);
bool confirm(const QString& text); // Yes answers true
void plain(const QString& text);   // no icon

// The text of an error as the operator reads it: its own text, after the
// lost-connection message when the database connection was lost.
QString errorMessage(const std::exception& e);

// The application's standard error dialog for an error no handler caught.
void standardError(const QString& text);
// The same for a caught error, with errorMessage's text.
void standardError(const std::exception& e);

// Runs work; an error escaping it goes to the standard error dialog and the
// rest of the work is skipped. Answers whether it ran through.
bool guarded(const std::function<void()>& work);

// Replaces the dialogs. The handler answers confirmations; its answer is
// ignored for the other kinds. An empty handler restores the dialogs.
using Handler = std::function<bool(Kind, const QString&)>;
void setHandler(Handler handler);

} // namespace Messages

// Ending the process goes through one place. A request to end (the menu's
// "Saída", a screen that ends the program, the desktop's logout, Ctrl+C)
// only asks: the event loops finish, and main detaches the databases and
// ends. A long task that runs when the request comes is never cut: the end
// waits for it.
namespace Process {

// Asks the program to end, and returns.
void end();

// Whether the end was asked for; start-up and main stop there.
bool endRequested();

// A long task the end waits for, for as long as the object lives. told runs
// when the end is asked for meanwhile, so the screen can say why it waits.
// The end comes once the last such task is over.
class Task {
public:
    explicit Task(std::function<void()> told);
    ~Task();
    Task(const Task&) = delete;
    Task& operator=(const Task&) = delete;
};

// Replaces what end() does (tests record it instead of ending). An empty
// function restores the real request.
void setEndHandler(std::function<void()> handler);

} // namespace Process
