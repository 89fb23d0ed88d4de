#pragma once

// How the simulator learns that it is to end: SIGINT or SIGTERM on Linux, Ctrl+C or closing
// the console on Windows.

namespace sim {

class StopRequest {
  public:
    // Made before any thread starts: on Linux every thread then leaves the signals to it.
    StopRequest();
    ~StopRequest();
    StopRequest(const StopRequest&) = delete;
    StopRequest& operator=(const StopRequest&) = delete;

    // false when the signals cannot be taken (the reason is printed).
    bool ready() const { return handle_ >= 0; }
    // Blocks until the request comes.
    void wait();
    // The simulator ends itself (its log cannot be written); any thread may ask.
    static void requestFromWithin();

  private:
    long long handle_ = -1;
};

}  // namespace sim
