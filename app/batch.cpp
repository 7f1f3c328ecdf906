#include "app/batch.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <mutex>
#include <optional>
#include <set>
#include <sstream>
#include <string_view>

#include "app/calculation_json.h"
#include "app/cli_calculation.h"
#include "app/worker_threads.h"
#include "core/gains.h"
#include "core/number_text.h"
#include "core/record_fields.h"
#include "core/text.h"
#include "document/calculation_file.h"
#include "document/startup.h"
#include "form/calculation_form.h"
#include "platform/utf8_path.h"

namespace kamerol {
namespace {

using cli::UsageError;

enum class Format { None, JsonLines, Csv };

struct BatchOptions {
  std::vector<std::string> files;
  bool filesGiven = false;  // a FILE or --files-from: without either the defaults are calculated once
  std::vector<cli::Assignment> assignments;
  Format format = Format::None;
  bool trace = false;  // --jsonl: each object with its calculation trace
  std::optional<std::filesystem::path> outDir;
  std::optional<std::filesystem::path> output;
  unsigned jobs = 1;
};

constexpr unsigned kMaxJobs = 256;

bool takesValue(std::string_view arg) {
  return arg == "--set" || arg == "-o" || arg == "--output" || arg == "--files-from" || arg == "--out-dir" ||
         arg == "-j" || arg == "--jobs";
}

// The names of a --files-from list, one a line; blank lines are skipped.
std::optional<std::vector<std::string>> readList(const std::string& list, std::istream& standardInput) {
  std::ifstream file;
  if (list != "-") {
    file.open(pathFromUtf8(list));
    if (!file) return std::nullopt;
  }
  std::istream& in = list == "-" ? standardInput : file;
  std::vector<std::string> names;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) names.push_back(std::move(line));
  }
  if (in.bad()) return std::nullopt;
  return names;
}

unsigned parseJobs(const std::string& text) {
  const auto jobs = parseInteger<unsigned>(text);
  if (!jobs || *jobs == 0 || *jobs > kMaxJobs)
    throw UsageError("-j needs a number of threads from 1 to " + std::to_string(kMaxJobs) + ", not \"" + text + "\"");
  return *jobs;
}

// Reads the arguments after `calc`; a --files-from list is read here too, so
// that a list that cannot be read stops the batch before any output.
std::optional<BatchOptions> parseBatchOptions(const std::vector<std::string>& args, CliContext& context) {
  BatchOptions options;
  std::vector<std::string> lists;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw UsageError(arg + " needs a value");
      return args[++i];
    };
    if (arg == "--set") {
      options.assignments.push_back(cli::parseAssignment(value()));
    } else if (arg == "--jsonl" || arg == "--csv") {
      const Format format = arg == "--jsonl" ? Format::JsonLines : Format::Csv;
      if (options.format != Format::None && options.format != format)
        throw UsageError("--jsonl and --csv cannot be given together");
      options.format = format;
    } else if (arg == "--trace") {
      options.trace = true;
    } else if (arg == "--json") {
      throw UsageError("--json prints one calculation; for several files use --jsonl");
    } else if (arg == "--files-from") {
      lists.push_back(value());
    } else if (arg == "--out-dir") {
      options.outDir = pathFromUtf8(value());
    } else if (arg == "-o" || arg == "--output") {
      options.output = pathFromUtf8(value());
    } else if (arg == "-j" || arg == "--jobs") {
      options.jobs = parseJobs(value());
    } else if (arg.size() > 2 && arg.starts_with("-j") && arg[2] != '-') {
      options.jobs = parseJobs(arg.substr(2));
    } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
      throw UsageError("unknown option \"" + arg + "\" for calc");
    } else {
      options.files.push_back(arg);
    }
  }
  if (options.format == Format::None) throw UsageError("several calculations are printed with --jsonl or --csv");
  if (options.trace && options.format == Format::Csv) throw UsageError("--trace goes with --jsonl, not --csv");
  if (options.output && options.outDir) throw UsageError("-o and --out-dir cannot be given together");
  if (options.output == "-") throw UsageError("-o - and --jsonl or --csv both write to standard output");
  options.filesGiven = !options.files.empty() || !lists.empty();
  for (const std::string& list : lists) {
    const auto names = readList(list, std::cin);
    if (!names) {
      context.err << "kamerol-cli: cannot open " << list << '\n';
      return std::nullopt;
    }
    options.files.insert(options.files.end(), names->begin(), names->end());
  }
  if (options.output && options.files.size() > 1)
    throw UsageError("-o saves one calculation; for several use --out-dir");
  if (options.outDir) {
    if (!options.filesGiven) throw UsageError("--out-dir saves calculation files: give their names");
    // Two files of one name would overwrite each other's calculation.
    std::set<std::filesystem::path> names;
    for (const std::string& file : options.files)
      if (!names.insert(pathFromUtf8(file).filename()).second)
        throw UsageError("two files would be saved as " + utf8Of(*options.outDir / pathFromUtf8(file).filename()));
  }
  return options;
}

