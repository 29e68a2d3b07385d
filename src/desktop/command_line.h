#pragma once

#include <QString>
#include <QStringList>

namespace flakmire {

// What the command line asks of the program. Read before any window exists, so that --help and
// --version answer without a display.
struct CommandLine {
  bool answered = false;  // nothing to play: print `text`, then end with `status`
  int status = 0;
  QString text;  // for standard output when `status` is 0, for standard error otherwise
  QString verify;  // a tape to prove, with no window, instead of playing
  QString watch;   // a tape to watch in the main window instead of playing
};

// Reads the arguments, the program's name first.
CommandLine ParseCommandLine(const QStringList& arguments);

}  // namespace flakmire
