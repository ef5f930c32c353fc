#pragma once
// The program's entry: splash, frame, command-line file.

#include <QString>

namespace sx {

class frmMain;

namespace Start {

struct Options {
    int splashMilliseconds = 2000;  // the splash stays up at least this long
};

// The command line, taken whole as one text.
QString CommandLineOf(int argc, char **argv);
// Runs the start sequence up to the shown frame; the caller runs the event loop.
frmMain *StartUp(const QString &commandLine, const Options &options = Options());
int Main(int argc, char **argv);

}  // namespace Start
}  // namespace sx
