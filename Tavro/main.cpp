#include "Tavro/AppWindows.h"
#include "Tavro/Shell/TavroMain.h"

int main(int argc, char** argv)
{
    return tavro::TavroMain::main(argc, argv, tavro::AppWindows::factory());
}
