#include "params/device_watch.h"

namespace vrl::params {

DeviceWatch& deviceWatch() {
    static DeviceWatch watch;
    return watch;
}

}  // namespace vrl::params
