#include "params/parameterfile.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string_view>

#include "errors/popups.h"
#include "errors/vrl_errors.h"
#include "params/datastate.h"
#include "params/program.h"
#include "params/transfer_check.h"
#include "platform/files/replace_file.h"
#include "platform/files/system_path.h"
#include "platform/text/translate.h"

namespace {

using namespace vrl::params;

constexpr int kCancelled = -6000;
constexpr std::size_t kVersionOffset = 32;
constexpr const char* kPattern = "*.tkv";

using FileImage = std::array<std::uint8_t, kFileSize>;

FileImage imageOfTable(const ProgramTable& table) {
    FileImage image{};
    std::memcpy(image.data(), kFileIdentifier, std::strlen(kFileIdentifier) + 1);
    const std::int32_t version = kFileVersion;
    std::memcpy(image.data() + kVersionOffset, &version, sizeof version);
    for (std::size_t i = 0; i < table.size(); ++i) {
        const RecordImage record = imageOf(table[i]);
        std::memcpy(image.data() + kRecordsOffset + i * kRecordSize, record.data(), kRecordSize);
    }
    return image;
}

// The system's reason for a failed save, in the operator's words where they are common.
std::string saveReason(const std::string& path, int error) {
    switch (error) {
        case EACCES:
        case EPERM:
        case EROFS:
            return path + VRL_TR("Datei", ": schreibgeschützt");
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return path + VRL_TR("Datei", ": Datenträger voll");
        case ENOENT:
        case ENOTDIR:
            return path + VRL_TR("Datei", ": Ordner nicht vorhanden");
        case EISDIR:
            return path + VRL_TR("Datei", ": ist ein Ordner, keine Datei");
        default:
            return path + ": " + std::strerror(error);
    }
}

// A failure that may have left the target incomplete says so: it happens only where the
// folder took no new file and the target had to be overwritten directly.
int writeReplacing(const std::string& path, const FileImage& image) {
    const files::SaveResult saved = files::replaceFile(
        path, std::string_view(reinterpret_cast<const char*>(image.data()), image.size()));
    if (saved.failure == files::SaveFailure::None) return 0;
    std::string reason = saveReason(path, saved.error);
    if (saved.failure == files::SaveFailure::PartlyWritten)
        reason += "\n" + VRL_TR("Datei",
                                "Im Ordner ließ sich keine neue Datei anlegen; die Datei wurde "
                                "direkt überschrieben und ist jetzt unvollständig.");
    VRL_Fehleruserstring(reason);
    const bool replacing = saved.failure == files::SaveFailure::NotReplaced ||
                           saved.failure == files::SaveFailure::PartlyWritten;
    return replacing ? -301402 : -301401;
}

std::string chooseFile(vrl::Popups::FileMode mode, const std::string& title) {
    const auto chosen =
        vrl::popups().selectFile(mode, title, directoryPart(workspace().dateiname), kPattern);
    return chosen ? *chosen : std::string();
}

// The program list's name for an entry: "A" for the working parameters, n for program n.
}  // namespace

int Datei_Schreiben(const std::string& path) {
    if (int code = writeReplacing(path, imageOfTable(workspace().prog)); code != 0) return code;
    workspace().dateiname = path;
    PaneltitelAktualisieren();
    AlsGespeichertSetzen();
    return 0;
}

int Datei_Lesen(const std::string& path) {
    bool notRegular = false;
    std::FILE* file = files::openRegular(path, notRegular);
    if (!file) {
        if (notRegular)
            VRL_Fehleruserstring(
                path + VRL_TR("Datei", ": keine gewöhnliche Datei (Ordner, Pipe oder Gerät)"));
        return -308404;
    }
    FileImage image{};
    const auto closeWith = [&](int code) {
        std::fclose(file);
        return code;
    };
    if (std::fread(image.data(), 1, kHeaderSize, file) != kHeaderSize) return closeWith(-304411);
    if (std::memcmp(image.data(), kFileIdentifier, std::strlen(kFileIdentifier) + 1) != 0)
        return closeWith(-302406);
    std::int32_t version = 0;
    std::memcpy(&version, image.data() + kVersionOffset, sizeof version);
    if (version != kFileVersion) {
        std::fclose(file);
        VRL_Fehleruserstring(
            vrl::text::fill(VRL_TR("Datei", "erwartet: V %1\ngefunden: V %2"),
                            {std::to_string(kFileVersion), std::to_string(version)}));
        return -303407;
    }
    if (std::fseek(file, 0, SEEK_SET) != 0) return closeWith(-304412);
    if (std::fread(image.data(), 1, kFileSize, file) != kFileSize) return closeWith(-304405);
    std::fclose(file);
    Workspace& ws = workspace();
    for (std::size_t i = 0; i < ws.prog.size(); ++i) {
        const std::uint8_t* record = image.data() + kRecordsOffset + i * kRecordSize;
        ws.prog[i] = recordFrom(std::span<const std::uint8_t, kRecordSize>(record, kRecordSize));
        // A name without its terminator is cut, so that nothing reads past the field.
        ws.prog[i].programmname[kNameSize - 1] = '\0';
    }
    ws.dateiname = path;
    PaneltitelAktualisieren();
    AlsGespeichertSetzen();
    ProgrammverwaltungNachDateiLaden();
    return 0;
}

int DateiSpeichern(int saveAs) {
    const Workspace& ws = workspace();
    for (int i = 0; i < kTableSize; ++i) {
        if (Prog_Plausibilitaetspruefung(&ws.prog[static_cast<std::size_t>(i)]) != 0) {
            vrl::popups().message(
                VRL_TR("Datei", "Fehler im Prüfprogramm"),
                vrl::text::fill(
                    VRL_TR("Datei", "Fehler in Programm %1.\nDatei wurde nicht gespeichert."),
                    {vrl::params::entryLabel(i)}));
            return kCancelled;
        }
    }
    std::string target = ws.dateiname;
    if (saveAs != 0 || ws.dateiname == kUnbenannt) {
        target = chooseFile(vrl::Popups::FileMode::Save, VRL_TR("Datei", "Speichern"));
        if (target.empty()) return kCancelled;
    }
    if (int code = ProgrammverwaltungVorDateiSpeichern(); code != 0) return code;
    return Datei_Schreiben(target);
}

int DateiOeffnen() {
    const std::string path = chooseFile(vrl::Popups::FileMode::Open, VRL_TR("Datei", "Öffnen"));
    if (path.empty()) return kCancelled;
    return DateiOeffnenPfad(path);
}

int DateiOeffnenPfad(const std::string& path) {
    std::error_code ec;
    const auto name = files::systemPath(path);
    if (!name || !std::filesystem::exists(*name, ec)) return -308403;
    return Datei_Lesen(path);
}

int AbfrageWennNichtGespeichert() {
    if (!workspace().datenGeaendert) return 0;
    const std::string text = vrl::text::fill(
        VRL_TR("Datei", "Möchten Sie die Änderungen in %1 speichern?"), {shownFileName()});
    switch (vrl::popups().questionWithKeys(VRL_TR("Datei", "Datei speichern"), text,
                                           VRL_TR("Datei", "Ja"), VRL_TR("Datei", "Nein"),
                                           VRL_TR("Datei", "Abbrechen"), 1, 3)) {
        case 1: {
            const int code = DateiSpeichern(0);
            if (code == 0) return 0;
            VRL_Fehlerpopup(code);
            return 1;
        }
        case 2:
            return 0;
        default:
            return 1;
    }
}
