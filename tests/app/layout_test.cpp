// The windows' room on a small screen: what the operator asks for he gets, and keeps.

#include <QMainWindow>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTest>
#include <string>

#include "app/par_main.h"
#include "app/recorder.h"
#include "app/shell.h"
#include "app/status_main.h"
#include "app_fixture.h"
#include "platform/gui/panels.h"

#include <qcustomplot.h>

namespace {

class Layout : public PanelsTest {
  protected:
    static QSplitter* showStatusWindow() {
        QMainWindow* window = StatusMain_Panel()->widget();
        window->resize(1300, 680);  // a 768 px screen less the task bar, the title and a margin
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window, 2000));
        return window->findChild<QSplitter*>("STATUS_TEILER");
    }
};

// Fault caught: the recording's plot stays 100 px high under the hdx-4 table on a 768 px
// screen, or the room the operator gives it is gone at the next start.
TEST_F(Layout, TheRecordingGetsTheRoomAskedForAndKeepsIt) {
    QSplitter* split = showStatusWindow();
    ASSERT_NE(split, nullptr);
    split->setSizes({1, 10000});
    emit split->splitterMoved(1, 1);
    QTest::qWait(0);  // the layout's queued pass
    EXPECT_GE(StatusMain_Recorder()->view()->height(), 250);
    const int height = split->sizes().value(1);
    ASSERT_EQ(Func_IniDateiSchreiben(), 0);
    EXPECT_NE(settings().find("aufzeichnung = " + std::to_string(height)), std::string::npos)
        << settings();

    Func_PanelsFreigeben();
    ASSERT_EQ(Func_PanelsInitialisieren("V 1.2.3", "4/2011"), 0);
    Func_IniDateiLaden();
    split = showStatusWindow();
    QTest::qWait(0);  // the height is applied once the window is laid out
    EXPECT_NEAR(split->sizes().value(1), height, 8);
}

// Fault caught: the curve preview, its cycle text and "Als PDF speichern..." cut off behind a
// horizontal scroll bar on a narrow screen while room is free elsewhere.
TEST_F(Layout, OnANarrowScreenThePreviewMovesBeforeAnythingIsCut) {
    QMainWindow* window = ParMain_GetMainpanel();
    auto* scroller = window->findChild<QScrollArea*>("DECORATION_scroller");
    ASSERT_NE(scroller, nullptr);
    for (const int width : {1000, 1600, 1000}) {
        window->resize(width, 700);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window, 2000));
        QTest::qWait(0);
        EXPECT_FALSE(scroller->horizontalScrollBar()->isVisible()) << width;
        QWidget* pdf = window->findChild<QWidget*>("KURVENVORSCHAU_PDF");
        EXPECT_TRUE(pdf->visibleRegion().boundingRect().width() == pdf->width()) << width;
    }
}

}  // namespace
