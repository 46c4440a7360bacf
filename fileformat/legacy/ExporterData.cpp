#include "fileformat/legacy/ExporterData.h"

#include <ctime>

namespace tvx {

void SetCreatorNoteToNow(TVXExporterData& data) {
    const std::time_t now = std::time(nullptr);
    char text[64] = {};
    // ctime_r: the same text as ctime, without its shared static buffer.
    if (::ctime_r(&now, text) == nullptr) {
        data.creatorNote.clear();
        return;
    }
    std::string note = text;
    if (!note.empty()) {
        note.pop_back();  // ctime's final character is the newline
    }
    data.creatorNote = note;
}

}  // namespace tvx
