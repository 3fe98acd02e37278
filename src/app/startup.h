#pragma once

namespace lamira {

// The process entry of the program:
//   lamira [--database PATH | --database postgresql://user@host:port/db]
//          [--quit-after MS] [--open-job JOB.json]
// Opens the one database (Orders.mdb beside the program by default, created
// when missing), creates the windows and runs until the main window closes.
// A database that cannot be opened is reported in a message box and on
// stderr, and the process ends with status 1 without showing a window.
//
// --quit-after is for scripted checks: the program prints one line on
// stdout when its main window is shown, quits MS milliseconds later, and
// writes messages to stderr instead of showing message boxes.
//
// --open-job is for developers: once the window is shown, the job file (the
// format of lamira-cut) is cut and its maps are shown on the maps tab.
int runLamira(int argc, char *argv[]);

} // namespace lamira