// The JSON result key of a result.
std::string_view resultKey(float CalculationResults::*member) {
  for (const auto& field : floatResultFields())
    if (field.member == member) return field.name;
  return {};
}

// The CSV columns after the file: the nine gains, their sum and the required
// capacity as the result boxes show them (cli::resultBoxes), named by their
// JSON result keys.
std::vector<std::string_view> csvHeader() {
  std::vector<std::string_view> names;
  for (const GainRow& row : kGains) names.push_back(resultKey(row.shown));
  names.push_back(resultKey(&CalculationResults::qTotal));
  names.push_back(resultKey(&CalculationResults::requiredCapacity));
  return names;
}

std::string csvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (char ch : text) quoted += ch == '"' ? std::string("\"\"") : std::string(1, ch);
  return quoted + "\"";
}

struct Outcome {
  std::string out;
  std::string err;
  int code = kExitDone;
};

// Exit codes by how bad they are: a wrong command line, then a file that
// cannot be opened or written, then a file of another format.
int worse(int a, int b) {
  const auto rank = [](int code) {
    switch (code) {
      case kExitUsage:
        return 3;
      case kExitCannotOpen:
        return 2;
      case kExitFormatError:
        return 1;
      default:
        return 0;
    }
  };
  return rank(b) > rank(a) ? b : a;
}

// Keeps the messages of the start for each file to show as its own.
class KeptMessages : public MessageSink {
 public:
  void showMessage(const Message& message) override { messages.push_back(message); }
  std::vector<Message> messages;
};

class Batch {
 public:
  // Every file starts from the form as the program starts, prepared once.
  Batch(const BatchOptions& options, const NumberLocale& locale)
      : options_(options), started_(startMessages_, locale), boxes_(cli::resultBoxes()) {
    startCalculation(started_, std::nullopt, startMessages_);
  }

  std::string header() const {
    if (options_.format != Format::Csv) return {};
    const std::vector<std::string_view> names = csvHeader();
    std::string line = "file";
    for (std::string_view name : names) {
      line += ',';
      line += name;
    }
    line += '\n';
    return line;
  }

  // One calculation on a form of its own: safe to run on any thread.
  Outcome run(const std::optional<std::string>& file) const {
    Outcome outcome;
    std::string& out = outcome.out;
    std::ostringstream err;
    cli::PrintingMessages messages(err, file ? *file + ": " : std::string());
    const auto fail = [&](int code, std::string_view kind, const std::string& message) {
      err << "kamerol-cli: " << (file ? *file + ": " : std::string()) << message << '\n';
      if (options_.format == Format::JsonLines) {
        out += "{\"file\": " + (file ? cli::jsonString(*file) : "null") + ", \"error\": {\"kind\": \"";
        out.append(kind) += "\", \"message\": " + cli::jsonString(message) + "}}\n";
      } else {
        out += csvField(file.value_or("")) + std::string(boxes_.size(), ',') + '\n';
      }
      outcome.code = code;
    };

    CalculationForm form(started_, messages);
    for (const Message& message : startMessages_.messages) messages.showMessage(message);
    try {
      if (file) {
        const ReadStatus status = readCalculationFile(form, pathFromUtf8(*file), ReadMode::Dialog, messages);
        if (status == ReadStatus::CannotOpen) throw Failure{kExitCannotOpen, "cannot-open", "cannot open " + *file};
        if (status == ReadStatus::FormatError)
          throw Failure{kExitFormatError, "not-calculation-file", "not a calculation file"};
      }
      try {
        for (const cli::Assignment& a : options_.assignments) cli::apply(form, a);
      } catch (const UsageError& error) {
        // The form of this file does not take the value (a locked or hidden field).
        throw Failure{kExitUsage, "cannot-set", error.message()};
      }
      std::optional<std::filesystem::path> target = options_.output;
      if (options_.outDir && file) target = *options_.outDir / pathFromUtf8(*file).filename();
      if (target) {
        if (const WriteResult written = writeCalculationFile(form, *target); !written)
          throw Failure{kExitCannotOpen, "cannot-write", "cannot write " + utf8Of(*target) + ": " + written.reason()};
      }
    } catch (const Failure& failure) {
      fail(failure.code, failure.kind, failure.message);
      outcome.err = err.str();
      return outcome;
    }

    if (options_.format == Format::JsonLines) {
      out = cli::jsonText(form, messages.messages, cli::JsonLayout::OneLine,
                          file ? std::optional<std::string_view>(*file) : std::nullopt, options_.trace);
    } else {
      out = csvField(file.value_or(""));
      for (Control box : boxes_) (out += ',') += csvField(form.text(box));
      out += '\n';
    }
    outcome.err = err.str();
    return outcome;
  }

