#include "project/project_file.h"

#include <cmath>
#include <nlohmann/json.hpp>

namespace kamerol {
namespace {

using Json = nlohmann::ordered_json;

// Why a read stopped; caught at the top and turned into the result.
struct Refusal {
  ProjectReadError error;
  std::string text;
  std::optional<std::size_t> room = std::nullopt;
};

constexpr std::size_t kMaxProjectBytes = 256u << 20;

[[noreturn]] void broken(const std::string& where, const std::string& problem,
                         std::optional<std::size_t> room = std::nullopt) {
  throw Refusal{ProjectReadError::Broken, "Файл объекта повреждён: " + where + ": " + problem + ".", room};
}

// A member that may be missing (then empty); present, it must be a text.
std::string optionalText(const Json& object, const char* key, const std::string& where) {
  const auto it = object.find(key);
  if (it == object.end() || it->is_null()) return {};
  if (!it->is_string()) broken(where, std::string("«") + key + "» не текст");
  return it->get<std::string>();
}

std::string systemWhere(std::size_t index, const std::string& name) {
  return name.empty() ? "система №" + std::to_string(index + 1) : "система «" + name + "»";
}

std::string roomWhere(std::size_t index, const std::string& name) {
  return name.empty() ? "помещение №" + std::to_string(index + 1) : "помещение «" + name + "»";
}

RefrigerationSystem readSystem(const Json& value, std::size_t index) {
  if (!value.is_object()) broken(systemWhere(index, {}), "не объект");
  RefrigerationSystem system;
  system.name = optionalText(value, "name", systemWhere(index, {}));
  const std::string where = systemWhere(index, system.name);
  if (const auto t0 = value.find("t0"); t0 != value.end() && !t0->is_null()) {
    if (!t0->is_number() || !std::isfinite(t0->get<double>())) broken(where, "температура кипения «t0» не число");
    system.t0 = t0->get<double>();
  }
  if (const auto factor = value.find("factor"); factor != value.end() && !factor->is_null()) {
    if (!factor->is_number()) broken(where, "коэффициент одновременности «factor» не число");
    system.factor = factor->get<double>();
    if (!isSimultaneityFactorInRange(system.factor))
      broken(where, "коэффициент одновременности " + formatNumber(static_cast<float>(system.factor)) +
                        " вне пределов от " + formatNumber(static_cast<float>(kMinSimultaneityFactor)) + " до " +
                        formatNumber(static_cast<float>(kMaxSimultaneityFactor)));
  }
  return system;
}

ProjectRoom readRoomEntry(const Json& value, std::size_t index, std::size_t systems) {
  if (!value.is_object()) broken(roomWhere(index, {}), "не объект", index);
  ProjectRoom room;
  room.name = optionalText(value, "name", roomWhere(index, {}));
  const std::string where = roomWhere(index, room.name);
  if (const auto system = value.find("system"); system != value.end() && !system->is_null()) {
    if (!system->is_number_unsigned() || system->get<std::uint64_t>() >= systems)
      broken(where, "«system» не номер системы объекта", index);
    room.system = static_cast<std::size_t>(system->get<std::uint64_t>());
  }
  const auto texts = value.find("texts");
  if (texts == value.end() || !texts->is_array()) broken(where, "нет текстов расчёта «texts»", index);
  room.texts.reserve(texts->size());
  for (const Json& text : *texts) {
    if (!text.is_string()) broken(where, "текст расчёта не текст", index);
    room.texts.push_back(text.get<std::string>());
  }
  return room;
}

OpenedProject readProject(std::string_view bytes, const RoomCalculator& calculator) {
  Json document;
  try {
    document = Json::parse(bytes);
  } catch (const Json::parse_error& error) {
    throw Refusal{ProjectReadError::NotAProject,
                  "Это не файл объекта: ошибка в байте " + std::to_string(error.byte) + "."};
  } catch (const Json::exception&) {  // a number beyond a double's range
    throw Refusal{ProjectReadError::NotAProject, "Это не файл объекта: число вне пределов."};
  }
  if (!document.is_object() || document.value("format", Json()) != std::string(kProjectFormat))
    throw Refusal{ProjectReadError::NotAProject, "Это не файл объекта."};
  const Json version = document.value("version", Json());
  if (!version.is_number_integer() || version.get<std::int64_t>() < 1)
    broken("заголовок", "нет номера версии формата «version»");
  if (version.get<std::int64_t>() > kProjectFormatVersion)
    throw Refusal{ProjectReadError::NewerVersion, "Объект записан более новой версией программы (версия формата " +
                                                      std::to_string(version.get<std::int64_t>()) +
                                                      "); эта версия читает версию " +
                                                      std::to_string(kProjectFormatVersion) + "."};

  OpenedProject opened;
  Project& project = opened.project;
  project.details.title = optionalText(document, "title", "заголовок");
  project.details.client = optionalText(document, "client", "заголовок");
  project.details.author = optionalText(document, "author", "заголовок");
  project.details.date = optionalText(document, "date", "заголовок");

  // A missing list is an empty one.
  const Json none = Json::array();
  const auto list = [&](const char* key) -> const Json& {
    const auto it = document.find(key);
    if (it == document.end() || it->is_null()) return none;
    if (!it->is_array()) broken("заголовок", std::string("«") + key + "» не список");
    return *it;
  };
  const Json& systems = list("systems");
  for (std::size_t i = 0; i < systems.size(); ++i) project.addSystem(readSystem(systems[i], i));
  const Json& rooms = list("rooms");
  for (std::size_t i = 0; i < rooms.size(); ++i) project.addRoom(readRoomEntry(rooms[i], i, systems.size()));

  opened.rooms.reserve(project.rooms().size());
  for (std::size_t i = 0; i < project.rooms().size(); ++i) {
    RoomCalculation calculation = calculator.calculate(project.room(i).texts);
    if (calculation.status != ReadStatus::Ok) {
      const std::string& name = project.room(i).name;
      throw Refusal{ProjectReadError::BadRoom,
                    (name.empty() ? "Помещение №" + std::to_string(i + 1) : "Помещение «" + name + "»") + ": " +
                        formatErrorMessage().text,
                    i};
    }
    opened.rooms.push_back(std::move(calculation));
  }
  return opened;
}

}  // namespace

ProjectReadResult readProjectBytes(std::string_view bytes, const RoomCalculator& calculator) {
  ProjectReadResult result;
  try {
    result.opened = readProject(bytes, calculator);
  } catch (const Refusal& refusal) {
    result.error = refusal.error;
    result.message = formatErrorMessage();
    result.message.text = refusal.text;
    result.room = refusal.room;
  }
  return result;
}

ProjectReadResult readProjectFile(const std::filesystem::path& path, const RoomCalculator& calculator) {
  const auto bytes = readRegularFile(path, kMaxProjectBytes);
  if (!bytes) {
    ProjectReadResult result;
    result.error = ProjectReadError::CannotOpen;
    result.message = formatErrorMessage();
    result.message.text = "Не удалось открыть файл объекта.";
    return result;
  }
  return readProjectBytes(*bytes, calculator);
}

std::string projectFileBytes(const Project& project) {
  Json document;
  document["format"] = kProjectFormat;
  document["version"] = kProjectFormatVersion;
  document["title"] = project.details.title;
  document["client"] = project.details.client;
  document["author"] = project.details.author;
  document["date"] = project.details.date;
  Json& systems = document["systems"] = Json::array();
  for (const RefrigerationSystem& s : project.systems())
    systems.push_back(Json{{"name", s.name}, {"t0", s.t0}, {"factor", s.factor}});
  Json& rooms = document["rooms"] = Json::array();
  for (const ProjectRoom& r : project.rooms()) {
    Json room{{"name", r.name}};
    room["system"] = r.system ? Json(*r.system) : Json();
    room["texts"] = r.texts;
    rooms.push_back(std::move(room));
  }
  // Text that is not UTF-8 (a name from a command line in another encoding) is repaired, not refused.
  return document.dump(2, ' ', false, Json::error_handler_t::replace) + '\n';
}

WriteResult writeProjectFile(const Project& project, const std::filesystem::path& path) {
  return writeWholeFile(path, projectFileBytes(project));
}

}  // namespace kamerol
