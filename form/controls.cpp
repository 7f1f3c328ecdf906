#include "form/controls.h"

#include <algorithm>
#include <array>

namespace kamerol {
namespace {

struct ControlInfo {
  Control control;
  std::string_view name;
  ControlKind kind;
};

constexpr std::array<ControlInfo, kControlCount> kControls = {{
    {Control::Text1, "Text1", ControlKind::TextBox},          {Control::Text2, "Text2", ControlKind::TextBox},
    {Control::Text3, "Text3", ControlKind::TextBox},          {Control::Text4, "Text4", ControlKind::TextBox},
    {Control::Text5, "Text5", ControlKind::TextBox},          {Control::Text6, "Text6", ControlKind::TextBox},
    {Control::Text7, "Text7", ControlKind::TextBox},          {Control::Text8, "Text8", ControlKind::TextBox},
    {Control::Text9, "Text9", ControlKind::TextBox},          {Control::Text10, "Text10", ControlKind::TextBox},
    {Control::Text11, "Text11", ControlKind::TextBox},        {Control::Text12, "Text12", ControlKind::TextBox},
    {Control::Text13, "Text13", ControlKind::TextBox},        {Control::Text14, "Text14", ControlKind::TextBox},
    {Control::Text15, "Text15", ControlKind::TextBox},        {Control::Text16, "Text16", ControlKind::TextBox},
    {Control::Text17, "Text17", ControlKind::TextBox},        {Control::Text18, "Text18", ControlKind::TextBox},
    {Control::Text19, "Text19", ControlKind::TextBox},        {Control::Text20, "Text20", ControlKind::TextBox},
    {Control::Text21, "Text21", ControlKind::TextBox},        {Control::Text22, "Text22", ControlKind::TextBox},
    {Control::Text23, "Text23", ControlKind::TextBox},        {Control::Text24, "Text24", ControlKind::TextBox},
    {Control::Text25, "Text25", ControlKind::TextBox},        {Control::Text26, "Text26", ControlKind::TextBox},
    {Control::Text27, "Text27", ControlKind::TextBox},        {Control::Text31, "Text31", ControlKind::TextBox},
    {Control::Text32, "Text32", ControlKind::TextBox},        {Control::Text33, "Text33", ControlKind::TextBox},
    {Control::Text34, "Text34", ControlKind::TextBox},        {Control::Text35, "Text35", ControlKind::TextBox},
    {Control::Text36, "Text36", ControlKind::TextBox},        {Control::Text37, "Text37", ControlKind::TextBox},
    {Control::Text38, "Text38", ControlKind::TextBox},        {Control::Text39, "Text39", ControlKind::TextBox},
    {Control::Text40, "Text40", ControlKind::TextBox},        {Control::Text41, "Text41", ControlKind::TextBox},
    {Control::Text42, "Text42", ControlKind::TextBox},        {Control::Text43, "Text43", ControlKind::TextBox},
    {Control::Text44, "Text44", ControlKind::TextBox},        {Control::Text45, "Text45", ControlKind::TextBox},
    {Control::Text46, "Text46", ControlKind::TextBox},        {Control::Text47, "Text47", ControlKind::TextBox},
    {Control::Text48, "Text48", ControlKind::TextBox},        {Control::Text49, "Text49", ControlKind::TextBox},
    {Control::Combo1, "Combo1", ControlKind::ComboBox},       {Control::Combo2, "Combo2", ControlKind::ComboBox},
    {Control::Combo3, "Combo3", ControlKind::ComboBox},       {Control::Combo4, "Combo4", ControlKind::ComboBox},
    {Control::Combo5, "Combo5", ControlKind::ComboBox},       {Control::Combo6, "Combo6", ControlKind::ComboBox},
    {Control::Combo8, "Combo8", ControlKind::ComboBox},       {Control::Combo9, "Combo9", ControlKind::ComboBox},
    {Control::Combo10, "Combo10", ControlKind::ComboBox},     {Control::Check2, "Check2", ControlKind::CheckBox},
    {Control::Check3, "Check3", ControlKind::CheckBox},       {Control::Check4, "Check4", ControlKind::CheckBox},
    {Control::Check5, "Check5", ControlKind::CheckBox},       {Control::Check6, "Check6", ControlKind::CheckBox},
    {Control::Check7, "Check7", ControlKind::CheckBox},       {Control::Check8, "Check8", ControlKind::CheckBox},
    {Control::Check9, "Check9", ControlKind::CheckBox},       {Control::Check10, "Check10", ControlKind::CheckBox},
    {Control::Check11, "Check11", ControlKind::CheckBox},     {Control::Check12, "Check12", ControlKind::CheckBox},
    {Control::Option1, "Option1", ControlKind::OptionButton}, {Control::Option2, "Option2", ControlKind::OptionButton},
    {Control::UpDown1, "UpDown1", ControlKind::UpDown},       {Control::UpDown2, "UpDown2", ControlKind::UpDown},
    {Control::UpDown3, "UpDown3", ControlKind::UpDown},       {Control::UpDown4, "UpDown4", ControlKind::UpDown},
    {Control::UpDown5, "UpDown5", ControlKind::UpDown},       {Control::UpDown6, "UpDown6", ControlKind::UpDown},
    {Control::UpDown7, "UpDown7", ControlKind::UpDown},       {Control::UpDown8, "UpDown8", ControlKind::UpDown},
    {Control::UpDown9, "UpDown9", ControlKind::UpDown},       {Control::UpDown10, "UpDown10", ControlKind::UpDown},
    {Control::UpDown11, "UpDown11", ControlKind::UpDown},     {Control::UpDown12, "UpDown12", ControlKind::UpDown},
    {Control::UpDown13, "UpDown13", ControlKind::UpDown},     {Control::UpDown14, "UpDown14", ControlKind::UpDown},
    {Control::UpDown15, "UpDown15", ControlKind::UpDown},     {Control::UpDown16, "UpDown16", ControlKind::UpDown},
    {Control::UpDown17, "UpDown17", ControlKind::UpDown},     {Control::UpDown18, "UpDown18", ControlKind::UpDown},
    {Control::UpDown19, "UpDown19", ControlKind::UpDown},     {Control::UpDown20, "UpDown20", ControlKind::UpDown},
    {Control::UpDown21, "UpDown21", ControlKind::UpDown},     {Control::UpDown22, "UpDown22", ControlKind::UpDown},
    {Control::UpDown23, "UpDown23", ControlKind::UpDown},     {Control::UpDown24, "UpDown24", ControlKind::UpDown},
    {Control::UpDown25, "UpDown25", ControlKind::UpDown},     {Control::UpDown26, "UpDown26", ControlKind::UpDown},
    {Control::UpDown27, "UpDown27", ControlKind::UpDown},     {Control::UpDown28, "UpDown28", ControlKind::UpDown},
    {Control::UpDown29, "UpDown29", ControlKind::UpDown},
}};

constexpr std::array<Control, kControlCount> kAll = [] {
  std::array<Control, kControlCount> all{};
  for (int i = 0; i < kControlCount; ++i)
    all[static_cast<std::size_t>(i)] = kControls[static_cast<std::size_t>(i)].control;
  return all;
}();

}  // namespace

ControlKind kindOf(Control control) { return kControls[static_cast<std::size_t>(indexOf(control))].kind; }

std::string_view nameOf(Control control) { return kControls[static_cast<std::size_t>(indexOf(control))].name; }

std::optional<Control> controlNamed(std::string_view name) {
  const auto it =
      std::find_if(kControls.begin(), kControls.end(), [name](const ControlInfo& c) { return c.name == name; });
  if (it == kControls.end()) return std::nullopt;
  return it->control;
}

std::span<const Control> allControls() { return kAll; }

}  // namespace kamerol
