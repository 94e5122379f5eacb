#include "foundation/polygon3d.h"

namespace pax {

tPolygon3d::tPolygon3d(std::string_view name) : tOArray(name) { SetSize(sizeof(tVector3d)); }

void tPolygon3d::Done() {
    tOArray::Done();
    SetSize(sizeof(tVector3d));
}

std::string tPolygon3d::GetText() const { return Name() + std::to_string(Count()) + " points"; }

}  // namespace pax
