#include <iostream>

#include "tools/cli/binary_stdout.h"
#include "tools/cli/cli_command.h"

int main(int argc, char** argv) {
  cdv::SetBinaryStdout();
  return cdv::RunCli(std::vector<std::string>(argv, argv + argc), std::cout, std::cerr);
}
