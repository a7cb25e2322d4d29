// SIGTERM, SIGINT and SIGHUP for the renderer on Linux: before the frame loop
// they end the process at once; in it they ask the loop to end in order.
#pragma once

namespace orvanth::window {

void watch_end_signals();
// The loop's first pass: from now on a signal is a request.
void loop_begun();
bool end_requested();

}  // namespace orvanth::window
