#include <iostream>
#include <string>
#include <vector>

#include "run_cli.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  return kerbwise::cli::RunCli(std::move(args), std::cin, std::cout, std::cerr);
}
