#pragma once

// Takes the process from launch to the main window: creates the connection
// modules, opens the databases, then every data module and screen in their
// fixed order behind the progress screen. Answers whether the message loop
// may start; on any failure the operator has seen the not-found message and
// the end of the process was requested.
bool StartProgram();

// Destroys every module and screen start-up created, last first, and clears
// their process-wide references.
void DestroyProgram();

// The program from start to end, the one path its end takes: start-up, the
// main window and its message loop, until the operator, a screen or the
// desktop asks to end; then every module and screen is destroyed, the
// databases detached and the client shut down. Answers the exit status.
int RunProgram();
