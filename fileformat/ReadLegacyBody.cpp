#include "fileformat/FileConstants.h"
#include "fileformat/LayoutReaders.h"

namespace tvx {

// The sequential layouts are not read yet: every legacy body fails to load.
int ReadLegacyBody(TVXFileReader&, TVXScene&) { return kLoadFailed; }

}  // namespace tvx
