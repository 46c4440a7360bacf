// tvx: look at TVX scene files from the command line.
#include <CLI/CLI.hpp>

#include <iostream>
#include <string>

#include "tools/tvx/Commands.h"

int main(int argc, char** argv) {
    CLI::App app{"Look at TVX scene files"};
    app.require_subcommand(1);

    std::string file;
    tvx::tool::ReadOptions options;

    CLI::App* info = app.add_subcommand("info", "Summarise what a scene file holds");
    CLI::App* dump = app.add_subcommand("dump", "Write the scene as read to stdout as JSON");
    for (CLI::App* verb : {info, dump}) {
        verb->add_option("file", file, "TVX scene file")->required();
        verb->add_flag("--extract", options.extractEmbeddedFiles,
                       "Write the files a version-34 scene embeds into the scene's folder");
    }

    CLI11_PARSE(app, argc, argv);

    if (info->parsed()) {
        return tvx::tool::RunInfo(file, options, std::cout, std::cerr);
    }
    if (dump->parsed()) {
        return tvx::tool::RunDump(file, options, std::cout);
    }
    return 2;
}
