#pragma once

#include "platform/text/translate.h"

// Two-point customer calibration of the output current: at the set point s the current
// m = s / gain - offset is measured.

// The current expected at set point s [A] under a calibration.
double KalibrierIstwert(double setPoint, double offset, double gain);

// Computes gain and offset from two measuring points into the edited record and switches the
// customer calibration on. Refuses (returns non-zero, record unchanged) when the points do not
// define a calibration: equal measured currents, or equal set points.
int KalibrierungAnwenden(double s1, double m1, double s2, double m2);

// Back to the factory calibration; gain, offset and set points stay in the record.
void KalibrierungZuruecksetzen();

inline constexpr const char* kKalibrierungUngueltig =
    VRL_TR_NOOP("Kalibrierung",
                "Die Messpunkte ergeben keine Kalibrierung: Sollströme und gemessene Ströme "
                "müssen sich unterscheiden.");
