#include "fileformat/LoadStatusMessage.h"

#include "fileformat/FileConstants.h"

namespace tvx {

std::string_view LoadStatusMessage(int status) {
    switch (status) {
    case kLoadOk:
        return "";
    case kLoadBadMagic:
        return "File is not a Tarvex file.";
    case kLoadBadVersion:
        return "Older TVX file formats are not supported.";
    case kLoadBadLength:
        return "Corrupt file header found.";
    case kLoadCannotOpen:
        return "Could not open the file.  Try closing it first.";  // two spaces, as the host shows it
    default:
        return "There was an error importing the file.";
    }
}

}  // namespace tvx
