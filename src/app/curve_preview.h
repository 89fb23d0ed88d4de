#pragma once

// The preview beside the main window's parameter fields: the current the device will deliver
// over time for the record shown, the cycle count, the measuring range's limit and the values
// the device would refuse. It can be saved as PNG and PDF.

#include <QString>
#include <QWidget>

#include "params/curve.h"

class QBoxLayout;
class QCPAxis;
class QCPGraph;
class QCustomPlot;
class QLabel;

namespace vrl::app {

class CurvePreview : public QWidget {
    Q_OBJECT

  public:
    explicit CurvePreview(QWidget* parent = nullptr);

    // Draws the record's curve; cheap enough to run on every step of a spin box.
    void showRecord(const Parametersatz& record);

    enum class Format { Png, Pdf };
    // Asks for a file name (through the popup service) and saves the plot there.
    void askAndSave(Format format);
    bool save(Format format, const QString& path);

    // In a narrow column: a smaller plot, the buttons one above the other.
    void setNarrow(bool narrow);

    // What is drawn, for the tests.
    QCPGraph* curveSeries() const { return curve_; }
    QCPGraph* refusedSeries() const { return refused_; }
    QCPGraph* limitSeries() const { return limit_; }
    QCPAxis* timeAxis() const { return time_; }
    QString cycleText() const;
    QString noteText() const;
    // Above the saved picture: entry, program name, file and the time of saving.
    QString exportTitle() const;
    // Under the saved picture: the record's values the curve is drawn from.
    QString valuesText() const;

  private:
    QCustomPlot* view_;
    QCPGraph* limit_;
    QCPGraph* curve_;
    QCPGraph* refused_;
    QCPAxis* time_;
    QCPAxis* current_;
    QLabel* cycles_;
    QLabel* notes_;
    QBoxLayout* buttons_;
    bool narrow_ = false;
    QString name_;           // the program name of the record shown
    Parametersatz shown_{};  // the record shown
};

}  // namespace vrl::app
