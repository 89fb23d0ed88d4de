// The curve preview in the main window follows the operator's edits and saves what it shows.

#include <qcustomplot.h>
#include <QDate>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QImage>
#include <QMainWindow>
#include <QRegularExpression>

#include "app/curve_preview.h"
#include "app/export_picture.h"
#include "app/par_main.h"
#include "app/shell.h"
#include "app_fixture.h"
#include "errors/popups.h"
#include "params/datastate.h"
#include "params/parametersatz.h"
#include "platform/gui/panels.h"

namespace {

class CurvePreviewTest : public PanelsTest {
  protected:
    void SetUp() override {
        PanelsTest::SetUp();
        preview = ParMain_GetMainpanel()->findChild<vrl::app::CurvePreview*>();
        ASSERT_NE(preview, nullptr);
    }
    vrl::PopupsGuard guard{popups};
    static QList<QPointF> points(const QCPGraph* graph) {
        QList<QPointF> list;
        for (const QCPGraphData& point : *graph->data()) list.append({point.key, point.value});
        return list;
    }
    QList<QPointF> drawn() const { return points(preview->curveSeries()); }

    vrl::app::CurvePreview* preview = nullptr;
};

TEST_F(CurvePreviewTest, FollowsTheEditsAndNotesAnEmptyCurve) {
    auto& ui = ParMain_Panel()->ui;
    // The default record: 1000 ms at 0 A, unlimited.
    EXPECT_EQ(drawn(), (QList<QPointF>{{0, 0}, {1000, 0}, {2000, 0}, {3000, 0}}));
    EXPECT_EQ(preview->cycleText(), QString::fromUtf8("× unbegrenzt, 1 s je Zyklus"));

    ui.PAR_STROM1->stepUp();  // 0.1 A, a commit like every step
    EXPECT_EQ(drawn(), (QList<QPointF>{{0, 0.1}, {1000, 0.1}, {2000, 0.1}, {3000, 0.1}}));
    EXPECT_TRUE(points(preview->refusedSeries()).isEmpty());

    // 4 A is more than the small measuring range delivers: marked, and the limit drawn.
    ui.PAR_STROM1->setValue(4.0);
    ui.PAR_MESSBEREICH->setCurrentIndex(0);
    emit ui.PAR_MESSBEREICH->activated(0);
    EXPECT_EQ(points(preview->refusedSeries()).size(), 4);
    EXPECT_EQ(points(preview->limitSeries()).front().y(), 0.409);
    EXPECT_TRUE(preview->noteText().contains(QString::fromUtf8("über der Grenze")))
        << qPrintable(preview->noteText());

    ui.PAR_ZEIT1->setValue(0.0);
    EXPECT_TRUE(drawn().isEmpty());
    EXPECT_TRUE(preview->noteText().startsWith("Keine Kurve: alle Zeiten sind 0 ms."))
        << qPrintable(preview->noteText());
}

TEST_F(CurvePreviewTest, SavesAsPngAndPdf) {
    const std::string base = std::filesystem::current_path().string() + "/kurve";
    popups.files = {base, base + ".pdf"};
    preview->askAndSave(vrl::app::CurvePreview::Format::Png);
    preview->askAndSave(vrl::app::CurvePreview::Format::Pdf);
    QFile png(QString::fromStdString(base + ".png")), pdf(QString::fromStdString(base + ".pdf"));
    ASSERT_TRUE(png.open(QIODevice::ReadOnly));
    EXPECT_TRUE(png.read(4).endsWith("PNG"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
}

// Fault caught: a long curve's time axis runs to "800.000" ms and its cycle to thousands of
// seconds.
TEST_F(CurvePreviewTest, ALongCurveIsDrawnOverSecondsAndMinutes) {
    struct Row {
        double zeit1;  // [ms], the only step
        const char* axis;
        double lastX;
        const char* cycle;
    };
    const Row rows[] = {
        {1000, "Zeit [ms]", 3000, "× unbegrenzt, 1 s je Zyklus"},
        {200000, "Zeit [s]", 600, "× unbegrenzt, 3 min 20 s je Zyklus"},
    };
    for (const auto& row : rows) {
        Parametersatz record = ws.parameter;
        record.zeit1 = row.zeit1;
        preview->showRecord(record);
        EXPECT_EQ(preview->timeAxis()->label(), row.axis);
        EXPECT_DOUBLE_EQ(drawn().back().x(), row.lastX) << row.zeit1;
        EXPECT_EQ(preview->cycleText().toStdString(), row.cycle);
    }
}

// Fault caught: an exported curve of a few hundred pixels without program name, cycle text or
// warnings, useless in a report; a PDF page no printer has (423 x 238 mm), a two-digit year.
TEST_F(CurvePreviewTest, ExportsCarryTitleNotesAndAPrintableSize) {
    Parametersatz record = ws.parameter;
    vrl::params::setName(record, "Dauerlauf");
    record.strom1 = 4.2;  // beyond the limit: a warning below the plot
    preview->showRecord(record);
    EXPECT_TRUE(preview->exportTitle().startsWith(
        QString::fromUtf8("Stromkurve A „Dauerlauf“, Datei „Unbenannt“, ")))
        << preview->exportTitle().toStdString();
    EXPECT_TRUE(preview->exportTitle().contains(QString::number(QDate::currentDate().year())));
    const QString png = QDir::current().filePath("kurve.png");
    const QString pdf = QDir::current().filePath("kurve.pdf");
    // The title carries the time of the export, which may pass a minute boundary meanwhile.
    const QString titleBefore = preview->exportTitle();
    ASSERT_TRUE(preview->save(vrl::app::CurvePreview::Format::Png, png));
    ASSERT_TRUE(preview->save(vrl::app::CurvePreview::Format::Pdf, pdf));
    const QString titleAfter = preview->exportTitle();
    EXPECT_EQ(QImage(png).size(), vrl::app::kExportSize);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    // A4 across: 297 x 210 mm in points.
    const auto box = QRegularExpression(R"(/MediaBox \[0 0 ([0-9.]+) ([0-9.]+)\])")
                         .match(QString::fromLatin1(text));
    ASSERT_TRUE(box.hasMatch());
    EXPECT_NEAR(box.captured(1).toDouble(), 297 * 72 / 25.4, 1.0);
    EXPECT_NEAR(box.captured(2).toDouble(), 210 * 72 / 25.4, 1.0);
    // The document's title, as PDF keeps it: UTF-16, high byte first.
    const auto utf16 = [](const QString& title) {
        QByteArray bytes;
        for (const QChar c : title) bytes.append(char(c.unicode() >> 8)).append(char(c.unicode()));
        return bytes;
    };
    EXPECT_TRUE(text.contains(utf16(titleBefore)) || text.contains(utf16(titleAfter)))
        << titleAfter.toStdString();
}

}  // namespace
