// korvx-run: checks and runs part programs without a screen.
#include "state/Anlage.h"

#include <cstdio>

int main(int argc, char** argv) {
    (void)argc;
    (void)argv;
    std::fprintf(stderr, "korvx-run: noch nicht verfügbar\n");
    return 2;
}
