#pragma once

#include <QApplication>

// The application object. Any error that escapes an event handler ends up
// in the standard error dialog with its own text; the action stops and the
// screen stays as it was.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};
