#include "connection/operation.h"

#include <atomic>

#include "errors/popups.h"
#include "platform/text/translate.h"

namespace vrl::op {

namespace {

Host* gHost = nullptr;
int gDepth = 0;
Kind gKind = Kind::Operator;
std::string gTitle;
std::string gHowFar;  // a cancelled operation's report, shown when it ends
// Set by the operator's thread, read between steps.
std::atomic<bool> gCancel{false};
std::atomic<unsigned long> gLineWork{0};

}  // namespace

void setHost(Host* host) {
    gHost = host;
}

Operation::Operation(std::string_view title, Kind kind) {
    if (gDepth > 0) return;
    started_ = true;
    ++gDepth;
    gKind = kind;
    gTitle = title;
    gHowFar.clear();
    gCancel = false;
    if (gHost) gHost->begin(title, kind);
}

Operation::~Operation() {
    if (!started_) return;
    if (gHost) gHost->end();
    --gDepth;
    // A stop asked for this operation must not stop the next call made without one.
    gCancel = false;
    // After the end, so the report is not shown over a busy window.
    if (!gHowFar.empty()) {
        const std::string text = std::move(gHowFar);
        gHowFar.clear();
        popups().message(gTitle, text);
    }
    if (gHost && gDepth == 0) gHost->idle();
}

bool running() {
    return gDepth > 0;
}

bool busy() {
    return gDepth > 0 && gKind == Kind::Operator;
}

bool background() {
    return gDepth > 0 && gKind == Kind::Background;
}

const std::string& title() {
    static const std::string none;
    return gDepth > 0 ? gTitle : none;
}

int onLine(const std::function<int()>& work) {
    ++gLineWork;
    return gHost ? gHost->onLine(work) : work();
}

unsigned long lineWorkCount() {
    return gLineWork;
}

void progress(std::string_view step, int done, int total) {
    if (gHost) gHost->progress(step, done, total);
}

void requestCancel() {
    gCancel = true;
}

bool cancelRequested() {
    return gCancel;
}

int cancelled(int code, std::string howFar) {
    if (gDepth > 0)
        gHowFar = std::move(howFar);
    else
        popups().message(VRL_TR("Vorgang", "Abgebrochen"), howFar);
    return code;
}

}  // namespace vrl::op
