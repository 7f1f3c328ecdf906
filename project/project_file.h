#pragma once

// The project file (.kamerol): one UTF-8 JSON object,
//
//   {"format": "kamerol-project", "version": 1,
//    "title": ..., "client": ..., "author": ..., "date": ...,
//    "systems": [{"name": ..., "t0": -18, "factor": 1}, ...],
//    "rooms": [{"name": ..., "system": 0 or null, "texts": [53 strings]}, ...]}
//
// A room's "texts" are the lines of its .tpl as UTF-8. Reading builds a new
// project and computes every room; only a whole success gives a project, so
// a failed read changes nothing that is open.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "form/messages.h"
#include "platform/file_access.h"
#include "project/project.h"

namespace kamerol {

inline constexpr std::string_view kProjectFormat = "kamerol-project";
inline constexpr int kProjectFormatVersion = 1;
inline constexpr std::string_view kProjectExtension = ".kamerol";

// A project as read: its data and every room computed (by room index).
struct OpenedProject {
  Project project;
  std::vector<RoomCalculation> rooms;
};

enum class ProjectReadError {
  None,
  CannotOpen,    // missing, unreadable, not a regular file
  NotAProject,   // not JSON, or JSON without the project's format name
  NewerVersion,  // a format version this program does not know yet
  Broken,        // a project whose members are missing or of the wrong kind
  BadRoom,       // a room whose texts fail as a .tpl would ("Другой формат файла")
};

struct ProjectReadResult {
  ProjectReadError error = ProjectReadError::None;
  std::optional<OpenedProject> opened;  // set exactly when error is None
  // Why it failed, in Russian, naming the room where one is at fault; titled
  // as the program's other file messages ("Сообщение программы").
  Message message;
  std::optional<std::size_t> room;  // the room at fault, by index in the file

  explicit operator bool() const { return error == ProjectReadError::None; }
};

ProjectReadResult readProjectBytes(std::string_view bytes, const RoomCalculator& calculator);
ProjectReadResult readProjectFile(const std::filesystem::path& path, const RoomCalculator& calculator);

// The file's bytes: indented JSON, UTF-8, ending with a line feed.
std::string projectFileBytes(const Project& project);

// Saved as a .tpl is saved: the old file is replaced only once the new one
// is complete on disk (see writeWholeFile).
WriteResult writeProjectFile(const Project& project, const std::filesystem::path& path);

}  // namespace kamerol
