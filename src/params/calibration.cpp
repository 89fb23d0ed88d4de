#include "params/calibration.h"

#include <cmath>

#include "params/panels.h"
#include "params/parametersatz.h"
#include "params/workspace.h"

double KalibrierIstwert(double setPoint, double offset, double gain) {
    return setPoint / gain - offset;
}

int KalibrierungAnwenden(double s1, double m1, double s2, double m2) {
    // Equal measured currents divide by zero; equal set points give gain 0 and no offset.
    if (m1 == m2 || s1 == s2) return -1;
    const double gain = (s2 - s1) / (m2 - m1);
    const double offset = s1 / gain - m1;
    if (!std::isfinite(gain) || !std::isfinite(offset)) return -1;
    Parametersatz& edited = vrl::params::workspace().parameter;
    edited.kundenkalibrierungAktiv = 1;
    edited.kalibriersollstrom1 = s1;
    edited.kalibriersollstrom2 = s2;
    edited.kalibrierungOffset = offset;
    edited.kalibrierungVerstaerkung = gain;
    if (auto* panels = vrl::params::panels()) panels->showCustomerCalibration(1);
    return 0;
}

void KalibrierungZuruecksetzen() {
    vrl::params::workspace().parameter.kundenkalibrierungAktiv = 0;
    if (auto* panels = vrl::params::panels()) panels->showCustomerCalibration(0);
}
