#include "desktop/command_line.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace flakmire {

namespace {

constexpr int UsageError = 1;
constexpr const char* Description =
    "Flakmire: hold your gun turret against helicopters, jets and parachuting troopers.\n"
    "Press F1 in the game for its keys.";

CommandLine Refuse(const QString& program, const QString& why) {
  return {true, UsageError,
          program + ": " + why + "\nTry '" + program + " --help' for more information.\n"};
}

}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
  const QString program = QFileInfo(arguments.value(0, "flakmire")).fileName();
  QCommandLineParser parser;
  parser.setApplicationDescription(Description);
  const QCommandLineOption help({"h", "help"}, "Show these options and end.");
  const QCommandLineOption version({"v", "version"}, "Show the version and end.");
  parser.addOption(help);
  parser.addOption(version);

  if (!parser.parse(arguments)) return Refuse(program, parser.errorText());
  if (!parser.positionalArguments().isEmpty()) {
    return Refuse(program, "Unexpected argument '" + parser.positionalArguments().constFirst() +
                               "'; the game takes none.");
  }
  if (parser.isSet(help)) {
    // Read before the application exists, the parser knows no name for the program: give it.
    const QString text = parser.helpText();
    return {true, 0, "Usage: " + program + " [options]" + text.mid(text.indexOf('\n'))};
  }
  if (parser.isSet(version)) return {true, 0, QString("Flakmire ") + FLAKMIRE_VERSION + "\n"};
  return {};
}

}  // namespace flakmire
