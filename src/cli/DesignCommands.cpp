#include "cli/DesignCommands.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <sstream>

#include "cli/CheckReport.h"
#include "cli/CliErrors.h"
#include "cli/CliOptions.h"
#include "cli/CliProject.h"
#include "cli/DesignBuilder.h"
#include "cli/DesignCatalogue.h"
#include "cli/DesignJson.h"
#include "cli/DesignReader.h"
#include "design/QsProject.h"
#include "platform/Resources.h"
#include "platform/SafeFileWriter.h"

namespace {

const char kBuildUsage[] = "usage: qrnsolvo-cli build DESIGN.json -o PROJECT.qrn\n";
const char kCheckUsage[] = "usage: qrnsolvo-cli check PROJECT.qrn|DESIGN.json [--json]\n";
const char kDemoUsage[] = "usage: qrnsolvo-cli demo --out DIR\n";

// The resource that holds examples/office.json.
constexpr char kDemoResource[] = "OFFICE_DESIGN";

// The design file of build and check, and the other options: the first word after the command
// that is not an option is the file.
struct LTFileArguments {
  std::string file;
  CTCliOptions options;
};

std::optional<LTFileArguments> ParseFileArguments(const std::vector<std::string>& args,
                                                  const std::vector<LTCliOption>& known,
                                                  const char* usage, std::ostream& err) {
  if (args.size() < 2 || args[1].empty() || args[1][0] == '-') {
    err << usage;
    return std::nullopt;
  }
  std::vector<std::string> rest{args[0]};
  rest.insert(rest.end(), args.begin() + 2, args.end());
  auto options = ParseCliOptions(rest, known, usage, err);
  if (!options) return std::nullopt;
  return LTFileArguments{args[1], std::move(*options)};
}

// The bytes of a file, at most kDesignMaxBytes of them (complete tells whether that was all).
// Nothing, reported, when it cannot be read.
std::optional<std::string> ReadInputFile(const std::string& path, bool& complete,
                                         std::ostream& err) {
  auto in = OpenCliInput(path, err);
  if (!in) return std::nullopt;
  std::string bytes;
  try {
    complete = ReadRest(*in, bytes, kDesignMaxBytes);
  } catch (const CTStreamError& e) {
    CliFail(err, kMsgCannotOpen, path, e.what());
    return std::nullopt;
  }
  return bytes;
}

// Whether the text is JSON rather than a project file (which begins with its header word or the
// compressed form's magic): its first character, after blanks and a byte-order mark, opens an
// object or a list.
bool LooksLikeJson(const std::string& bytes) {
  std::size_t at = bytes.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
  while (at < bytes.size() &&
         (bytes[at] == ' ' || bytes[at] == '\t' || bytes[at] == '\r' || bytes[at] == '\n')) {
    ++at;
  }
  return at < bytes.size() && (bytes[at] == '{' || bytes[at] == '[');
}

void ReportDesignErrors(const std::string& file, const LTDesignErrors& errors, std::ostream& err) {
  for (const LTDesignError& e : errors) CliReport(err, file + ": " + e.path + ": " + e.message, 1);
}

// Reads a design from its text (complete: not cut at the size limit); false when refused.
bool ReadDesignText(const std::string& file, const std::string& text, bool complete,
                    LTDesign& design, std::ostream& err) {
  LTDesignErrors errors;
  if (!complete) {
    errors.push_back({"design", "larger than " + std::to_string(kDesignMaxBytes) + " bytes"});
  } else {
    errors = ReadDesign(text, design);
  }
  ReportDesignErrors(file, errors, err);
  return errors.empty();
}

// Builds a design into the session's new project; false (reported) when refused.
bool BuildInto(CTCliProject& session, const std::string& file, const LTDesign& design,
               std::ostream& err) {
  if (!session.Create()) return false;
  const CTDesignCatalogue catalogue(session.Factory());
  const LTDesignErrors errors = BuildDesign(design, catalogue, session.Project());
  ReportDesignErrors(file, errors, err);
  return errors.empty();
}

bool WriteTextFile(const std::string& path, const std::string& text, std::ostream& err) {
  CTSafeFileWriter out(path);
  if (!out.IsOpen()) return CliFail(err, kMsgCannotCreate, path, out.ErrorText()), false;
  try {
    out.Stream()->WriteAll(text);
  } catch (const CTStreamError& e) {
    return CliFail(err, kMsgCannotCreate, path, e.what()), false;
  }
  if (!out.Commit()) return CliFail(err, kMsgCannotCreate, path, out.ErrorText()), false;
  return true;
}

std::string CountText(std::size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

int RunBuildCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto parsed = ParseFileArguments(args, {TextOption("-o")}, kBuildUsage, err);
  if (!parsed) return kCliNotUnderstood;
  if (!parsed->options.Has("-o")) return CliReport(err, "build needs -o PROJECT.qrn", 2);
  bool complete = false;
  const auto text = ReadInputFile(parsed->file, complete, err);
  if (!text) return kCliFailed;
  LTDesign design;
  if (!ReadDesignText(parsed->file, *text, complete, design, err)) return kCliFailed;
  CTCliProject session(err);
  if (!BuildInto(session, parsed->file, design, err)) return kCliFailed;
  const std::string& output = parsed->options.Text("-o");
  if (!session.SaveAs(output)) return kCliFailed;
  out << "built " << output << ": " << CountText(design.systems.size(), "system", "systems") << ", "
      << CountText(design.units.size(), "indoor-side unit", "indoor-side units") << '\n';
  return kCliDone;
}

int RunCheckCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  constexpr int kUnreadable = 2;
  const auto parsed = ParseFileArguments(args, {FlagOption("--json")}, kCheckUsage, err);
  if (!parsed) return kCliNotUnderstood;
  bool complete = false;
  const auto text = ReadInputFile(parsed->file, complete, err);
  if (!text) return kUnreadable;
  CTCliProject session(err);
  if (LooksLikeJson(*text)) {
    LTDesign design;
    if (!ReadDesignText(parsed->file, *text, complete, design, err)) return kUnreadable;
    if (!BuildInto(session, parsed->file, design, err)) return kUnreadable;
  } else {
    if (!session.Open(parsed->file)) return kUnreadable;
    const CTDesignCatalogue catalogue(session.Factory());
    session.Project().BuildSeriesLists(catalogue.OutdoorUnits());
    session.Project().RecalculateAll(catalogue.OutdoorUnits());
  }
  const LTCheckReport report = ComputeCheckReport(session.Project());
  if (parsed->options.Has("--json")) {
    WriteCheckJson(report, out);
  } else {
    WriteCheckText(report, out);
  }
  return report.errors > 0 ? kCliFailed : kCliDone;
}

int RunDemoCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto options = ParseCliOptions(args, {TextOption("--out")}, kDemoUsage, err);
  if (!options) return kCliNotUnderstood;
  if (!options->Has("--out")) return CliReport(err, "demo needs --out DIR", kCliNotUnderstood);
  const std::string dir = options->Text("--out");
  std::error_code failure;
  std::filesystem::create_directories(dir, failure);
  if (failure) return CliFail(err, kMsgCannotCreate, dir, failure.message());
  const auto resource = CTResources::Find(kDemoResource);
  if (!resource) return CliFail(err, kMsgFileNotFound, kDemoResource, "");
  const std::string text(*resource);
  const std::string designFile = dir + "/design.json";
  const std::string projectFile = dir + "/project.qrn";
  if (!WriteTextFile(designFile, text, err)) return kCliFailed;
  LTDesign design;
  if (!ReadDesignText(designFile, text, true, design, err)) return kCliFailed;
  CTCliProject session(err);
  if (!BuildInto(session, designFile, design, err)) return kCliFailed;
  if (!session.SaveAs(projectFile)) return kCliFailed;
  const LTCheckReport report = ComputeCheckReport(session.Project());
  std::ostringstream checkText;
  std::ostringstream checkJson;
  WriteCheckText(report, checkText);
  WriteCheckJson(report, checkJson);
  if (!WriteTextFile(dir + "/check.txt", checkText.str(), err) ||
      !WriteTextFile(dir + "/check.json", checkJson.str(), err)) {
    return kCliFailed;
  }
  out << "wrote " << designFile << ", " << projectFile << ", " << dir << "/check.txt, " << dir
      << "/check.json: " << CountText(static_cast<std::size_t>(report.errors), "error", "errors")
      << ", " << CountText(static_cast<std::size_t>(report.warnings), "warning", "warnings")
      << '\n';
  return report.errors > 0 ? kCliFailed : kCliDone;
}
