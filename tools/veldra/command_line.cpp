#include "tools/veldra/command_line.h"

#include <functional>
#include <map>

namespace veldra::tools {

namespace {

// Lower case without accents.
QString plain(const QString& text) {
  QString out;
  for (const QChar c : text.normalized(QString::NormalizationForm_D)) {
    if (c.category() != QChar::Mark_NonSpacing) out += c.toLower();
  }
  return out;
}

int item_index(const QStringList& items, const QStringList& aliases, const QString& text) {
  const QString wanted = plain(text.trimmed());
  for (qsizetype i = 0; i < items.size(); ++i) {
    if (plain(items[i]) == wanted) return static_cast<int>(i);
    if (i < aliases.size() && !aliases[i].isEmpty() && aliases[i] == wanted) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

[[noreturn]] void usage_error(const QString& message) {
  throw UsageError(message.toStdString());
}

// Splits "--name=value" and takes the value of "--name value" from the next argument.
class ArgumentReader {
 public:
  explicit ArgumentReader(const QStringList& arguments) : arguments_(arguments) {}

  bool done() const { return next_ >= arguments_.size(); }

  // The next argument; for "--name=value" the name, with the value kept for value().
  QString take() {
    QString argument = arguments_[next_++];
    pending_.reset();
    const qsizetype equals = argument.indexOf(QLatin1Char('='));
    if (argument.startsWith(QStringLiteral("--")) && equals > 2) {
      pending_ = argument.mid(equals + 1);
      argument.truncate(equals);
    }
    return argument;
  }

  QString value(const QString& option) {
    if (pending_) {
      QString v = *pending_;
      pending_.reset();
      return v;
    }
    if (done()) usage_error(QStringLiteral("%1 needs a value").arg(option));
    return arguments_[next_++];
  }

  void no_value(const QString& option) {
    if (pending_) usage_error(QStringLiteral("%1 takes no value").arg(option));
  }

 private:
  const QStringList& arguments_;
  qsizetype next_ = 0;
  std::optional<QString> pending_;
};

int choice(int index, const QString& option, const QString& text) {
  if (index < 0) usage_error(QStringLiteral("%1: unknown choice \"%2\"").arg(option, text));
  return index;
}

void parse_convert(ArgumentReader& reader, CommandLine& line) {
  QStringList operands;
  while (!reader.done()) {
    const QString a = reader.take();
    if (a == QLatin1String("-o") || a == QLatin1String("--output")) {
      line.output = reader.value(a);
    } else if (a == QLatin1String("--force")) {
      reader.no_value(a);
      line.force = true;
    } else if (a == QLatin1String("--decimal-separator")) {
      line.decimal_separator = reader.value(a);
    } else if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
      line.command = Command::Help;
      line.help_topic = QStringLiteral("convert");
      return;
    } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
      usage_error(QStringLiteral("convert: unknown option %1").arg(a));
    } else {
      operands << a;
    }
  }
  if (operands.size() != 1) usage_error(QStringLiteral("convert needs exactly one EXPORT file"));
  line.export_file = operands.first();
}

void parse_prepare(ArgumentReader& reader, CommandLine& line) {
  core::ProcessorOptions& o = line.options;
  const std::map<QString, std::function<void(const QString&, const QString&)>> options = {
      {QStringLiteral("--start-folder"), [&](auto&, auto& v) { line.start_folder = v; }},
      {QStringLiteral("--mef"), [&](auto&, auto& v) { line.mef = v; }},
      {QStringLiteral("--mec"), [&](auto&, auto& v) { line.mec = v; }},
      {QStringLiteral("--analysis"),
       [&](auto& n, auto& v) { o.analysis = choice(analysis_index(v), n, v); }},
      {QStringLiteral("--degree"),
       [&](auto& n, auto& v) { o.degree = choice(degree_index(v), n, v); }},
      {QStringLiteral("--coupling"),
       [&](auto& n, auto& v) { o.coupling = choice(coupling_index(v), n, v); }},
      {QStringLiteral("--increments"), [&](auto&, auto& v) { o.increments = v; }},
      {QStringLiteral("--iterations"), [&](auto&, auto& v) { o.iterations = v; }},
      {QStringLiteral("--force-tolerance"), [&](auto&, auto& v) { o.force_tolerance = v; }},
      {QStringLiteral("--displacement-tolerance"),
       [&](auto&, auto& v) { o.displacement_tolerance = v; }},
      {QStringLiteral("--decimal-separator"), [&](auto&, auto& v) { line.decimal_separator = v; }},
  };
  while (!reader.done()) {
    const QString a = reader.take();
    if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
      line.command = Command::Help;
      line.help_topic = QStringLiteral("prepare");
      return;
    }
    if (a == QLatin1String("--run")) {
      reader.no_value(a);
      line.run = true;
      continue;
    }
    const auto found = options.find(a);
    if (found == options.end()) usage_error(QStringLiteral("prepare: unknown argument %1").arg(a));
    found->second(a, reader.value(a));
  }
  if (line.mef.isEmpty()) usage_error(QStringLiteral("prepare needs --mef FILE"));
}

}  // namespace

