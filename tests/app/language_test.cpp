#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QRegularExpression>
#include <QStringList>
#include <QTableView>
#include <functional>
#include <optional>

#include "app/com_main.h"
#include "app/device_compare.h"
#include "app/ini.h"
#include "app/language.h"
#include "app/par_main.h"
#include "app/recorder.h"
#include "app/shell.h"
#include "app/status_main.h"
#include "app/trace_window.h"
#include "app_fixture.h"
#include "connection/operation.h"
#include "errors/vrl_errors.h"
#include "params/datastate.h"
#include "params/parameter_panels.h"
#include "params/parameterfile.h"
#include "params/program.h"
#include "platform/gui/panels.h"

namespace {

using vrl::gui::Language;

// Words and letters only German texts hold; an English text with one of them is a text left
// untranslated.
const QRegularExpression kGerman(QStringLiteral(
    "[äöüÄÖÜß]|\\b(und|nicht|Fehler|Datei|Gerät|Programm|Programme|speichern|lesen|schreiben|"
    "wird|werden|ist|der|die|das|mit|vom|zum|Zeit|Strom|Adresse|Abbrechen|Zurück|Neu|Laden|Eintrag|"
    "Feld|keine)\\b"));

// Every text a widget shows or speaks: titles, labels, buttons, menu entries, items, column
// headings, tooltips and the names a screen reader reads; and the headings cut by a column
// narrower than they are (the last column stretches).
void collect(QWidget* widget, QStringList& texts, QStringList& cut) {
    texts << widget->windowTitle() << widget->toolTip() << widget->accessibleName()
          << widget->accessibleDescription();
    if (auto* label = qobject_cast<QLabel*>(widget)) texts << label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) texts << button->text();
    if (auto* group = qobject_cast<QGroupBox*>(widget)) texts << group->title();
    if (auto* menu = qobject_cast<QMenu*>(widget)) texts << menu->title();
    if (auto* box = qobject_cast<QComboBox*>(widget))
        for (int i = 0; i < box->count(); ++i) texts << box->itemText(i);
    if (auto* view = qobject_cast<QAbstractItemView*>(widget); view && view->model())
        for (int i = 0; i < view->model()->columnCount(); ++i)
            texts << view->model()->headerData(i, Qt::Horizontal).toString();
    if (auto* table = qobject_cast<QTableView*>(widget)) {
        const QHeaderView* header = table->horizontalHeader();
        for (int i = 0; i + 1 < header->count(); ++i)
            if (header->sectionSize(i) < header->sectionSizeHint(i))
                cut << table->model()->headerData(i, Qt::Horizontal).toString();
    }
    for (QAction* action : widget->actions()) texts << action->text() << action->toolTip();
}

// The windows are built by each walk, in its language.
class Languages : public AppTest {
  protected:
    void TearDown() override {
        IniText none = Ini_New(1);
        Sprache_ReadIni(none);  // the choice made by a walk goes with it
        Ini_Dispose(none);
        vrl::gui::uninstallLanguage();
        VRL_Fehlersprache(1);
        AppTest::TearDown();
    }

    vrl::PopupsGuard guard{popups};
    QStringList cut;  // column headings cut, in any walk

