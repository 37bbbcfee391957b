#include "shell/Sessao.h"

Sessao& sessao() {
    static Sessao daSessao;
    return daSessao;
}
