// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "app/varnex_app.h"
#include "qt_host/app_runner.h"
#include "res/install_resources.h"
#include "res/text/version.h"

int main(int argc, char** argv)
{
    res::InstallResources();
    const ProgramInfo info{"varnex", res::Version(),
                           "Finds the network devices on the local Ethernet segment with one UDP broadcast\n"
                           "probe and configures them: IP address, subnet mask and gateway, MAC address,\n"
                           "soft reset, firmware-update mode, and their web page in the browser.\n",
                           "org.varnex.Varnex"};
    // Opens no socket: that waits for the application's start, after the
    // options and the display are settled.
    CVarnexApp theApp;
    return RunWinApp(theApp, info, argc, argv);
}
