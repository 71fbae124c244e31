#include "app/KestruneApp.h"

int main(int argc, char** argv)
{
    kestrune::CKestruneApp theApp;
    return theApp.Run(argc, argv);
}
