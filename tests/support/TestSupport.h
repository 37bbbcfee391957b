#pragma once

#include "shell/Messages.h"

#include <QAbstractButton>
#include <QDialog>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>
#include <functional>

// Fresh databases created from the schema, through the test server, in a
// temporary folder that also becomes the working directory. Config.INI is
// written only on request.
class TestDatabases {
public:
    TestDatabases();
    ~TestDatabases();

    // The database folder as the program names it ("localhost:/tmp/...").
    QString folder() const;
    // The same folder on this machine's file system.
    QString localPath() const { return dir.path(); }

    void writeConfigIni(const QString& folder);
    void writeConfigIni() { writeConfigIni(folder()); }

    // Creates dmConexao and dmConfig when missing and opens both connections.
    void connect();

    // Runs a statement on a database of the folder ("qor.gdb" or "config.gdb")
    // through a connection of its own.
    void exec(const QString& database, const QString& sql);

    // Makes both databases again, empty, as the previous version of the
    // program made them (the scripts of schema 1, kept in support/esquema1).
    void makeSchema1();
    // Creates file in the folder as the previous version made the database
    // of schema ("qor" or "config").
    void createSchema1(const QString& file, const QString& schema);
    // Makes both databases again as a version of schema 2 left them: those of
    // schema 1 brought up by the step-2 scripts.
    void makeSchema2();
    // Replaces both databases by ones of schema 3, before the stock counts.
    void makeSchema3();

private:
    QTemporaryDir dir;
    QString previousDir;
};

struct RecordedMessage {
    Messages::Kind kind;
    QString text;
};

// Records every dialog instead of showing it, answers confirmations from a
// script, and records the end of the process instead of exiting.
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();

    QList<RecordedMessage> messages;
    QList<bool> answers; // for confirmations, in order; Yes when it runs out
    int endRequests = 0;
    std::function<void(const RecordedMessage&)> onMessage;

    QStringList texts() const;
};

// Types text into a widget key by key, accented letters included.
void typeText(QWidget* widget, const QString& text);

class QLineEdit;
// The operator puts the focus in the field and types over its text.
void retype(QLineEdit* field, const QString& text);

// Runs action on the next modal widget once it is active, from inside its
// event loop, as an operator would act on it.
void whenModal(std::function<void(QWidget*)> action, int timeoutMs = 5000);

// Runs action on the next modal widget of class T.
template <typename T> void whenModal(std::function<void(T*)> action, int timeoutMs = 5000) {
    whenModal([action](QWidget* w) { action(qobject_cast<T*>(w)); }, timeoutMs);
}

// The whole program started on fresh databases, as far as the message loop:
// every module and screen exists, the main window is not shown yet.
class RunningProgram {
public:
    RunningProgram();
    ~RunningProgram();

    // Reports made as the expectations in tests/*/expected were: for "Casa
    // Kelvara Ltda", (11) 5555-0199, on 24/11/2006 at 14:30:05. The reports
    // read the real clock again once the program ends.
    void printAsInTheExpectations();

    TestDatabases dbs;
    MessageRecorder recorder;
};

// Opens a browse screen modally, presses one of its buttons and acts on the
// edit screen that button shows, as an operator would; both are closed
// afterwards if the action left them open.
template <typename Edit>
void onEditScreen(QDialog* browse, QAbstractButton* button, std::function<void(Edit*)> action) {
    bool ran = false;
    whenModal([&](QWidget* shown) {
        whenModal([&](QWidget* edit) {
            ran = true;
            auto* screen = qobject_cast<Edit*>(edit);
            QVERIFY(screen);
            action(screen);
            if (screen->isVisible())
                screen->close();
        });
        QTest::mouseClick(button, Qt::LeftButton);
        shown->close();
    });
    browse->exec();
    QVERIFY(ran);
}

// The rows of a statement on the stock database, each as its columns' texts
// joined by "|".
QStringList storedRows(const QString& sql, const QStringList& columns);

// Compares a printed report's text with its expectation file kept in the
// repository. Answers an empty text when they agree, otherwise what differs;
// the text printed is then left in the working folder of the build as
// NAME.actual for review.
QString differsFromExpectation(const QString& printed, const QString& expectationFile);

// Loads the movement list with every movement of a period, in date order,
// the way the period dialog does for the general movement report.
void loadMovementPeriod(const QDate& from, const QDate& to);
