#pragma once

// Support for the GUI test programs. One QApplication for all tests of a program: created
// before the first test and deleted after the last, so no widget outlives it (link qt_app.cpp).

#include <QString>
#include <ostream>

class QApplication;

namespace vrl::test {

QApplication& qtApp();

}  // namespace vrl::test

// Failure messages show a QString as text, not as a list of UTF-16 units.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
