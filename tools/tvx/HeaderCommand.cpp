#include "tools/tvx/HeaderCommand.h"

#include <ostream>

#include "document/TVXScene.h"
#include "fileformat/FileConstants.h"
#include "fileformat/HeaderSummary.h"
#include "fileformat/LoadScene.h"

namespace tvx::tool {
namespace {

const char* StatusMeaning(int status) {
    switch (status) {
    case kLoadOk:
        return "loaded";
    case kLoadBadMagic:
        return "not a TVX file";
    case kLoadBadVersion:
        return "unsupported layout version";
    case kLoadBadLength:
        return "length field does not match the content";
    case kLoadCannotOpen:
        return "cannot open the file";
    default:
        return "could not be read";
    }
}

void PrintWords(std::ostream& out, const char* indent, const HeaderWords& words) {
    out << indent << "magic:      " << words.magic << '\n'
        << indent << "version:    " << words.version << '\n'
        << indent << "flags:      0x" << std::hex << words.flags << std::dec << '\n'
        << indent << "length:     " << words.length << '\n';
}

}  // namespace

int RunHeaderCommand(const std::filesystem::path& file, std::ostream& out, std::ostream& err) {
    const auto summary = SummarizeHeader(file);
    if (!summary) {
        err << "tvx: " << file.string() << ": cannot read a TVX header\n";
        return 1;
    }
    out << "file:         " << file.string() << " (" << summary->fileSize << " bytes)\n";
    PrintWords(out, "  ", summary->outer);
    out << "  compressed: " << (summary->compressed ? "yes" : "no") << '\n';
    if (summary->inner) {
        out << "inner file:   " << summary->innerSize << " bytes after inflating\n";
        PrintWords(out, "  ", *summary->inner);
    } else if (summary->compressed) {
        out << "inner file:   the compressed content does not inflate\n";
    }

    TVXScene scene;
    NoProgress progress;
    const int status = LoadScene(scene, file, progress);
    out << "status:       " << status << " (" << StatusMeaning(status) << ")\n";
    return 0;
}

}  // namespace tvx::tool