int analysis_index(const QString& text) {
  return item_index(core::analysis_items(), {}, text);
}

int degree_index(const QString& text) {
  const int index = item_index(core::degree_items(), {}, text);
  if (index >= 0) return index;
  // naprox itself: 2 quadratic, 3 cubic.
  if (text.trimmed() == QLatin1String("2")) return 0;
  if (text.trimmed() == QLatin1String("3")) return 1;
  return -1;
}

int coupling_index(const QString& text) {
  return item_index(core::coupling_items(),
                    {QString(), QStringLiteral("kelvin"), QStringLiteral("boussinesq-cerruti"),
                     QStringLiteral("mindlin")},
                    text);
}

CommandLine parse_command_line(const QStringList& arguments) {
  CommandLine line;
  ArgumentReader reader(arguments);
  if (reader.done()) usage_error(QStringLiteral("no command given"));
  const QString command = reader.take();
  if (command == QLatin1String("--help") || command == QLatin1String("-h") ||
      command == QLatin1String("help")) {
    line.command = Command::Help;
    if (!reader.done()) line.help_topic = reader.take();
    return line;
  }
  if (command == QLatin1String("convert")) {
    line.command = Command::Convert;
    parse_convert(reader, line);
  } else if (command == QLatin1String("prepare")) {
    line.command = Command::Prepare;
    parse_prepare(reader, line);
  } else {
    usage_error(QStringLiteral("unknown command %1").arg(command));
  }
  if (line.decimal_separator && line.decimal_separator->isEmpty()) {
    usage_error(QStringLiteral("--decimal-separator needs a character"));
  }
  return line;
}

QString usage_text(const QString& topic) {
  const QString convert = QStringLiteral(
      "veldra convert EXPORT [-o MODEL] [--force] [--decimal-separator SEP]\n"
      "  Converts the pre-processor's export (adatafile.adf) into a model data file, the\n"
      "  same bytes the launcher window saves. MODEL follows the save-name rule (one final\n"
      "  \".txt\" removed, \".txt\" appended); an existing MODEL is replaced only with --force.\n"
      "  Without -o the model data file goes to standard output.\n");
  const QString prepare = QStringLiteral(
      "veldra prepare --mef FILE [--mec FILE] [--start-folder DIR] [--analysis A] [--degree D]\n"
      "               [--coupling C] [--increments N] [--iterations N] [--force-tolerance X]\n"
      "               [--displacement-tolerance X] [--decimal-separator SEP] [--run]\n"
      "  Writes the processor's input files as \"Executar Processador\" does: wd.lis in\n"
      "  DIR/programas auxiliares, the general data file and the list files in\n"
      "  DIR/programas auxiliares/bibliotecas. Everything is checked before the first file is\n"
      "  written. Without --run the processor is not started and the general data file is\n"
      "  kept; with --run DIR/programas auxiliares/processador.exe is started in its folder and\n"
      "  awaited, then the general data file is deleted; a processor that does not start,\n"
      "  crashes or ends with a non-zero code gives exit status 1.\n"
      "  DIR        the start folder (default: the current directory)\n"
      "  A          Elástica (default), Elasto-Plástica, Visco-Elástica, Elasto-Visco-Plástica\n"
      "  D          Quadrática or 2, Cúbica or 3 (default)\n"
      "  C          MEF (default), MEC-Kelvin, MEC-Boussinesq/Cerruti, MEC-Mindlin\n"
      "             (or kelvin, boussinesq-cerruti, mindlin); accents and case do not matter\n"
      "  N, X       as the window's fields: 20, 200, 1.e-5, 1.e-5 by default\n");
  const QString common = QStringLiteral(
      "  SEP        the decimal separator of reals (default: the user's locale's); reals are\n"
      "             read with it and, failing that, with a point\n"
      "Exit status: 0 done, 1 an input or file error (one line naming file, line and value),\n"
      "2 a wrong command line.\n");
  if (topic == QLatin1String("convert")) return convert + common;
  if (topic == QLatin1String("prepare")) return prepare + common;
  return QStringLiteral("veldra: the VELDRA manager's batch commands\n") + convert + prepare +
         common;
}

}  // namespace veldra::tools
