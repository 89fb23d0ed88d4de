#include "params/datastate.h"

#include "params/panels.h"
#include "params/workspace.h"
#include "platform/text/translate.h"

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

std::string shownFileName() {
    const std::string& name = workspace().dateiname;
    return name == kUnbenannt ? VRL_TR("Datei", "Unbenannt") : fileNamePart(name);
}

}  // namespace vrl::params

int AlsGespeichertSetzen() {
    vrl::params::workspace().datenGeaendert = false;
    return 0;
}

int DatenAlsGeaendertMarkieren() {
    vrl::params::workspace().datenGeaendert = true;
    return 0;
}

int DateinameZuruecksetzen() {
    vrl::params::workspace().dateiname = kUnbenannt;
    return 0;
}

int PaneltitelAktualisieren() {
    const vrl::params::Workspace& ws = vrl::params::workspace();
    if (auto* panels = vrl::params::panels())
        panels->setTitle(ws.paneltitle + " - " + vrl::params::shownFileName());
    return 0;
}
