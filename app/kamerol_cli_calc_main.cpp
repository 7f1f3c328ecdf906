// kamerol-cli without the report: a build without Qt (see app/cli.h).

#include <iostream>

#include "app/cli.h"
#include "app/console.h"

int main(int argc, char* argv[]) {
  kamerol::useUtf8Streams();
  kamerol::CliContext context{kamerol::systemNumberLocale(), std::cout, std::cerr, {}};
  return kamerol::runCli(kamerol::utf8Arguments(argc, argv), context);
}
