// Icons: pictures drawn from simple shapes at each size. Replaced by the icon data.
#include "res/install_resources.h"

namespace res {

const IconDef* FindIcon(UINT) { return nullptr; }

}  // namespace res
