// Kelvara: stock control for small businesses.

#include "app/Pricipal.h"
#include "app/Sinais.h"
#include "app/Startup.h"
#include "shell/Application.h"

int main(int argc, char** argv) {
    ReservaSinais();
    Application app(argc, argv);
    if (!StartProgram())
        return 0;
    EncerraComSinais(&app);
    fPrincipal->show();
    const int result = app.exec();
    DestroyProgram();
    return result;
}
