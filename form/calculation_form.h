#pragma once

// The calculation form without a toolkit: every control with its text, state,
// lock, visibility and colours, and the reactions of each change, focus,
// Enter, pick and click. A window only shows this model and forwards the
// user's events to it.
//
// Setting a control's text or state from code runs that control's reactions
// at once, before the caller goes on, exactly as a user's edit would; setting
// a text to the text it already has is no change. Loading the defaults and
// reading a calculation file rely on this, and it is what ends the re-entrant
// chains (the lighting power written back by the engine, the final product
// temperature pulled up to the room temperature, a thickness field repairing
// itself).
//
// A change of an input from outside (typed, pasted, picked, clicked, stepped)
// is the user's edit and marks the calculation modified, as a changed result
// does. The changes the form makes itself do not: those of its reactions, of
// loading the defaults, of the focus (clearing a "0" as a field takes it and
// putting it back as the field is left), and those made while a
// ProgramChanges lives (reading a calculation file).

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/engine.h"
#include "core/number_text.h"
#include "core/record.h"
#include "core/sketch.h"
#include "form/calculation_fields.h"
#include "form/messages.h"
#include "form/navigation.h"

namespace kamerol {

namespace detail {
struct NumericRule;  // how one numeric input field reads, checks and resets its text
}

enum class Alignment : unsigned char { Centre, Left };

enum class Background : unsigned char {
  Window,    // the normal window background
  Focus,     // light green (128, 255, 128): the field being edited
  Grey,      // (224, 224, 224): locked and read-only boxes
  DarkBlue,  // the room temperature box
  Black,     // the required capacity while it cannot be computed
};

// The text colour of a results-panel row: red for the rows of the current
// page, purple for the others.
enum class RowColour : unsigned char { Normal, Purple, Red };

struct ControlState {
  std::string text;  // text boxes and the edit field of a list
  // Drop-down lists. The entries are the program's own tables, which live as
  // long as the program: a copy of the form copies no names.
  std::vector<std::string_view> items;
  int value = 0;  // check boxes 0/1/2 (2: greyed), option buttons 0/1, spinners
  int step = 1;   // spinners
  int minimum = 0;
  int maximum = 0;
  bool locked = false;  // the user cannot type into it (it can still take the focus)
  bool visible = true;
  bool enabled = true;
  Alignment alignment = Alignment::Centre;
  Background background = Background::Window;
  RowColour colour = RowColour::Normal;
};

// Labels whose text or visibility changes.
enum class Caption : unsigned char {
  Hours,       // beside equipHoursField
  Mass,        // beside dailyMassField
  StoredMass,  // beside storedMassField, hidden in freezing mode
  FanPercent,  // beside fanPercentField, hidden with the refined fan calculation
};
inline constexpr int kCaptionCount = 4;

struct CaptionState {
  std::string text;
  bool visible = true;
};

// The up/down arrows that step a field; empty for a field without them.
std::optional<Control> spinnerOf(Control field);

// Told about every change of the model's state, so a window can show it.
class FormObserver {
 public:
  virtual ~FormObserver() = default;
  virtual void controlChanged(Control) {}
  virtual void captionChanged(Caption) {}
  virtual void pageChanged() {}
  virtual void sketchChanged() {}
};

class CalculationForm {
 public:
  // The form in its state at creation: lists empty, texts empty, the
  // recommended lighting on, storage mode, every gain included, page 1.
  CalculationForm(MessageSink& messages, NumberLocale locale);

  CalculationForm(const CalculationForm&) = delete;
  CalculationForm& operator=(const CalculationForm&) = delete;

  // The form `other` as it stands, showing its messages through `messages`
  // and with no observer: many calculations can start from one prepared form.
  CalculationForm(const CalculationForm& other, MessageSink& messages);

  // The window's observer. Others that follow the form (the load chart) add
  // themselves and are told after it, in the order they were added.
  void setObserver(FormObserver* observer) { observer_ = observer; }
  void addObserver(FormObserver* observer);
  void removeObserver(FormObserver* observer);

  // --- State -------------------------------------------------------------
  const ControlState& control(Control c) const { return controls_[static_cast<std::size_t>(indexOf(c))]; }
  const std::string& text(Control c) const { return control(c).text; }
  bool checked(Control c) const { return control(c).value != 0; }
  const CaptionState& caption(Caption c) const { return captions_[static_cast<std::size_t>(c)]; }
  const CalculationRecord& record() const { return record_; }
  const CalculationInputs& inputs() const { return record_.inputs; }
  const CalculationResults& results() const { return record_.results; }
  // The engine's last run with the panel's counted values: every
  // intermediate value behind the results, for the calculation trace.
  const HeatLoad& heatLoad() const { return load_; }
  bool modified() const { return record_.modified; }
  int currentPage() const { return currentPage_; }
  bool frameVisible(int page) const;
  std::optional<Control> focusedControl() const { return focused_; }
  // Whether the control is shown: its own flag and, for controls on a page,
  // the page's frame.
  bool shown(Control c) const;
  const RoomSketch& sketch() const { return sketch_; }
  const NumberLocale& locale() const { return locale_; }

