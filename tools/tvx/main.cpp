// tvx: look at and convert TVX scene files from the command line.
#include <CLI/CLI.hpp>

#include <iostream>
#include <string>

#include "tools/tvx/HeaderCommand.h"

int main(int argc, char** argv) {
    CLI::App app{"Inspect TVX scene files"};
    app.require_subcommand(1);

    std::string headerFile;
    CLI::App* header = app.add_subcommand("header", "Show what a file's header says and how it loads");
    header->add_option("file", headerFile, "TVX scene file")->required();

    CLI11_PARSE(app, argc, argv);

    if (header->parsed()) {
        return tvx::tool::RunHeaderCommand(headerFile, std::cout, std::cerr);
    }
    return 2;
}
