#pragma once

// kamerol-cli project: the project ("Объект") from the command line.
//
//   kamerol-cli project create  OUT.kamerol [--title TEXT] [--system NAME[=T0[,FACTOR]]]... FILE.tpl...
//   kamerol-cli project calc    PROJECT.kamerol [--json]
//   kamerol-cli project export  PROJECT.kamerol -o OUT.xlsx|OUT.csv
//   kamerol-cli project report  PROJECT.kamerol -o OUT.pdf [--chart] [--trace]
//   kamerol-cli project extract PROJECT.kamerol --out-dir DIR
//
// Exit codes as calc's: 0 done, 1 usage error, 2 a file cannot be opened or
// written, 3 not a project, or a room (a FILE.tpl) not a calculation.

#include <string>
#include <vector>

#include "app/cli.h"

namespace kamerol {

// `args` starts with "project".
int runProjectCli(const std::vector<std::string>& args, CliContext& context);

}  // namespace kamerol
