#include "app/handlers.h"

#include "app/app_constants.h"
#include "app/app_routines.h"
#include "app/main_window_units.h"
#include "app/runtime_link.h"
#include "app/texts.h"

namespace app {

namespace {

using runtime::ArgumentRecord;
using runtime::IntValue;
using runtime::TextValue;
using runtime::ValueRecord;

constexpr ValueRecord kOmitted{};

ArgumentRecord Panel() { return runtime::UnitReference(kMainWindow, kDrawPanel, kDrawPanelType); }

// An edit box's text turned into an integer; the text read is freed.
int32_t EditBoxNumber(uint32_t edit_box) {
  char* text = ReadTextProperty(kMainWindow, edit_box, property::kEditContent);
  const int32_t number =
      CallCommand(runtime::kCommandToInteger, {TextValue(TextOrEmpty(text))}).AsInt32();
  MemFree(text);
  return number;
}

void TakePickerColourAs(int32_t panel_property) {
  const uint32_t colour = ReadIntProperty(kMainWindow, kColorPicker, property::kColor);
  WriteIntProperty(kMainWindow, kDrawPanel, panel_property, colour);
}

// The open dialog and the picture load that both picture buttons start with;
// false when the user cancelled and nothing changed.
bool ChooseAndLoadPicture() {
  WriteTextProperty(kMainWindow, kCommonDlg, property::kFilter, Constants().picture_filter);
  const ArgumentRecord dialog = runtime::UnitReference(kMainWindow, kCommonDlg, kCommonDlgType);
  if (CallCommand(runtime::kCommandOpen, {dialog}).AsInt32() == 0) return false;

  AppGlobals& globals = Globals();
  char* chosen = ReadTextProperty(kMainWindow, kCommonDlg, property::kFileName);
  MemFree(globals.picture_file_name);
  globals.picture_file_name = chosen;
  globals.loaded_picture =
      CallCommand(runtime::kCommandLoadPicture, {TextValue(TextOrEmpty(chosen))}).AsInt32();
  return true;
}

void DrawLoadedPicture(int32_t width, int32_t height) {
  CallCommand(runtime::kCommandDrawPicture,
              {Panel(), IntValue(Globals().loaded_picture), IntValue(0), IntValue(0),
               IntValue(width), IntValue(height), kOmitted});
}

// Run directory, "/", the typed name and the chosen extension, with no
// further checks; the parts read are freed.
char* SavePath() {
  auto* directory =
      static_cast<char*>(CallCommand(runtime::kCommandGetRunDirectory, {}).AsPointer());
  char* name = ReadTextProperty(kMainWindow, kNameEdit, property::kEditContent);
  char* extension = ReadTextProperty(kMainWindow, kExtensionCombo, property::kComboContent);
  char* path = JoinTexts({directory, Constants().path_separator, name, extension});
  MemFree(directory);
  MemFree(name);
  MemFree(extension);
  return path;
}

// Writes `bytes` under the save path and confirms a successful write; frees
// both the path and `bytes`.
void SaveAndConfirm(char* path, void* bytes) {
  const ValueRecord written =
      CallCommand(runtime::kCommandWriteToFile,
                  {TextValue(TextOrEmpty(path)), runtime::ByteSetValue(ByteSetOrEmpty(bytes))});
  MemFree(path);
  MemFree(bytes);
  if (written.AsInt32() == 0) return;
  CallCommand(runtime::kCommandShowMessageBox,
              {TextValue(Constants().saved_message), IntValue(0), kOmitted, kOmitted});
}

}  // namespace

HandlerResult OnPanelMouseMove(const uint32_t* arguments, int32_t count) {
  if (Globals().mouse_down != 1 || count < 2) return {};
  WriteIntProperty(kMainWindow, kDrawPanel, property::kPenWidth, 4);
  TakePickerColourAs(property::kPenColor);
  const auto x = static_cast<int32_t>(arguments[0]);
  const auto y = static_cast<int32_t>(arguments[1]);
  CallCommand(runtime::kCommandDrawLine,
              {Panel(), IntValue(x), IntValue(y), IntValue(x), IntValue(y)});
  return {};
}

HandlerResult OnPanelMouseDown(const uint32_t*, int32_t) {
  Globals().mouse_down = 1;
  return {};
}

HandlerResult OnPanelMouseUp(const uint32_t*, int32_t) {
  Globals().mouse_down = 0;
  return {};
}

HandlerResult OnAddText(const uint32_t*, int32_t) {
  TakePickerColourAs(property::kTextColor);
  char* text = ReadTextProperty(kMainWindow, kTextEdit, property::kEditContent);
  CallCommand(runtime::kCommandWriteText, {Panel(), TextValue(TextOrEmpty(text))});
  MemFree(text);
  return {};
}

HandlerResult OnPlaceText(const uint32_t*, int32_t) {
  TakePickerColourAs(property::kTextColor);
  const int32_t x = EditBoxNumber(kTextXEdit);
  const int32_t y = EditBoxNumber(kTextYEdit);
  char* text = ReadTextProperty(kMainWindow, kTextEdit, property::kEditContent);
  CallCommand(runtime::kCommandWriteTextAt,
              {Panel(), IntValue(x), IntValue(y), TextValue(TextOrEmpty(text))});
  MemFree(text);
  return {};
}

HandlerResult OnAddSmallPicture(const uint32_t*, int32_t) {
  if (!ChooseAndLoadPicture()) return {};
  const int32_t width = EditBoxNumber(kWidthEdit);
  const int32_t height = EditBoxNumber(kHeightEdit);
  DrawLoadedPicture(width, height);
  return {};
}

HandlerResult OnOpenPicture(const uint32_t*, int32_t) {
  if (!ChooseAndLoadPicture()) return {};
  const auto width =
      static_cast<int32_t>(ReadIntProperty(kMainWindow, kDrawPanel, property::kWidth));
  const auto height =
      static_cast<int32_t>(ReadIntProperty(kMainWindow, kDrawPanel, property::kHeight));
  DrawLoadedPicture(width, height);
  return {};
}

HandlerResult OnSaveFile(const uint32_t*, int32_t) {
  char* path = SavePath();
  void* bytes = CallCommand(runtime::kCommandGetPicture, {Panel(), kOmitted, kOmitted}).AsPointer();
  SaveAndConfirm(path, bytes);
  return {};
}

HandlerResult OnClearAll(const uint32_t*, int32_t) {
  CallCommand(runtime::kCommandRedraw, {Panel()});
  return {};
}

HandlerResult OnSavePicBox(const uint32_t*, int32_t) {
  char* path = SavePath();
  void* bytes = ReadByteSetProperty(kMainWindow, kPicBox, property::kPicture);
  SaveAndConfirm(path, bytes);
  return {};
}

}  // namespace app
