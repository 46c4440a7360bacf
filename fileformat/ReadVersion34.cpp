#include "fileformat/FileConstants.h"
#include "fileformat/LayoutReaders.h"

namespace tvx {

// The chunked layout is not read yet: every version-34 body fails to load.
int ReadVersion34(TVXFileReader&, TVXScene&, const LoadOptions&) { return kLoadFailed; }

}  // namespace tvx
