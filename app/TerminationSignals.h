#pragma once

// Turns SIGTERM, SIGINT and SIGHUP (a log-out, a shutdown, Ctrl+C, a closed terminal) into a
// clean end: a running walk is cancelled, the windows close and the event loop quits as after
// Exit, so that a running pick stops after the batch in hand, main destroys the window and the
// window keeps what it would keep at any other end.
void quitOnTerminationSignals();
