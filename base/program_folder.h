// The folder that holds the program file.
#pragma once

#include <string>

// The program file's folder with a trailing '/'; empty if it cannot be found.
const std::string& ProgramFolder();

// Makes the program's folder the working directory; false if that failed.
bool EnterProgramFolder();
