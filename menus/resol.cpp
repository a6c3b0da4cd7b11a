#include "menus/resol.h"

#include "toolkit/services.h"

namespace zelk::resol {

void switchDisplay(tk::Services& services) {
    services.requestDisplayMode(kWidth, kHeight);
}

}  // namespace zelk::resol
