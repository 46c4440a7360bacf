// Making record names usable as host node names.
#pragma once

#include "document/TVXScene.h"

namespace tvx {

// Replaces with '_' every character that the host's name lookups treat
// specially (space . | - tab " : ; , / \ < > ] [ { } ( ) '), then a leading
// decimal digit, in the names of lights, cameras, UV sets, groups, bones,
// materials and animations: "Key Light.01" becomes "Key_Light_01", "2nd(part)"
// becomes "_nd_part_". The narrow form is made again from the wide one.
void SanitizeNames(TVXScene& scene);

// The same rule for one name.
void SanitizeName(TVXString& name);

}  // namespace tvx
