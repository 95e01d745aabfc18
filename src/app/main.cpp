#include "app/varnex_app.h"
#include "qt_host/app_runner.h"
#include "res/install_resources.h"

int main(int argc, char** argv)
{
    res::InstallResources();
    CVarnexApp theApp;
    return RunWinApp(theApp, argc, argv);
}