 private:
  struct Failure {
    int code;
    std::string_view kind;
    std::string message;
  };

  const BatchOptions& options_;
  KeptMessages startMessages_;
  CalculationForm started_;
  std::array<Control, cli::kResultBoxCount> boxes_;
};

}  // namespace

bool isBatchCommand(const std::vector<std::string>& args) {
  if (args.empty() || args[0] != "calc") return false;
  int files = 0;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--jsonl" || arg == "--csv" || arg == "--files-from" || arg == "--out-dir" || arg == "-j" ||
        arg == "--jobs" || (arg.size() > 2 && arg.starts_with("-j")))
      return true;
    if (takesValue(arg))
      ++i;
    else if (arg.empty() || arg[0] != '-' || arg == "-")
      ++files;
  }
  return files > 1;
}

int runBatch(const std::vector<std::string>& args, CliContext& context) {
  const auto options = parseBatchOptions(args, context);
  if (!options) return kExitCannotOpen;
  if (options->outDir && !std::filesystem::is_directory(*options->outDir)) {
    context.err << "kamerol-cli: cannot write to " << utf8Of(*options->outDir) << ": not a folder\n";
    return kExitCannotOpen;
  }
  const Batch batch(*options, context.locale);
  context.out << batch.header();

  std::vector<std::optional<std::string>> files(options->files.begin(), options->files.end());
  if (!options->filesGiven) files.emplace_back(std::nullopt);

  int code = kExitDone;
  const auto emit = [&](const Outcome& outcome) {
    // Standard error is tied to standard output: writing to it, even nothing,
    // would flush the output file by file.
    if (!outcome.err.empty()) context.err << outcome.err;
    context.out << outcome.out;
    code = worse(code, outcome.code);
  };
  // Output that did not reach its reader is a failure, like a file not written.
  const auto finish = [&](int worst) {
    if (context.out.flush()) return worst;
    context.err << "kamerol-cli: cannot write standard output\n";
    return worse(worst, kExitCannotOpen);
  };

  // The threads take the files in turn. The thread that completes the next
  // file in order prints it and every later one already waiting, so no thread
  // sits idle just to print.
  std::vector<std::optional<Outcome>> outcomes(files.size());
  std::mutex mutex;
  std::size_t printed = 0;
  bool printing = false;
  std::atomic<std::size_t> next{0};
  const auto work = [&] {
    for (std::size_t i; (i = next++) < files.size();) {
      Outcome outcome = batch.run(files[i]);
      std::unique_lock lock(mutex);
      outcomes[i] = std::move(outcome);
      if (printing) continue;
      printing = true;
      while (printed < files.size() && outcomes[printed]) {
        const Outcome ready = std::move(*outcomes[printed]);
        outcomes[printed++].reset();
        lock.unlock();
        emit(ready);
        lock.lock();
      }
      printing = false;
    }
  };
  runOnThreads(static_cast<unsigned>(std::min<std::size_t>(options->jobs, files.size())), work);
  return finish(code);
}

}  // namespace kamerol
