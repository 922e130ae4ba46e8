// Keeping units' events away from the application while windows are half
// built (system services 2009, 2010 and 2018).
#pragma once

namespace runtime::forms {

// Dispatches every message waiting in the thread's queue, offering each to
// the loaded windows' message filters first as the run loop does. A quit
// message ends the processing and is posted again for the loop.
void ProcessPendingMessages();

// Processes pending messages, then raises the event-suppression counter.
void SuspendEvents();

// Processes pending messages, then lowers the counter, never below 0.
void ResumeEvents();

}  // namespace runtime::forms
