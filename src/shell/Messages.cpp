#include "shell/Messages.h"

#include "data/DbError.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <vector>

namespace Messages {

namespace {

Handler& handler() {
    static Handler h;
    return h;
}

} // namespace

bool show(Kind kind, const QString& text) {
    if (handler())
        return handler()(kind, text);

    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QStringLiteral("Kelvara"));
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
    switch (kind) {
    case Kind::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Kind::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Kind::Error:
    case Kind::StandardError:
        box.setIcon(QMessageBox::Critical);
        break;
    case Kind::Confirmation:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("&Sim"));
        box.button(QMessageBox::No)->setText(QStringLiteral("&Não"));
        return box.exec() == QMessageBox::Yes;
    case Kind::Plain:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return true;
}

void information(const QString& text) {
    show(Kind::Information, text);
}
void warning(const QString& text) {
    show(Kind::Warning, text);
}
void error(const QString& text) {
    show(Kind::Error, text);
}
bool confirm(const QString& text) {
    return show(Kind::Confirmation, text);
}
void plain(const QString& text) {
    show(Kind::Plain, text);
}
void standardError(const QString& text) {
    show(Kind::StandardError, text);
}

QString errorMessage(const std::exception& e) {
    if (auto* lost = dynamic_cast<const ConnectionLost*>(&e))
        return (lost->commitInDoubt ? MensagemConexaoPerdidaAoGravar : MensagemConexaoPerdida) +
               u'\n' + errorText(e);
    return errorText(e);
}

void standardError(const std::exception& e) {
    standardError(errorMessage(e));
}

bool guarded(const std::function<void()>& work) {
    try {
        work();
        return true;
    } catch (const std::exception& e) {
        standardError(e);
        return false;
    }
}

void setHandler(Handler h) {
    handler() = std::move(h);
}

} // namespace Messages

namespace Process {

namespace {

std::function<void()>& endHandler() {
    static std::function<void()> h;
    return h;
}

bool requested = false;

// What each running task does when the end is asked for, innermost last.
std::vector<std::function<void()>>& tasks() {
    static std::vector<std::function<void()>> running;
    return running;
}

// Every event loop finishes, the nested ones of modal screens included; a
// loop started after this returns at once.
void finishLoops() {
    QCoreApplication::exit(0);
}

} // namespace

void end() {
    if (endHandler()) {
        endHandler()();
        return;
    }
    requested = true;
    if (tasks().empty()) {
        finishLoops();
        return;
    }
    for (const auto& told : tasks())
        if (told)
            told();
}

bool endRequested() {
    return requested;
}

Task::Task(std::function<void()> told) {
    tasks().push_back(std::move(told));
}

Task::~Task() {
    tasks().pop_back();
    if (requested && tasks().empty())
        finishLoops();
}

void setEndHandler(std::function<void()> handler) {
    endHandler() = std::move(handler);
}

} // namespace Process
