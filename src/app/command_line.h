#pragma once
// The program's command line for scripts and administrators.  It runs without a display:
//     tallyra --version
//     tallyra --help
//     tallyra --create-database PATH [--demo] [--connect]

// True when the arguments ask for the command line instead of the windows.
bool is_command_line(int argc, char **argv);

// Runs the command line and gives the exit code: 0 done, 1 failed, 2 wrong arguments.
int run_command_line(int argc, char **argv);
