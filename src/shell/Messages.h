#pragma once

#include <QString>
#include <functional>

// Every dialog the program shows goes through here, so that tests can script
// the answers and record what the operator would have seen.
namespace Messages {

enum class Kind { Information, Warning, Error, Confirmation, Plain, StandardError };

// Shows a message of any kind; answers Yes for a confirmation.
bool show(Kind kind, const QString& text);

void information(const QString& text);
void warning(const QString& text);
void error(const QString& text);
bool confirm(const QString& text); // Yes answers true
void plain(const QString& text);   // no icon

// The application's standard error dialog for an error no handler caught.
void standardError(const QString& text);

// Runs work; an error escaping it goes to the standard error dialog and the
// rest of the work is skipped. Answers whether it ran through.
bool guarded(const std::function<void()>& work);

// Replaces the dialogs. The handler answers confirmations; its answer is
// ignored for the other kinds. An empty handler restores the dialogs.
using Handler = std::function<bool(Kind, const QString&)>;
void setHandler(Handler handler);

} // namespace Messages

// Ending the process goes through one place.
namespace Process {

void end();

// Replaces what end() does (tests record it instead of exiting). An empty
// function restores the real exit.
void setEndHandler(std::function<void()> handler);

} // namespace Process
