#pragma once
// The windowed program: a second start hands over to the running one; otherwise the main
// window is created and the event loop runs until it closes.

int run_application(int argc, char **argv);
