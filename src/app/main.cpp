#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <cstring>
#include <iostream>

#include "app/language.h"
#include "app/shell.h"
#include "app/user_folder.h"
#include "params/workspace.h"
#include "platform/gui/qt_popups.h"

namespace {

constexpr const char* kUsage =
    "usage: tkv9d-steuerung [--help | --version | [--user-folder] [FILE]]\n"
    "The operator's program for the TKV-9D current source; it keeps its settings in\n"
    "tkv9dSteuerung.ini in the folder it is started in. FILE, a parameter file (.tkv),\n"
    "is opened at start-up.\n"
    "  --help, -h     this text\n"
    "  --version      the program's name, version and licence\n"
    "  --user-folder  start in the user's own folder instead, made when missing:\n"
    "                 %APPDATA%\\TKV9DSteuerung on Windows, else $XDG_CONFIG_HOME/tkv9d\n"
    "                 (~/.config/tkv9d); the desktop's menu entry starts the program so.\n"
    "                 When it cannot be made or entered, the program says so and starts\n"
    "                 in the current folder.\n";

// --help and --version answer before any window or display is needed; every other argument
// goes on to Qt as before.
bool answeredOption(int argc, char** argv) {
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::cout << kUsage;
            return true;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::cout << "tkv9d-steuerung " << kProjectVersion << '\n' << kVersionNotice;
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (answeredOption(argc, argv)) return std::cout.flush() ? 0 : 1;
    // The program's data, installed before the line worker's thread starts.
    vrl::params::ScopedWorkspace workspace;
    QApplication application(argc, argv);
    QApplication::setApplicationName("tkv9d-steuerung");
    // The desktop's language for what is said before the settings file is found; without the
    // translations the texts stay German (Qt's dialogs English), the program works all the same.
    Sprache_Einstellen(vrl::gui::desktopLanguage());
    vrl::gui::QtPopups popups;
    // Qt has taken its own options out; what is left is ours and the file to open. The text
    // comes through QString, so a Windows file name arrives whole in UTF-8.
    bool inUserFolder = false;
    std::string startFile;
    const QStringList arguments = QApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments.at(i) == QStringLiteral("--user-folder")) {
            inUserFolder = true;
        } else if (startFile.empty()) {
            startFile = arguments.at(i).toStdString();
        }
    }
    if (inUserFolder) {
        if (const auto failure = vrl::app::enterUserFolder(startFile)) {
            const std::string text =
                *failure + " " +
                QCoreApplication::translate("Start", "Die Einstellungen liegen im Ordner „%1“.")
                    .arg(QDir::toNativeSeparators(QDir::currentPath()))
                    .toStdString();
            std::cerr << "tkv9d-steuerung: " << text << std::endl;
            popups.message("TKV-9D Steuerung", text);
        }
    }
    // The settings file of the folder the program runs in may name another language.
    Sprache_BeimStartEinstellen(kIniDatei);
    const int result = Func_Run(popups, startFile);
    // The settings are saved by now, so the new program starts in the language chosen, in this
    // folder, with the file this one was started with.
    if (result == 0 && Sprache_NeustartGewuenscht()) {
        QStringList again;
        if (inUserFolder) again << QStringLiteral("--user-folder");
        if (!startFile.empty()) again << QString::fromStdString(startFile);
        QProcess::startDetached(QCoreApplication::applicationFilePath(), again,
                                QDir::currentPath());
    }
    return result;
}
