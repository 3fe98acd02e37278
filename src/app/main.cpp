#include "app/startup.h"

int main(int argc, char *argv[])
{
    return lamira::runLamira(argc, argv);
}
