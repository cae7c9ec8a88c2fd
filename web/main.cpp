// The program's entry in the web page: as app/main.cpp, with the console in the page.
#include "app/dialogue.h"
#include "page_streams.h"
#include "viewer/viewer.h"

int main(int argc, char** argv)
{
    runConsoleStages(openPageInput(), openPageOutput());
    runViewer(argc, argv);
    return 0;
}
