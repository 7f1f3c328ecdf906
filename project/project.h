#pragma once

// The project ("Объект"): the rooms of one cold store, each a whole
// calculation, grouped onto refrigeration systems, with the systems' totals,
// the grand total and the checks shown as warnings. No toolkit.
//
// A room keeps its calculation as the texts of its calculation file (.tpl),
// line by line, exactly as the form writes them; it is computed by reading
// those texts into a form, through the calculation file's own reader, so that
// a room computes what its .tpl computes, with every reaction and message of
// the form. Results are never stored: they are the form's record after the
// read.
//
// Totals: a system's gains are the sums of its rooms' shown gains (as the
// results panels show them), and its required capacity is its simultaneity
// factor times the sum of its rooms' required capacities. Rooms of no system
// are counted at their full required capacity (as if with a factor of 1).
// The grand total is the sum of the systems' required capacities and the
// required capacities of the rooms of no system.

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/gains.h"
#include "core/number_text.h"
#include "core/record.h"
#include "document/calculation_file.h"
#include "form/calculation_form.h"
#include "form/messages.h"

namespace kamerol {

// The lines of a room's calculation file as UTF-8 texts, without their line
// ends: what the form writes into a .tpl (Windows-1251 there), line by line.
using RoomTexts = std::vector<std::string>;

struct ProjectRoom {
  std::string name;                   // e.g. "Камера №2 — мясо −18"
  std::optional<std::size_t> system;  // index into Project::systems(); none: the room belongs to no system
  RoomTexts texts;

  friend bool operator==(const ProjectRoom&, const ProjectRoom&) = default;
};

// The simultaneity factor's range and its value for a new system.
inline constexpr double kMinSimultaneityFactor = 0.5;
inline constexpr double kMaxSimultaneityFactor = 1.0;
inline constexpr double kDefaultSimultaneityFactor = 1.0;

// A refrigeration system ("Холодильная система"): a condensing unit or a
// compressor rack with one evaporating temperature.
struct RefrigerationSystem {
  std::string name;
  double t0 = 0;                               // evaporating temperature, °C: for information and checks
  double factor = kDefaultSimultaneityFactor;  // simultaneity factor, kMinSimultaneityFactor..kMaxSimultaneityFactor

  friend bool operator==(const RefrigerationSystem&, const RefrigerationSystem&) = default;
};

// The title block of the project.
struct ProjectDetails {
  std::string title;
  std::string client;
  std::string author;
  std::string date;  // as the user writes it

  friend bool operator==(const ProjectDetails&, const ProjectDetails&) = default;
};

// The project's data. Every edit keeps the rooms' system indexes valid: a
// room's system is always an index of systems() or none. Indexes passed in
// must be valid (checked by assertions only), except where said otherwise.
class Project {
 public:
  ProjectDetails details;

  const std::vector<ProjectRoom>& rooms() const { return rooms_; }
  const std::vector<RefrigerationSystem>& systems() const { return systems_; }
  const ProjectRoom& room(std::size_t index) const { return rooms_[index]; }
  const RefrigerationSystem& system(std::size_t index) const { return systems_[index]; }

  // --- Rooms --------------------------------------------------------------
  // Inserts the room before `index` (rooms().size(): at the end) and returns
  // its index. A system index that does not name a system becomes none.
  std::size_t insertRoom(std::size_t index, ProjectRoom room);
  std::size_t addRoom(ProjectRoom room) { return insertRoom(rooms_.size(), std::move(room)); }
  void removeRoom(std::size_t index);
  // Moves the room at `from` so that it stands at `to` (both indexes of rooms()).
  void moveRoom(std::size_t from, std::size_t to);
  void renameRoom(std::size_t index, std::string name);
  void setRoomTexts(std::size_t index, RoomTexts texts);
  // A system index that does not name a system becomes none.
  void assignSystem(std::size_t room, std::optional<std::size_t> system);

  // --- Systems ------------------------------------------------------------
  // The factor is clamped into its range. Returns the new system's index.
  std::size_t addSystem(RefrigerationSystem system);
  // The system's rooms then belong to no system; later systems move up by one.
  void removeSystem(std::size_t index);
  void renameSystem(std::size_t index, std::string name);
  void setSystemT0(std::size_t index, double t0);
  // Clamped into kMinSimultaneityFactor..kMaxSimultaneityFactor; a value that
  // is not a number leaves the factor as it was.
  void setSystemFactor(std::size_t index, double factor);

  // The indexes of the rooms of a system (none: of no system), in order.
  std::vector<std::size_t> roomsOf(std::optional<std::size_t> system) const;

  friend bool operator==(const Project&, const Project&) = default;

