#pragma once

// A command-line program's arguments and standard streams as UTF-8, whatever
// the system's own encoding.

#include <string>
#include <vector>

namespace kamerol {

// The program's arguments after its name, in UTF-8. On Windows they are read
// again from the wide command line: `argv` there is in the ANSI code page and
// has lost every character outside it.
std::vector<std::string> utf8Arguments(int argc, char* argv[]);

// Standard output and error carry UTF-8 bytes as written: on Windows not
// translated to CR LF, and a console shows them as UTF-8.
void useUtf8Streams();

// Standard output that goes to a file or a pipe is written in large blocks: a
// batch prints megabytes. A terminal keeps its line-by-line output.
void bufferStandardOutput();

}  // namespace kamerol
