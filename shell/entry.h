// The program's entry: reads the command line and runs one mode.
#pragma once

#include "shell/command_line.h"

// Runs the mode the argument text names and returns its exit code.
int run_mode(const CommandLine &commandLine);