 private:
  std::vector<ProjectRoom> rooms_;
  std::vector<RefrigerationSystem> systems_;
};

// Bounds a factor to its range (NaN gives the default).
double clampSimultaneityFactor(double factor);
inline bool isSimultaneityFactorInRange(double factor) {
  return factor >= kMinSimultaneityFactor && factor <= kMaxSimultaneityFactor;
}

// --- A room's calculation --------------------------------------------------

// The texts of the form's calculation as its .tpl holds them.
RoomTexts roomTextsOf(const CalculationForm& form);

// A room's name as a file name (without its extension) on every system: the
// characters Windows or POSIX forbid become "_", and an empty name becomes
// "Помещение N" after the room's index.
std::string roomFileName(const std::string& room, std::size_t index);

// The .tpl file of the texts (Windows-1251, CR LF): byte for byte what Save
// writes for the form the texts came from.
std::string roomFileBytes(const RoomTexts& texts);

// Reads the texts into `form` as "Открыть" reads the .tpl (Dialog mode: a
// format error shows "Другой формат файла" through `messages`, and changes
// nothing). Texts that could not stand as the lines of a .tpl (a line end
// inside a text, more texts than the file's lines) are a format error too.
ReadStatus readRoom(CalculationForm& form, const RoomTexts& texts, MessageSink& messages);

// One room computed.
struct RoomCalculation {
  ReadStatus status = ReadStatus::FormatError;  // Ok or FormatError
  CalculationRecord record;                     // the form's record after the read (with its results)
  std::vector<Message> messages;                // what the form showed while reading
};

// Computes rooms, each on a copy of one form prepared as the program starts
// (lists filled, defaults loaded, engine run). calculate() may run on several
// threads at once.
class RoomCalculator {
 public:
  explicit RoomCalculator(NumberLocale locale);
  RoomCalculator(const RoomCalculator&) = delete;
  RoomCalculator& operator=(const RoomCalculator&) = delete;

  RoomCalculation calculate(const RoomTexts& texts) const;

  // The form as a new calculation starts ("Новый"): copy it for a new room.
  const CalculationForm& preparedForm() const { return prepared_; }
  // The texts of a new room (the defaults).
  const RoomTexts& defaultTexts() const { return defaultTexts_; }
  const NumberLocale& locale() const { return prepared_.locale(); }

 private:
  class Kept : public MessageSink {
   public:
    void showMessage(const Message& message) override { messages.push_back(message); }
    std::vector<Message> messages;
  };
  Kept startMessages_;
  CalculationForm prepared_;
  RoomTexts defaultTexts_;
};

// --- Totals ------------------------------------------------------------------

// Sums over a group of rooms, in kW.
struct LoadSums {
  std::array<double, kGainCount> gains{};  // the rooms' shown gains, by Gain
  double qTotal = 0;                       // the rooms' sums ("Суммарно")
  double requiredCapacity = 0;             // the rooms' required capacities, before any factor
  std::size_t rooms = 0;
};

struct SystemTotals {
  LoadSums sums;
  double requiredCapacity = 0;  // the system's factor × sums.requiredCapacity
};

struct ProjectTotals {
  std::vector<SystemTotals> systems;  // by system index
  LoadSums unassigned;                // the rooms of no system, counted at their full capacity
  LoadSums all;                       // every room, without factors
  double requiredCapacity = 0;        // Σ systems' requiredCapacity + unassigned.requiredCapacity
};

// `records[i]` is room i's computed record (records.size() == rooms().size()).
ProjectTotals projectTotals(const Project& project, std::span<const CalculationRecord> records);

// --- Warnings ------------------------------------------------------------------

// Checks that never block anything; each names its room or system.
enum class ProjectWarningKind {
  RoomTooColdForSystem,  // the room is less than kMinRoomAboveT0 K warmer than its system's t0
  SystemWithoutRooms,
  DuplicateRoomName,
};

// A room must be at least this many kelvin warmer than its system's t0.
inline constexpr double kMinRoomAboveT0 = 5;

struct ProjectWarning {
  ProjectWarningKind kind;
  std::string text;                   // Russian, naming the room or system
  std::optional<std::size_t> room;    // the room concerned (a duplicate name: the first room that repeats it)
  std::optional<std::size_t> system;  // the system concerned
};

// Stable keys for machine-readable output: "room-too-cold-for-system",
// "system-without-rooms", "duplicate-room-name".
std::string_view warningKey(ProjectWarningKind kind);

// In this order: rooms too cold for their systems (by room), systems without
// rooms (by system), duplicate names (by the first room that repeats each).
std::vector<ProjectWarning> projectWarnings(const Project& project, std::span<const CalculationRecord> records);

}  // namespace kamerol
