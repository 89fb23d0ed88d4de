// A parameter file against the device (diff, and the read-back of programs-write --verify), and
// the curve of a file's entry for scripts.

#include <algorithm>
#include <array>
#include <ostream>

#include "cli/cli.h"
#include "params/compare.h"
#include "params/curve.h"
#include "params/parameterfile.h"
#include "params/program.h"
#include "platform/text/language.h"
#include "platform/text/translate.h"

namespace cli {

namespace {

constexpr int kFirstEntry = 0;
constexpr int kLastEntry = vrl::params::kTableSize - 1;

// The device holds other values than the file or the write: message 509 "Wert auserhalb der
// Toleranz.", after the differences have been listed.
constexpr int kVerifyDiffers = -509710;
constexpr int kDiffDiffers = -509711;

using Table = std::array<Parametersatz, vrl::params::kTableSize>;

// Reads the whole table from the device into the workspace and lists what differs from
// `expected`.
int readAndCompare(Context& ctx, const Table& expected, std::string_view side, int differs) {
    if (int code = Prog_ProgrammeLesen(kFirstEntry, kLastEntry); code != 0) return code;
    const auto differences = vrl::params::compareTables(expected, vrl::params::workspace().prog);
    for (const auto& difference : differences)
        ctx.out << vrl::params::differenceText(difference, side) << '\n';
    return differences.empty() ? 0 : differs;
}

int diff(Context& ctx, const std::vector<std::string>& args) {
    Prog_Initialisieren();
    if (int code = Datei_Lesen(args[0]); code != 0) return code;
    const Table file = vrl::params::workspace().prog;
    ctx.interruptNote = VRL_TR("tkv9d", "Das Gerät hat seine Arbeitsparameter zurück.");
    return connected(
        ctx, [&] { return readAndCompare(ctx, file, VRL_TR("tkv9d", "Datei"), kDiffDiffers); });
}

int entryOf(const std::string& text) {
    if (text == "A" || text == "a") return 0;
    const long long entry = parseInteger(text, "--entry");
    if (entry < 1 || entry > kLastEntry)
        throw UsageError{VRL_TR("tkv9d", "--entry muss A oder 1..16 sein")};
    return static_cast<int>(entry);
}

int curve(Context& ctx, const std::vector<std::string>& args) {
    const auto option = ctx.options.value("--entry");
    const int entry = option ? entryOf(*option) : 0;
    Prog_Initialisieren();
    if (int code = Datei_Lesen(args[0]); code != 0) return code;
    const vrl::params::Curve curve =
        vrl::params::curveOf(vrl::params::workspace().prog[static_cast<std::size_t>(entry)]);
    ctx.out << vrl::params::curveCsv(curve);
    // What the plot says beside the points goes to stderr, so that stdout stays plain CSV.
    if (!curve.note.empty()) ctx.err << VRL_TR("tkv9d", "Hinweis: ") << curve.note << '\n';
    for (const auto& refused : curve.refused)
        ctx.err << VRL_TR("tkv9d", "Hinweis: ") << vrl::params::refusalText(refused) << '\n';
    return 0;
}

constexpr CommandOption kCurveOptions[] = {{"--entry", true}};

constexpr Command kCommands[] = {
    {"diff", "FILE", 1, diff, true},
    // Reads only the file: it never opens the port.
    {"curve", "FILE [--entry A|1..16]", 1, curve, true, kCurveOptions},
};

}  // namespace

int verifyTable(Context& ctx, std::span<const Parametersatz> written) {
    Table expected;
    std::copy(written.begin(), written.end(), expected.begin());
    return readAndCompare(ctx, expected, "geschrieben", kVerifyDiffers);
}

std::span<const Command> verifyCommands() {
    return kCommands;
}

}  // namespace cli
