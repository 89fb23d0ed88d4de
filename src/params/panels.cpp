#include "params/panels.h"

namespace vrl::params {

namespace {
Panels* gPanels = nullptr;
}

void setPanels(Panels* panels) {
    gPanels = panels;
}
Panels* panels() {
    return gPanels;
}

}  // namespace vrl::params
