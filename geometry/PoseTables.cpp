#include "geometry/PoseTables.h"

namespace tvx {

PoseTables& ImporterPoseTables() {
    static PoseTables tables;
    return tables;
}

}  // namespace tvx
