// Files that tkv9d must not read or replace, the reasons it gives, and names from files.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

#include "cli_fixture.h"
#include "params/parameterfile.h"
#include "params/program.h"
#include "platform/files/replace_file.h"

namespace {

namespace fs = std::filesystem;

class Files : public CliTest {
  protected:
    void SetUp() override { line.addTkv('1'); }
    void TearDown() override {
        if (fifoWriter >= 0) ::close(fifoWriter);
        CliTest::TearDown();
    }

    // A pipe with bytes waiting and a writer, so that a reader that opens it does not hang.
    std::string fifo() {
        const std::string path = scratch() + "/fifo";
        EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
        fifoWriter = ::open(path.c_str(), O_RDWR | O_NONBLOCK);
        EXPECT_EQ(::write(fifoWriter, "[x]\n", 4), 4);
        return path;
    }

    int fifoWriter = -1;
};

// Faults caught: a write-protected file replaced (by its owner or by root); a pipe or a device
// read as a parameter file (it blocks, or never ends); a save failure without its reason.
TEST_F(Files, RefusedFilesAreLeftAsTheyWereAndTheReasonIsNamed) {
    const std::string kept = scratch() + "/kept.tkv";
    std::ofstream(kept) << "schon da";
    fs::permissions(kept, fs::perms(0444));
    fs::create_symlink("/dev/zero", scratch() + "/zero.tkv");
    const std::tuple<const char*, std::string, const char*> rows[] = {
        {"programs-read", kept, "kept.tkv: schreibgeschützt"},
        {"programs-read", "/dev/full", "/dev/full: Datenträger voll"},
        {"programs-write", fifo(), "fifo: keine gewöhnliche Datei"},
        {"programs-write", scratch() + "/zero.tkv", "zero.tkv: keine gewöhnliche Datei"},
        {"diff", scratch(), ": keine gewöhnliche Datei"},
    };
    for (const auto& [command, path, reason] : rows) {
        const auto r = tool({command, path});
        EXPECT_EQ(r.status, 1) << path;
        EXPECT_NE(r.err.find(reason), std::string::npos) << r.err;
    }
    std::ifstream in(kept);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "schon da");
}

// Fault caught: the settings reader blocking on a pipe or reading a device for ever.
TEST_F(Files, OnlyRegularFilesAreReadInChunks) {
    for (const std::string& path : {fifo(), std::string("/dev/zero"), scratch()}) {
        int chunks = 0;
        const auto read = [&](std::string_view) {
            if (++chunks > 4) throw std::runtime_error("read on and on");
        };
        EXPECT_EQ(files::readChunks(path, 64, read), files::ReadFailure::NotOpened) << path;
        EXPECT_EQ(chunks, 0) << path;
    }
}

// Fault caught: a name from a file that sends its escape sequence to the operator's terminal.
TEST_F(Files, NamesFromAFileReachTheTerminalEscaped) {
    vrl::params::setName(ws.prog[5], "Rot\x1b[31m\x9b");
    ASSERT_EQ(Datei_Schreiben(scratch() + "/f.tkv"), 0);
    const auto r = tool({"diff", scratch() + "/f.tkv"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Eintrag 5, Feld programmname: Datei \"Rot<0x1B>[31m<0x9B>\", TKV-9D "),
              std::string::npos)
        << r.out;
    EXPECT_EQ(r.out.find('\x1b'), std::string::npos);
}

}  // namespace
