#pragma once
// The program's start-up, event loop and shut-down, shared by `qel` and by the test
// program that drives the real windows.
#include <functional>

class CQELApp;

// Runs the program on the command line; onStarted (when given) is called once the main
// window is up, before the event loop starts. Returns the exit status.
int RunQELApplication(int argc, char** argv, const std::function<void(CQELApp&)>& onStarted = {});
