#pragma once

// The recording's plot, as the recorder's constructor builds it: its colours and graphs.

#include <QColor>
#include <QPen>
#include <QString>

class QCPAxis;
class QCPGraph;

namespace vrl::app {

inline const QColor kCurrentColour(0x1f, 0x5f, 0xbf);
inline const QColor kVoltageColour(0xd0, 0x70, 0x10);
inline const QColor kReferenceColour(0x80, 0x80, 0x80);
// Lines one pixel wide: a wider pen costs the plot hundreds of milliseconds a redraw once an
// hour of readings is in it (each pixel column a stroke from the lowest to the highest of its
// readings); one pixel wide, a few.
inline constexpr int kLineWidth = 1;

QCPGraph* addGraph(QCPAxis* x, QCPAxis* y, const QString& name, const QPen& pen);

}  // namespace vrl::app
