#pragma once

// kamerol-cli calc over many files:
//
//   kamerol-cli calc FILE... [--files-from LIST] [--set NAME=TEXT]...
//                    (--jsonl | --csv) [--out-dir DIR | -o OUT.tpl] [-j N]
//
// Each file is calculated on a form of its own, as the one-file form does it;
// the output keeps the order the files were given in whatever the threads.

#include <string>
#include <vector>

#include "app/cli.h"

namespace kamerol {

// Whether the arguments of `calc` ask for the batch form: --jsonl, --csv,
// --files-from, --out-dir, -j, or more than one file.
bool isBatchCommand(const std::vector<std::string>& args);

// Runs the batch form; the exit code is the worst one met (1 before 2 before
// 3 before 0).
int runBatch(const std::vector<std::string>& args, CliContext& context);

}  // namespace kamerol
