#include "params/datastate.h"

#include "params/panels.h"
#include "platform/text/translate.h"

std::string gDateiname = kUnbenannt;
bool gDatenGeaendert = false;
std::string gPaneltitle = "TKV-9D Steuerung";

namespace vrl::params {

// Both separators count: a file name may come from an operator who thinks in drive letters.
std::string fileNamePart(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string directoryPart(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace vrl::params

int AlsGespeichertSetzen() {
    gDatenGeaendert = false;
    return 0;
}

int DatenAlsGeaendertMarkieren() {
    gDatenGeaendert = true;
    return 0;
}

int DateinameZuruecksetzen() {
    gDateiname = kUnbenannt;
    return 0;
}

int PaneltitelAktualisieren() {
    if (auto* panels = vrl::params::panels())
        panels->setTitle(gPaneltitle + " - " +
                         (gDateiname == kUnbenannt ? VRL_TR("Datei", "Unbenannt")
                                                   : vrl::params::fileNamePart(gDateiname)));
    return 0;
}
