#include "project/project.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <map>

#include "core/cp1251.h"
#include "document/startup.h"

namespace kamerol {

// --- Project -------------------------------------------------------------------

double clampSimultaneityFactor(double factor) {
  if (std::isnan(factor)) return kDefaultSimultaneityFactor;
  return std::clamp(factor, kMinSimultaneityFactor, kMaxSimultaneityFactor);
}

std::size_t Project::insertRoom(std::size_t index, ProjectRoom room) {
  assert(index <= rooms_.size());
  if (room.system && *room.system >= systems_.size()) room.system.reset();
  rooms_.insert(rooms_.begin() + static_cast<std::ptrdiff_t>(index), std::move(room));
  return index;
}

void Project::removeRoom(std::size_t index) {
  assert(index < rooms_.size());
  rooms_.erase(rooms_.begin() + static_cast<std::ptrdiff_t>(index));
}

void Project::moveRoom(std::size_t from, std::size_t to) {
  assert(from < rooms_.size() && to < rooms_.size());
  const auto first = rooms_.begin();
  if (from < to)
    std::rotate(first + static_cast<std::ptrdiff_t>(from), first + static_cast<std::ptrdiff_t>(from) + 1,
                first + static_cast<std::ptrdiff_t>(to) + 1);
  else if (to < from)
    std::rotate(first + static_cast<std::ptrdiff_t>(to), first + static_cast<std::ptrdiff_t>(from),
                first + static_cast<std::ptrdiff_t>(from) + 1);
}

void Project::renameRoom(std::size_t index, std::string name) { rooms_.at(index).name = std::move(name); }

void Project::setRoomTexts(std::size_t index, RoomTexts texts) { rooms_.at(index).texts = std::move(texts); }

void Project::assignSystem(std::size_t room, std::optional<std::size_t> system) {
  if (system && *system >= systems_.size()) system.reset();
  rooms_.at(room).system = system;
}

std::size_t Project::addSystem(RefrigerationSystem system) {
  system.factor = clampSimultaneityFactor(system.factor);
  systems_.push_back(std::move(system));
  return systems_.size() - 1;
}

void Project::removeSystem(std::size_t index) {
  assert(index < systems_.size());
  systems_.erase(systems_.begin() + static_cast<std::ptrdiff_t>(index));
  for (ProjectRoom& room : rooms_) {
    if (!room.system) continue;
    if (*room.system == index)
      room.system.reset();
    else if (*room.system > index)
      --*room.system;
  }
}

void Project::renameSystem(std::size_t index, std::string name) { systems_.at(index).name = std::move(name); }

void Project::setSystemT0(std::size_t index, double t0) {
  if (std::isfinite(t0)) systems_.at(index).t0 = t0;
}

void Project::setSystemFactor(std::size_t index, double factor) {
  if (!std::isnan(factor)) systems_.at(index).factor = clampSimultaneityFactor(factor);
}

std::vector<std::size_t> Project::roomsOf(std::optional<std::size_t> system) const {
  std::vector<std::size_t> indexes;
  for (std::size_t i = 0; i < rooms_.size(); ++i)
    if (rooms_[i].system == system) indexes.push_back(i);
  return indexes;
}

// --- A room's calculation ----------------------------------------------------

RoomTexts roomTextsOf(const CalculationForm& form) {
  const std::string bytes = calculationFileBytes(form);
  RoomTexts texts;
  texts.reserve(kStoredLines);
  // The writer ends every line with CR LF and puts neither inside a line.
  for (std::size_t start = 0; start < bytes.size();) {
    const std::size_t end = bytes.find("\r\n", start);
    texts.push_back(decodeWindows1251(std::string_view(bytes).substr(start, end - start)));
    start = end + 2;
  }
  return texts;
}

std::string roomFileName(const std::string& room, std::size_t index) {
  std::string name;
  for (char ch : validUtf8(room)) {
    const auto c = static_cast<unsigned char>(ch);
    name += c < 0x20 || std::string_view("<>:\"/\\|?*").find(ch) != std::string_view::npos ? '_' : ch;
  }
  while (!name.empty() && (name.back() == ' ' || name.back() == '.')) name.pop_back();
  if (name.empty()) name = "Помещение " + std::to_string(index + 1);
  return name;
}

std::string roomFileBytes(const RoomTexts& texts) {
  std::string bytes;
  for (const std::string& text : texts) bytes += encodeWindows1251(text) + "\r\n";
  return bytes;
}

ReadStatus readRoom(CalculationForm& form, const RoomTexts& texts, MessageSink& messages) {
  const bool fitsLines =
      texts.size() <= static_cast<std::size_t>(kStoredLines) &&
      std::ranges::none_of(texts, [](const std::string& t) { return t.find_first_of("\r\n") != std::string::npos; });
  if (!fitsLines) {
    messages.showMessage(formatErrorMessage());
    return ReadStatus::FormatError;
  }
  return readCalculationBytes(form, roomFileBytes(texts), ReadMode::Dialog, messages);
}

RoomCalculator::RoomCalculator(NumberLocale locale) : prepared_(startMessages_, std::move(locale)) {
  startCalculation(prepared_, std::nullopt, startMessages_);
  defaultTexts_ = roomTextsOf(prepared_);
}

RoomCalculation RoomCalculator::calculate(const RoomTexts& texts) const {
  Kept messages;
  CalculationForm form(prepared_, messages);
  RoomCalculation calculation;
  calculation.status = readRoom(form, texts, messages);
  calculation.record = form.record();
  calculation.messages = std::move(messages.messages);
  return calculation;
}

// --- Totals --------------------------------------------------------------------

namespace {

void add(LoadSums& sums, const CalculationResults& r) {
  for (std::size_t g = 0; g < kGains.size(); ++g) sums.gains[g] += r.*(kGains[g].shown);
  sums.qTotal += r.qTotal;
  sums.requiredCapacity += r.requiredCapacity;
  ++sums.rooms;
}

// A temperature as the form's boxes show it.
std::string degrees(double t) { return formatNumber(static_cast<float>(t)) + " °C"; }

}  // namespace

ProjectTotals projectTotals(const Project& project, std::span<const CalculationRecord> records) {
  assert(records.size() == project.rooms().size());
  ProjectTotals totals;
  totals.systems.resize(project.systems().size());
  for (std::size_t i = 0; i < records.size(); ++i) {
    const auto& system = project.room(i).system;
    add(system ? totals.systems[*system].sums : totals.unassigned, records[i].results);
    add(totals.all, records[i].results);
  }
  totals.requiredCapacity = totals.unassigned.requiredCapacity;
  for (std::size_t s = 0; s < totals.systems.size(); ++s) {
    SystemTotals& system = totals.systems[s];
    system.requiredCapacity = project.system(s).factor * system.sums.requiredCapacity;
    totals.requiredCapacity += system.requiredCapacity;
  }
  return totals;
}

// --- Warnings --------------------------------------------------------------------

std::string_view warningKey(ProjectWarningKind kind) {
  switch (kind) {
    case ProjectWarningKind::RoomTooColdForSystem:
      return "room-too-cold-for-system";
    case ProjectWarningKind::SystemWithoutRooms:
      return "system-without-rooms";
    case ProjectWarningKind::DuplicateRoomName:
      return "duplicate-room-name";
  }
  return {};
}

std::vector<ProjectWarning> projectWarnings(const Project& project, std::span<const CalculationRecord> records) {
  assert(records.size() == project.rooms().size());
  std::vector<ProjectWarning> warnings;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const ProjectRoom& room = project.room(i);
    if (!room.system) continue;
    const RefrigerationSystem& system = project.system(*room.system);
    const double roomTemp = records[i].inputs.roomTemp;
    if (roomTemp - system.t0 >= kMinRoomAboveT0) continue;
    warnings.push_back({ProjectWarningKind::RoomTooColdForSystem,
                        "Помещение «" + room.name + "» (" + degrees(roomTemp) +
                            ") теплее температуры кипения системы «" + system.name + "» (" + degrees(system.t0) +
                            ") менее чем на 5 K: система не удержит в нём эту температуру.",
                        i, room.system});
  }
  for (std::size_t s = 0; s < project.systems().size(); ++s)
    if (project.roomsOf(s).empty())
      warnings.push_back({ProjectWarningKind::SystemWithoutRooms,
                          "В системе «" + project.system(s).name + "» нет помещений.", std::nullopt, s});
  // Each name once, at its first room, listing every room of that name.
  std::map<std::string_view, std::vector<std::size_t>> byName;
  for (std::size_t i = 0; i < project.rooms().size(); ++i) byName[project.room(i).name].push_back(i);
  std::vector<ProjectWarning> duplicates;
  for (const auto& [name, rooms] : byName) {
    if (rooms.size() < 2) continue;
    std::string numbers;
    for (std::size_t i : rooms) numbers += (numbers.empty() ? "№" : ", №") + std::to_string(i + 1);
    duplicates.push_back({ProjectWarningKind::DuplicateRoomName,
                          "Несколько помещений называются «" + std::string(name) + "»: " + numbers + ".", rooms[1],
                          std::nullopt});
  }
  std::ranges::sort(duplicates, {}, [](const ProjectWarning& w) { return w.room; });
  warnings.insert(warnings.end(), duplicates.begin(), duplicates.end());
  return warnings;
}

}  // namespace kamerol
