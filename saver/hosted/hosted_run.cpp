#include "saver/hosted/hosted_run.h"

namespace orvanth::hosted {
namespace {

HostedRun the_run;  // module state, set once by the program's entry

}  // namespace

void set_hosted_run(const HostedRun& run) { the_run = run; }
const HostedRun& hosted_run() { return the_run; }
bool is_hosted() { return the_run.window.has_value(); }

}  // namespace orvanth::hosted