    // The program's windows, menus and popups in language (none: as installed now, for the
    // source texts).
    QStringList walk(std::optional<Language> language) {
        if (language) Sprache_Einstellen(*language);
        vrl::params::workspace().paneltitle = "TKV-9D Steuerung";
        EXPECT_EQ(Func_PanelsInitialisieren("V 1.2.3", "4/2011"), 0);
        QStringList texts;
        QWidget* main = ParMain_GetMainpanel();
        const QList<QWidget*> windows = {main,
                                         ComMain_Panel()->widget(),
                                         StatusMain_Panel()->widget(),
                                         ParMain_InfoPanel()->widget(),
                                         ParMain_KalibPanel()->widget(),
                                         ParMain_RenamePanel()->widget(),
                                         vrl::app::showTraceWindow(main),
                                         new vrl::app::CompareWindow(main)};
        for (QWidget* window : windows) {
            collect(window, texts, cut);
            for (QWidget* child : window->findChildren<QWidget*>())
                // The program list shows the entries' names: the operator's data.
                if (child != ParMain_Panel()->ui.PROGRAMMLISTE) collect(child, texts, cut);
        }
        // The popups: each answered "no" or cancelled, so that nothing goes to the device.
        const std::function<void()> raisePopups[] = {
            [] {
                vrl::params::workspace().datenGeaendert = true;
                ParMain_Panel()->ui.MENUMAIN_DATEI_NEU->trigger();
            },
            [main] {
                const bool english = vrl::gui::installedLanguage() == Language::English;
                const auto items = main->findChild<QMenu*>(QStringLiteral("SPRACHE"))->actions();
                items.at(english ? 1 : 2)->trigger();
            },
            [main] { vrl::app::compareWithDevice(main); },
            [] { VRL_Fehlerpopup(-300401); },
            [] {  // the plausibility check's list, before anything is asked
                Parametersatz& record = vrl::params::workspace().parameter;
                const Parametersatz kept = record;
                record.messbereich = 1;
                record.strom1 = 1.0;
                Prog_ProgrammeAufGeraetSchreiben();
                record = kept;
            },
            [this] {
                popups.answers.assign(3, 3);  // "abbrechen"
                Prog_ProgrammeAufGeraetSchreiben();
            },
            [this] {
                popups.answers.assign(3, 3);
                Prog_ProgrammeVonGeraetLesen();
            },
            [] {  // a program the save refuses
                Parametersatz& entry = vrl::params::workspace().prog[5];
                const Parametersatz kept = entry;
                entry.messbereich = 1;
                entry.strom1 = 1.0;
                DateiSpeichern(0);
                entry = kept;
            },
            // The questions before a read and before storing the working parameters.
            [] { ParMain_Panel()->ui.PROGLESEN->click(); },
            [] { ParMain_Panel()->ui.PROGRAMMSPEICHERN->click(); },
            [] {  // a value the write refuses, then a name the device reports back cut
                Parametersatz& entry = vrl::params::workspace().prog[9];
                const Parametersatz kept = entry;
                entry.strom1 = 1.0e6;
                Prog_ProgrammeAufGeraetSchreiben();
                entry = kept;
                setName(entry, "Dauerlauf 0,5 A Abschaltung");  // no listed word: it is data
                Prog_ProgrammeAufGeraetSchreiben();
                entry = kept;
            },
            [] {  // a recording not saved, before the next begins
                vrl::app::MeasurementRecorder* recorder = StatusMain_Recorder();
                recorder->append({0.0, 1.0, 2.0});
                recorder->setRecording(true);
            },
            [] { vrl::op::cancelled(-1, "-"); },
            [&texts] {  // a transaction without acknowledgement or answer in the log window
                vrl::app::TraceModel model(1);
                vrl::driver::TraceRecord record;
                record.acknowledgement = -1;
                record.outcome = -403165;
                model.append({record});
                for (int column = 0; column < model.columnCount(); ++column)
                    texts << model.data(model.index(0, column), Qt::DisplayRole).toString();
            },
            [&texts] {  // points that define no calibration
                Callback_Kalib_Buttons(KalibButton::Uebernehmen);
                texts << ParMain_KalibPanel()->ui.KALIBMELDUNG->text();
            },
        };
        for (const auto& raise : raisePopups) {
            popups.answers.assign(3, 2);
            raise();
        }
        for (const auto& shown : popups.shown) {
            texts << QString::fromStdString(shown.title) << QString::fromStdString(shown.text);
            for (const auto& button : shown.buttons) texts << QString::fromStdString(button);
        }
        popups.shown.clear();
        popups.answers.clear();
        vrl::params::workspace().datenGeaendert = false;
        Func_PanelsFreigeben();
        texts.removeAll(QString());
        return texts;
    }
};

// Catches a text of ours left German in the English program (not marked, or marked without a
// translation, Qt's German dialog texts kept), and, in German, a translator left over from the
// language before: the German walk must show the source texts exactly.
TEST_F(Languages, EnglishHoldsNoGermanWordAndGermanShowsTheSourceTexts) {
    const QStringList english = walk(Language::English);
    const QStringList german = walk(Language::German);
    const QStringList source = [this] {
        vrl::gui::uninstallLanguage();
        const GermanLocale numbers;  // as German as the German walk's
        return walk(std::nullopt);
    }();
    QStringList left;
    for (const QString& text : english)
        if (kGerman.match(text).hasMatch()) left << text;
    EXPECT_TRUE(left.isEmpty()) << left.join(QStringLiteral(" | ")).toStdString();
    EXPECT_TRUE(cut.isEmpty()) << cut.join(QStringLiteral(" | ")).toStdString();
    EXPECT_FALSE(english.filter(QStringLiteral("File not found")).isEmpty()) << "the catalogue";
    EXPECT_EQ(german.join(u'\n').toStdString(), source.join(u'\n').toStdString());
}

// Catches a restart left pending after the operator declined the quit it needs ("Abbrechen" to
// the unsaved data): a later quit would start the program again unasked.
TEST_F(Languages, RestartOnlyWhenTheQuitGoesAhead) {
    struct Row {
        int unsavedAnswer;  // 2 "Nein" (discard and quit), 3 "Abbrechen"
        bool restart;
    };
    const Row rows[] = {{3, false}, {2, true}};
    Sprache_Einstellen(Language::German);
    ASSERT_EQ(Func_PanelsInitialisieren("V 1.2.3", "4/2011"), 0);
    QAction* english = ParMain_GetMainpanel()->findChild<QMenu*>("SPRACHE")->actions().at(2);
    for (const auto& row : rows) {
        vrl::params::workspace().datenGeaendert = true;
        popups.answers = {1, row.unsavedAnswer};  // "Neu starten", then the unsaved data
        english->trigger();
        EXPECT_EQ(Sprache_NeustartGewuenscht(), row.restart) << row.unsavedAnswer;
    }
    vrl::params::workspace().datenGeaendert = false;
    Func_PanelsFreigeben();
}

}  // namespace
