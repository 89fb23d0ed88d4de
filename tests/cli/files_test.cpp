// Files that tkv9d must not read or replace, and the reasons it gives.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "cli_fixture.h"
#include "params/parameterfile.h"
#include "params/program.h"
#include "platform/files/replace_file.h"

namespace {

namespace fs = std::filesystem;

std::string contentOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class Files : public CliTest {
  protected:
    void SetUp() override {
        line.addTkv('1');
        char pattern[] = "/tmp/tkv9d-files-XXXXXX";
        dir = ::mkdtemp(pattern);
    }
    void TearDown() override {
        if (fifoWriter >= 0) ::close(fifoWriter);
        fs::remove_all(dir);
        CliTest::TearDown();
    }

    std::string dir;
    int fifoWriter = -1;
};

// Faults caught: a write-protected file replaced (by its owner or by root); a pipe or a device
// read as a parameter file (it blocks, or never ends); a save failure without its reason.
TEST_F(Files, RefusedFilesAreLeftAsTheyWereAndTheReasonIsNamed) {
    const std::string kept = dir + "/kept.tkv";
    { std::ofstream(kept) << "schon da"; }
    fs::permissions(kept, fs::perms(0444));
    const std::string fifo = dir + "/fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // A writer with some bytes waiting, so that a reader that opens the pipe does not hang.
    fifoWriter = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_EQ(::write(fifoWriter, "TKV", 3), 3);
    fs::create_symlink("/dev/zero", dir + "/zero.tkv");
    struct Row {
        const char* command;
        std::string path;
        const char* reason;
    };
    const Row rows[] = {
        {"programs-read", kept, "kept.tkv: schreibgeschützt"},
        {"programs-read", "/dev/full", "/dev/full: Datenträger voll"},
        {"programs-write", fifo, "fifo: keine gewöhnliche Datei"},
        {"programs-write", dir + "/zero.tkv", "zero.tkv: keine gewöhnliche Datei"},
        {"diff", dir, ": keine gewöhnliche Datei"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path);
        line.clearFrames();
        const auto r = tool({row.command, row.path});
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find(row.reason), std::string::npos) << r.err;
        if (std::string(row.command) != "programs-read") {
            EXPECT_TRUE(line.frames().empty());
        }
    }
    EXPECT_EQ(contentOf(kept), "schon da");
}

// Fault caught: the settings reader blocking on a pipe or reading a device for ever.
TEST_F(Files, OnlyRegularFilesAreReadInChunks) {
    const std::string fifo = dir + "/fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fifoWriter = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_EQ(::write(fifoWriter, "[x]\n", 4), 4);
    for (const std::string& path : {fifo, std::string("/dev/zero"), dir}) {
        int chunks = 0;
        const auto result = files::readChunks(path, 64, [&](std::string_view) {
            if (++chunks > 4) throw std::runtime_error("read on and on");
        });
        EXPECT_EQ(result, files::ReadFailure::NotOpened) << path;
        EXPECT_EQ(chunks, 0) << path;
    }
}

// Fault caught: a name from a file that sends its escape sequence to the operator's terminal.
TEST_F(Files, NamesFromAFileReachTheTerminalEscaped) {
    const std::string file = dir + "/f.tkv";
    Prog_Initialisieren();
    vrl::params::setName(gProg[5], "Rot\x1b[31m\x9b");
    ASSERT_EQ(Datei_Schreiben(file), 0);
    const auto r = tool({"diff", file});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Eintrag 5, Feld programmname: Datei \"Rot<0x1B>[31m<0x9B>\", TKV-9D "),
              std::string::npos)
        << r.out;
    EXPECT_EQ(r.out.find('\x1b'), std::string::npos);
}

}  // namespace
