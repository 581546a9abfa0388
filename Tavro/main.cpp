#include "Tavro/Shell/TavroMain.h"

int main(int argc, char** argv)
{
    return tavro::TavroMain::main(argc, argv);
}
