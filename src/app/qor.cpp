// Kelvara: stock control for small businesses.

#include "app/Pricipal.h"
#include "app/Startup.h"
#include "shell/Application.h"

int main(int argc, char** argv) {
    Application app(argc, argv);
    if (!StartProgram())
        return 0;
    fPrincipal->show();
    const int result = app.exec();
    DestroyProgram();
    return result;
}
