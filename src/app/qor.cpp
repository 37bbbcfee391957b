// Kelvara: stock control for small businesses.

#include "app/Sinais.h"
#include "app/Startup.h"
#include "shell/Application.h"

int main(int argc, char** argv) {
    ReservaSinais();
    Application app(argc, argv);
    EncerraComSinais(&app);
    return RunProgram();
}
