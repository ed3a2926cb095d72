// The Linux menu program: no command line, exit code 0.
#include "shell/main_loop.h"

int main() { return RunMenu(); }
