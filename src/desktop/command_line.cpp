#include "desktop/command_line.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace flakmire {

namespace {

constexpr int UsageError = 1;
constexpr const char* Description =
    "Flakmire: hold your gun turret against helicopters, jets and parachuting troopers.\n"
    "Press F1 in the game for its keys.";

// Nothing to play: the text to print and the status to end with.
CommandLine Answer(int status, const QString& text) {
  CommandLine line;
  line.answered = true, line.status = status, line.text = text;
  return line;
}

CommandLine Refuse(const QString& program, const QString& why) {
  return Answer(UsageError,
                program + ": " + why + "\nTry '" + program + " --help' for more information.\n");
}

}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
  const QString program = QFileInfo(arguments.value(0, "flakmire")).fileName();
  QCommandLineParser parser;
  parser.setApplicationDescription(Description);
  const QCommandLineOption help({"h", "help"}, "Show these options and end.");
  const QCommandLineOption version({"v", "version"}, "Show the version and end.");
  const QCommandLineOption verify(
      "verify",
      "Play the run on tape FILE through the rules, say whether it is as it claims, and end.",
      "FILE");
  const QCommandLineOption watch("watch", "Watch the run on tape FILE, then end.", "FILE");
  parser.addOption(help);
  parser.addOption(version);
  parser.addOption(verify);
  parser.addOption(watch);

  if (!parser.parse(arguments)) return Refuse(program, parser.errorText());
  if (!parser.positionalArguments().isEmpty()) {
    return Refuse(program, "Unexpected argument '" + parser.positionalArguments().constFirst() +
                               "'; the game takes none.");
  }
  if (parser.isSet(help)) {
    // Read before the application exists, the parser knows no name for the program: give it.
    const QString text = parser.helpText();
    return Answer(0, "Usage: " + program + " [options]" + text.mid(text.indexOf('\n')));
  }
  if (parser.isSet(version)) return Answer(0, QString("Flakmire ") + FLAKMIRE_VERSION + "\n");
  if (parser.isSet(verify) && parser.isSet(watch)) {
    return Refuse(program, "--verify and --watch: one tape at a time.");
  }
  CommandLine line;
  line.verify = parser.value(verify);
  line.watch = parser.value(watch);
  return line;
}

}  // namespace flakmire
