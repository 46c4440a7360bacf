#include "tests/gltf/Validator.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace tvx::gltf {

int ValidateWithKhronos(const std::filesystem::path& file, std::string& report) {
    const std::filesystem::path log = file.parent_path() / "validator.txt";
    const std::string command = std::string("NODE_PATH='") + TVX_GLTF_VALIDATOR_MODULES + "' '" + TVX_NODE +
                                "' '" + TVX_VALIDATE_SCRIPT + "' '" + file.string() + "' > '" + log.string() + "' 2>&1";
    const int status = std::system(command.c_str());
    std::ifstream in(log);
    std::ostringstream text;
    text << in.rdbuf();
    report = text.str();
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace tvx::gltf
