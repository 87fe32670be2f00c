// The program's arguments in UTF-8 on every system. On Windows the C library hands main the
// arguments in the ANSI code page, where a name like "Jürgen" may not survive; the system's
// UTF-16 command line is read instead.
#pragma once

#include <string>
#include <vector>

// The arguments after the program's name.
std::vector<std::string> ProgramArguments(int argc, char** argv);