  // --- Events ------------------------------------------------------------
  // A text box's or a list's edit field gets this text: typed, pasted, or set
  // by the program. Runs the change reaction unless the text is unchanged.
  void setText(Control c, std::string_view text);
  // The user picks entry `index` of a drop-down list.
  void pickEntry(Control list, std::size_t index);
  // The program sets a check box (0, 1, 2) or an option button (0, 1). A
  // check box reacts when its state changes, an option button when it becomes
  // selected; setting an option button to 0 selects nothing else.
  void setState(Control c, int value);
  // The user clicks a check box (toggles it) or an option button (selects it;
  // its reaction runs even when it was selected already). A disabled control
  // ignores the click.
  void click(Control c);
  // The control gains or loses the keyboard focus. A hidden or disabled
  // control cannot gain it (returns false).
  bool focusGained(Control c);
  void focusLost(Control c);
  // Moves the focus: the focused control loses it, then `c` gains it.
  bool moveFocus(Control c);
  // Enter pressed in `c`: the control the focus goes to, if Enter moves it.
  std::optional<Control> enterPressed(Control c) const { return nextOnEnter(c); }
  // A spinner's arrow: +1 up, -1 down.
  void spin(Control upDown, int direction);
  // The user selects a tab (1..10): shows its frame, colours the result rows,
  // recalculates.
  void selectPage(int page);

  // --- Routines ----------------------------------------------------------
  // Fills the material, insulation, curtain and category lists.
  void fillLists();
  // Loads the defaults of a new calculation, control by control.
  void loadDefaults();
  // Runs the heat-load engine and shows its results.
  void recalculate();

  // --- For the calculation file -------------------------------------------
  // While one lives, changes from outside are the program's, not the user's:
  // they mark the calculation modified only through its results.
  class ProgramChanges {
   public:
    explicit ProgramChanges(CalculationForm& form) : form_(form) { ++form_.programChanges_; }
    ~ProgramChanges() { --form_.programChanges_; }
    ProgramChanges(const ProgramChanges&) = delete;
    ProgramChanges& operator=(const ProgramChanges&) = delete;

   private:
    CalculationForm& form_;
  };

  // Stores a held value directly, without touching any text.
  void setHeldValue(float CalculationInputs::*field, float value) { record_.inputs.*field = value; }
  void setModified(bool modified) { record_.modified = modified; }

 private:
  using NumericRule = detail::NumericRule;

  ControlState& state(Control c) { return controls_[static_cast<std::size_t>(indexOf(c))]; }
  void changed(Control c);
  // A control changed: the user's edit when the change comes from outside.
  void edited();
  template <typename... Args>
  void notify(void (FormObserver::*event)(Args...), Args... args);
  void changeCaption(Caption c, std::string_view text, bool visible);
  void showMessage(std::string_view text);

  // Sets a text without any reaction (the reactions are the caller's).
  bool storeText(Control c, std::string_view text);
  void onTextChanged(Control c);
  void onNumericChanged(const NumericRule& rule);
  void onOutsideTempChanged(const NumericRule& rule);
  void onProductTempChanged(const NumericRule& rule);
  void onRoomTempChanged();
  void onListChanged(Control list, bool picked);
  void onStateChanged(Control c);
  void onOptionSelected(Control c);
  void leaveField(const NumericRule& rule);
  void redrawSketch();
  void applyEngineRun();

  float& held(const NumericRule& rule);
  float readHeld(const NumericRule& rule, std::string_view text) const;

  // Category fill: the products of the category, the first one selected.
  void fillProducts(std::string_view category);
  void lookUpProduct();

  static const NumericRule* ruleFor(Control c);

  MessageSink& messages_;
  NumberLocale locale_;
  FormObserver* observer_ = nullptr;
  std::vector<FormObserver*> observers_;
  std::array<ControlState, kControlCount> controls_;
  std::array<CaptionState, kCaptionCount> captions_;
  std::array<bool, kPageCount> frames_{};
  CalculationRecord record_;
  RoomSketch sketch_;
  int currentPage_ = 1;
  std::optional<Control> focused_;
  HeatLoad load_;
  int depth_ = 0;           // nesting of change reactions
  int engineRuns_ = 0;      // engine runs so far, to tell a nested run
  int programChanges_ = 0;  // live ProgramChanges
};

}  // namespace kamerol
