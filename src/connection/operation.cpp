#include "connection/operation.h"

#include "errors/popups.h"
#include "platform/text/translate.h"

namespace vrl::op {

namespace {

// The one mutable datum of this file at namespace scope: which operations are installed. The
// free functions are called by name from the device operations, the panels and the line's
// views, which have no object to hand them.
std::atomic<Operations*> gInstalled{nullptr};

}  // namespace

Operations& operations() {
    static Operations fallback;
    Operations* installed = gInstalled.load();
    return installed ? *installed : fallback;
}

void setOperations(Operations* installed) {
    gInstalled.store(installed);
}

void setHost(Host* host) {
    operations().setHost(host);
}

bool Operations::begin(std::string_view title, Kind kind) {
    if (depth_ > 0) return false;
    ++depth_;
    kind_ = kind;
    title_ = title;
    howFar_.clear();
    cancel_ = false;
    if (host_) host_->begin(title, kind);
    return true;
}

void Operations::end() {
    if (host_) host_->end();
    --depth_;
    // A stop asked for this operation must not stop the next call made without one.
    cancel_ = false;
    // After the end, so the report is not shown over a busy window.
    if (!howFar_.empty()) {
        const std::string text = std::move(howFar_);
        howFar_.clear();
        popups().message(title_, text);
    }
    if (host_ && depth_ == 0) host_->idle();
}

const std::string& Operations::title() const {
    static const std::string none;
    return depth_ > 0 ? title_ : none;
}

int Operations::onLine(const std::function<int()>& work) {
    ++lineWork_;
    return host_ ? host_->onLine(work) : work();
}

void Operations::progress(std::string_view step, int done, int total) {
    if (host_) host_->progress(step, done, total);
}

int Operations::cancelled(int code, std::string howFar) {
    if (depth_ > 0)
        howFar_ = std::move(howFar);
    else
        popups().message(VRL_TR("Vorgang", "Abgebrochen"), howFar);
    return code;
}

Operation::Operation(std::string_view title, Kind kind) {
    Operations& current = operations();
    if (current.begin(title, kind)) operations_ = &current;
}

Operation::~Operation() {
    if (operations_) operations_->end();
}

bool running() {
    return operations().running();
}

bool busy() {
    return operations().busy();
}

bool background() {
    return operations().background();
}

const std::string& title() {
    return operations().title();
}

int onLine(const std::function<int()>& work) {
    return operations().onLine(work);
}

unsigned long lineWorkCount() {
    return operations().lineWorkCount();
}

void progress(std::string_view step, int done, int total) {
    operations().progress(step, done, total);
}

void requestCancel() {
    operations().requestCancel();
}

bool cancelRequested() {
    return operations().cancelRequested();
}

int cancelled(int code, std::string howFar) {
    return operations().cancelled(code, std::move(howFar));
}

}  // namespace vrl::op
