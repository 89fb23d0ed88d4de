#include "cli/progress.h"

#include <cmath>
#include <ostream>

#include "platform/text/language.h"
#include "platform/text/translate.h"

namespace cli {

namespace {

const CommandProgress* gProgress = nullptr;

// Carriage return and "erase to end of line": the next step overwrites the last one.
constexpr const char* kRewrite = "\r\x1b[K";

}  // namespace

CommandProgress::CommandProgress(std::ostream& err, bool draw) : err_(err), draw_(draw) {
    vrl::op::setHost(this);
    gProgress = this;
}

CommandProgress::~CommandProgress() {
    clearLine();
    vrl::op::setHost(nullptr);
    gProgress = nullptr;
}

void CommandProgress::begin(std::string_view, vrl::op::Kind) {
    done_ = 0;
    total_ = 0;
    started_ = std::chrono::steady_clock::now();
}

void CommandProgress::end() {
    clearLine();
}

void CommandProgress::progress(std::string_view step, int done, int total) {
    done_ = done;
    total_ = total;
    if (!draw_) return;
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - started_);
    err_ << kRewrite << step << " – " << timeLeft(elapsed, done, total) << std::flush;
    drawn_ = true;
}

void CommandProgress::clearLine() {
    if (!drawn_) return;
    err_ << kRewrite << std::flush;
    drawn_ = false;
}

const CommandProgress* commandProgress() {
    return gProgress;
}

std::string timeLeft(std::chrono::milliseconds elapsed, int done, int total) {
    if (done <= 0) return VRL_TR("tkv9d", "Restzeit wird ermittelt …");
    const double left = static_cast<double>(elapsed.count()) / done * (total - done) / 1000.0;
    return vrl::text::fill(VRL_TR("tkv9d", "Noch etwa %1 s"),
                           {std::to_string(static_cast<int>(std::ceil(left)))});
}

}  // namespace cli
