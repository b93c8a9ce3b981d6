// flowform: the form fill-in page of the workflow office system, with its host.
#include <iostream>

#include "host/cli.h"

int main(int argc, char** argv) { return host::run_cli(argc, argv, std::cout, std::cerr); }
