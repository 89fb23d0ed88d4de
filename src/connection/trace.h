#pragma once

// The protocol trace as the windows see it: the records of the transactions on the line and
// their texts. The driver makes them; the trace window shows them through this header only.

#include "driver/trace.h"

namespace vrl::com {

using driver::setTraceSink;
using driver::TraceRecord;
using driver::TraceSink;

using driver::acknowledgementText;
using driver::answerText;
using driver::durationText;
using driver::outcomeText;
using driver::readableBytes;
using driver::traceLine;
using driver::traceTimeText;

}  // namespace vrl::com
