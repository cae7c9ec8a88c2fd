#include "dialogue.h"

#include <cstdio>

int main()
{
    runConsoleStages(stdin, stdout);
    return 0;
}
