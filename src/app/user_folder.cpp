#include "app/user_folder.h"
#include "platform/text/translate.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

namespace vrl::app {

namespace {

std::string quoted(const QString& folder) {
    return "„" + QDir::toNativeSeparators(folder).toStdString() + "“";
}

}  // namespace

std::string userFolder() {
#ifdef _WIN32
    const QString base = qEnvironmentVariable("APPDATA");
    if (base.isEmpty()) return {};
    return QDir::toNativeSeparators(QDir(base).filePath(QStringLiteral("TKV9DSteuerung")))
        .toStdString();
#else
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    // A relative one is no base folder: it would name another place after the change of folder.
    if (base.isEmpty() || QDir::isRelativePath(base)) {
        const QString home = qEnvironmentVariable("HOME");
        if (home.isEmpty()) return {};
        base = QDir(home).filePath(QStringLiteral(".config"));
    }
    return QDir(base).filePath(QStringLiteral("tkv9d")).toStdString();
#endif
}

std::optional<std::string> enterUserFolder(std::string& startFile) {
    if (!startFile.empty())
        startFile = QDir::toNativeSeparators(
                        QFileInfo(QString::fromStdString(startFile)).absoluteFilePath())
                        .toStdString();
    const QString folder = QString::fromStdString(userFolder());
#ifdef _WIN32
    if (folder.isEmpty())
        return VRL_TR("Start", "Kein Benutzerordner: die Umgebungsvariable APPDATA fehlt.");
#else
    if (folder.isEmpty())
        return VRL_TR("Start", "Kein Benutzerordner: die Umgebungsvariable HOME fehlt.");
#endif
    if (!QDir().mkpath(folder))
        return vrl::text::fill(VRL_TR("Start", "Der Ordner %1 lässt sich nicht anlegen."),
                               {quoted(folder)});
    if (!QDir::setCurrent(folder))
        return vrl::text::fill(VRL_TR("Start", "Der Ordner %1 lässt sich nicht öffnen."),
                               {quoted(folder)});
    return std::nullopt;
}

}  // namespace vrl::app
