// calivue-cli entry point; the commands live in calivue_cli_lib.
#include "cli/commands.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv, argv + argc);
    return calivue::cli::run(args, std::cout, std::cerr);
}
