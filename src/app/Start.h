#pragma once
// The program's entry: splash, frame, command-line file.

#include <QString>

namespace sx {

class frmMain;
class InstanceChannel;

namespace Start {

struct Options {
    int splashMilliseconds = 2000;       // the splash stays up at least this long
    InstanceChannel *channel = nullptr;  // where second starts hand over their command line
};

// The command line, taken whole as one text.
QString CommandLineOf(int argc, char **argv);
// A relative path on a second start's command line, made absolute against
// the folder the second start runs in; anything else unchanged.
QString AbsoluteCommandLine(const QString &trimmed, const QString &workDir);
// A second start hands its command line to the running instance (or, for
// "::IDESTART", nothing); true when this start is to end here.
bool HandedToPrevInstance(const QString &commandLine, InstanceChannel &channel);
// Runs the start sequence up to the shown frame; the caller runs the event loop.
frmMain *StartUp(const QString &commandLine, const Options &options = Options());
int Main(int argc, char **argv);

}  // namespace Start
}  // namespace sx
