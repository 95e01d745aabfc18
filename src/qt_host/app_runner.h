// Runs an application object of ours on Qt: installs the platform's services,
// starts the application and runs the event loop until the frame closes.
#pragma once

class CWinApp;

int RunWinApp(CWinApp& app, int argc, char** argv);
