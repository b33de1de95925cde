// The command line of the batch commands: "veldra convert" and "veldra prepare".
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>

#include "manager/core/processor_options.h"

namespace veldra::tools {

// A wrong command line (exit status 2).
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class Command { Help, Convert, Prepare };

struct CommandLine {
  Command command = Command::Help;
  QString help_topic;                        // for Help: empty, "convert" or "prepare"
  std::optional<QString> decimal_separator;  // the user's locale when not given

  // convert
  QString export_file;
  std::optional<QString> output;  // standard output when not given
  bool force = false;

  // prepare
  QString start_folder;  // the current directory when empty
  QString mef;
  QString mec;
  core::ProcessorOptions options;
  bool run = false;  // start the processor, await it, delete the general data file
};

// The arguments after the program name; options as "--name VALUE" or "--name=VALUE". Throws
// UsageError naming the fault.
CommandLine parse_command_line(const QStringList& arguments);

// An item of a radio group given by its caption, accents and case aside ("Elasto-Visco-
// Plástica", "elasto-visco-plastica"), or by an alias the help text lists. -1 when none.
int analysis_index(const QString& text);
int degree_index(const QString& text);
int coupling_index(const QString& text);

QString usage_text(const QString& topic);

}  // namespace veldra::tools
