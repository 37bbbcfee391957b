#include "app/Pricipal.h"

TfPrincipal* fPrincipal = nullptr;

TfPrincipal::TfPrincipal(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("fPrincipal"));
    setWindowTitle(QStringLiteral("Kelvara"));
    resize(800, 560);
    move(0, 0);
}
