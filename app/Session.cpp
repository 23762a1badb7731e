#include "app/Session.h"

namespace lumitag::app {

Session::Session(HidBackend& backend, Sleeper& sleeper, Reporter& reporter, SendWorker::TimeSource timeSource)
    : reporter_(reporter),
      link_(backend, &reporter, &sleeper),
      worker_(link_, sleeper, SendWorker::DefaultLogPath(), std::move(timeSource)),
      files_(program_, settings_)
{
    settings_.SetReporter(&reporter);
    program_.SetReporter(&reporter);
    groups_.SetReporter(&reporter);
}

}  // namespace lumitag::app
