// The settings dialog's behaviour: the state of every control and the handlers the window
// forwards its events to. The window layer only draws this state and performs the effects
// of DialogHost; it decides nothing.
//
// Event flow the window layer follows:
// - after creating the controls from DialogLayout(): Form_Load(); then a 50 ms timer whose
//   ticks go to Timer1_Timer();
// - mouse presses and releases on a control: MouseDown/MouseUp with the
//   control's id (the window keeps the mouse captured by the control while a button is held,
//   so the release arrives at the control that was pressed), x and y in pixels relative to
//   that control's top-left corner, `button` 1 left, 2 right, 4 middle, `shift` 1 shift,
//   2 control, 4 alt; the router calls the named handler;
// - scroll-bar messages: SliderAction(); list selection: ListSelect(); combo edits and
//   picks: BGM_Repeat_Change() / BGM_Repeat_Click();
// - the system's close command: CloseRequested().
// After each call the window repaints the controls passed to DialogHost::Invalidate.
// Handlers run in the order their events came; one nests in another only where the running
// one lets events run (DialogHost::DoEvents: during a folder listing or a rescan).
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/text.h"
#include "dialog/colour_walk.h"
#include "dialog/dialog_host.h"
#include "dialog/dialog_layout.h"
#include "dialog/event_pace.h"
#include "settings/settings_store.h"
#include "images/picture_list.h"
#include "toolkit/file_system.h"
#include "toolkit/picture_loader.h"
#include "toolkit/random.h"
#include "toolkit/surface.h"
#include "toolkit/system.h"

namespace orv {

// Fixed texts of the dialog's actions.
inline constexpr char16_t kFolderPrompt[] =
    u"ﾌｫﾙﾀﾞをｸﾘｯｸして選択状態にしてから ＯＫ を押してください";
inline constexpr char16_t kMusicFilterDescription[] = u"BGMﾌｧｲﾙ (MP3 WAV)";
inline constexpr char16_t kMusicFilterPattern[] = u"*.MP3;*.WAV";
inline constexpr char16_t kMusicDialogTitle[] = u"ﾌｧｲﾙを開く";
inline constexpr int32_t kMusicPathChars = 255;

// Messages (shown through System::ShowMessage, titled with the program's name).
inline constexpr char16_t kSaveFailedMessage[] =
    u"設定を保存できませんでした。\r\n"
    u"設定ﾌｧｲﾙに書き込めるか確かめてから、もう一度「設定」を押してください。";
inline constexpr char16_t kFolderUnreadableMessage[] = u"ﾌｫﾙﾀﾞを読み取れません。";
inline constexpr char16_t kFileVanishedMessage[] = u"ﾌｧｲﾙが見つかりません。";
inline constexpr char16_t kTooManyFilesMessage[] =
    u"画像ﾌｧｲﾙが多すぎます。32767 個までを表示します。";

// What a mark, caption, box or image shows.
struct ControlState {
  Text caption;
  bool enabled = true;
  bool visible = true;
  Artwork picture = Artwork::kNone;  // images: plates, faces, marks
  int16_t width = 0, height = 0;     // current size (the preview changes its own)
};

struct SliderState {
  int16_t min = 0, max = 0, smallChange = 1, largeChange = 1, value = 0;
};

// What the window reports from a horizontal scroll bar.
enum class ScrollAction : uint8_t {
  kLineLeft,       // arrow
  kLineRight,
  kPageLeft,       // click in the track
  kPageRight,
  kThumbTrack,     // thumb being dragged to `thumb`
  kThumbPosition,  // thumb released at `thumb`
  kLeft,           // Home
  kRight,          // End
  kEndScroll,      // the end of a scroll gesture: nothing changes
};

// Keys the dialog answers; the window translates the system's key codes into these.
enum class DialogKey : uint8_t {
  kTab, kBackTab, kEscape, kEnter, kSpace,
  kLeft, kRight, kUp, kDown, kPageUp, kPageDown, kHome, kEnd,
};

struct DialogServices {
  DialogHost& host;
  System& system;              // message boxes
  FileSystem& files;
  PictureLoader& pictures;
  Random& random;              // the link colour walk
  Clock& clock;                // paces the events a long listing lets run
  const SettingsStore& store;  // where "設定" writes
  const Surface* texture = nullptr;  // the background tile; nullptr leaves the panels grey
};

class DialogModel {
 public:
  DialogModel(PictureList& app, DialogServices services);

  // ---- window ----
  void Form_Load();
  // Unload: the closing outline back to the zoom point. Runs once, whichever way the
  // dialog closes.
  void Form_Unload();
  // The system's close command (title-bar button, Alt+F4): closes without saving.
  void CloseRequested();
  bool Closed() const { return closed_; }

  // ---- mouse routing: calls the handler named for the control, if any ----
  void MouseDown(ControlId id, int16_t button, int16_t shift, int32_t x, int32_t y);
  void MouseUp(ControlId id, int16_t button, int16_t shift, int32_t x, int32_t y);
  // Whether the pointing hand shows over this control.
  static bool ShowsHand(ControlId id);

  // ---- push buttons ----
  // Press shows the pressed face; the release shows the released face and then runs the
  // button's action, wherever the mouse is by then.
  void lbl_Button_MouseDown(int16_t index, int16_t button, int16_t shift, int32_t x, int32_t y);
  void lbl_Button_MouseUp(int16_t index, int16_t button, int16_t shift, int32_t x, int32_t y);
  void lbl_URL_MouseUp(int16_t button, int16_t shift, int32_t x, int32_t y);
  void Timer1_Timer();

  // ---- order and size options, sliders ----
  void Img_SR_MouseDown(int16_t index, int16_t button, int16_t shift, int32_t x, int32_t y);
  void lbl_Rdm_Seq_MouseDown(int16_t index, int16_t button, int16_t shift, int32_t x, int32_t y);
  void Img_Size_MouseDown(int16_t index, int16_t button, int16_t shift, int32_t x, int32_t y);
  void lbl_Size_MouseDown(int16_t index, int16_t button, int16_t shift, int32_t x, int32_t y);
  void HS_Interval_Change();
  void HS_Interval_Scroll();
  void HS_Change(int16_t index);
  void HS_Scroll(int16_t index);
  // Moves a slider (HS_Interval or HS(k)) as the scroll-bar message asks and raises its
  // change or scroll handler.
  void SliderAction(ControlId slider, ScrollAction action, int32_t thumb = 0);
  // Sets a slider's position as a program does; false (and nothing changes) when the value
  // lies outside the slider's range. Raises the change handler when the position changes.
  bool SetSliderValue(ControlId slider, int32_t value);

  // ---- folder, kinds, list ----
  void ChooseImageFolder();
  // Appends the files that match `pattern` with exactly `attribute` to the found files.
  void CollectMatchingFiles(const Text& dir, const std::optional<std::vector<FileEntry>>& entries,
                            int16_t attribute);
  void Img_Kind_MouseDown(int16_t index, int16_t button, int16_t shift, int32_t x, int32_t y);
  void lbl_Kind_MouseDown(int16_t index, int16_t button, int16_t shift, int32_t x, int32_t y);
  // The user selected item `index` of List_1 (-1: none); runs List_1_Click.
  void ListSelect(int32_t index);
  void List_1_Click();

  // ---- music ----
  void Img_BGM_MouseDown(int16_t index, int16_t button, int16_t shift, int32_t x, int32_t y);
  void lbl_BGM_MouseDown(int16_t index, int16_t button, int16_t shift, int32_t x, int32_t y);
  void ChooseMusicFile();
  // The user edited the combo box's text / picked item `index` of its list.
  void BGM_Repeat_Change(const Text& text);
  void BGM_Repeat_Click(int32_t index);

  // ---- keyboard (dialog_keys.cpp) ----
  // A key pressed while the dialog's own window has the focus, and Tab, Esc and Enter from
  // the list and the combo box. True when the dialog used it.
  bool KeyDown(DialogKey key);
  // The control that has the focus: a push button's caption, a kind's caption, the chosen
  // option's caption, a slider, the list, the combo box or the link.
  ControlId Focus() const { return focus_; }
  // Every control the focus can reach now, in reading order.
  std::vector<ControlId> FocusStops() const;
  // A click gave this control the focus (a click elsewhere leaves it where it is).
  void FocusOn(ControlId id);
  // The focus shows once the keyboard has been used, as in the system's own dialogs.
  bool FocusShown() const { return focusShown_ && !closed_; }

  // ---- state for drawing ----
  const ControlState& State(ControlId id) const;
  const SliderState& Slider(ControlId slider) const;
  const std::vector<Text>& ListItems() const { return listItems_; }
  int32_t ListIndex() const { return listIndex_; }
  const std::vector<Text>& ComboItems() const { return comboItems_; }
  const Text& ComboText() const { return comboText_; }
  // Panels: Pic_C, then Pic_1(0..2); each tiled with the background texture at load.
  const Surface& PanelSurface(ControlId panel) const;
  // The preview surface Pic_K at its current size (State(Pic_K) gives size and visibility).
  const Surface& PreviewSurface() const { return preview_; }
  uint32_t UrlColour() const { return walk_.Colour(); }

  // What the dialog has found by its own listing (full paths).
  const std::vector<Text>& FoundFiles() const { return foundFiles_; }
  int16_t FoundCount() const { return foundCount_; }

 private:
  ControlState& Mutable(ControlId id);
  void SetCaption(ControlId id, Text caption);
  void SetPicture(ControlId id, Artwork picture);
  void SetEnabled(ControlId id, bool enabled);
  void SetNumberCaption(ControlId id, int32_t value);
  void SetSliderPosition(ControlId slider, int16_t value, bool scrolling);
  SliderState* MutableSlider(ControlId slider);
  void ShowList(std::vector<Text> items);
  void ClearList() { ShowList({}); }
  std::vector<Text> ShownNames(std::span<const Text> paths);
  void ShowImageList();
  void LetListingEventsRun();
  void ChooseOption(Ctl marks, int16_t index, int16_t& variable);
  void SwitchKind(int16_t index);
  void SelectMusicSource(int16_t index);
  void RunButtonAction(int16_t index);
  void ResetCrashSliders();
  void ClearFolder();
  void Save();
  void Unload();
  void DrawPreviewEdge();
  void InitMusic();
  void InitFolder();
  void InitOptions();
  void InitSliders();
  void ReportListingError(const char16_t* message);
  void ClearPreview(const char16_t* note);
  void ShowPreviewSurface();
  void InitLink();
  void MoveFocus(int step);
  void SetFocus(ControlId id);
  bool PressButton(int16_t index);
  bool MoveOption(ControlId focus, int step);

  PictureList& app_;
  DialogServices services_;
  std::vector<ControlState> states_;  // by DialogLayout() row
  SliderState interval_;
  std::array<SliderState, 6> crash_{};
  std::vector<Text> listItems_;
  int32_t listIndex_ = -1;
  std::vector<Text> comboItems_;
  Text comboText_;
  std::array<Surface, 4> panels_;
  Surface preview_;   // Pic_K
  Surface loaded_;    // Pic_F: the full-size picture of the last preview
  ColourWalk walk_;
  std::vector<Text> foundFiles_;
  int16_t foundCount_ = 0;
  int16_t shownCount_ = 0;             // what the count box shows of a running listing
  EventPace pace_;                     // events during listings and rescans
  std::optional<int16_t> heldButton_;  // push button pressed and not yet released
  bool listing_ = false;               // a folder listing or a rescan is running
  bool listingErrorShown_ = false;     // one message per listing, not one per pattern
  bool urlHeld_ = false;               // the link was pressed and not yet released
  bool closed_ = false;
  int16_t zoomX_ = 0, zoomY_ = 0;  // where the dialog grows out of and shrinks back to
  bool previewBlank_ = true;  // Pic_K shows no picture
  Text readmePath_;           // what the link opens; empty: no link
  ControlId focus_{Ctl::lbl_Button, 0};
  bool focusShown_ = false;
};

// Track numbers in the combo box: "##", so 0 is empty text.
Text FormatTrack(int32_t track);

// The preview's size for a picture of w x h fitted into 100 x 100 keeping its shape, each
// side rounded half to even. Empty for an empty picture.
PixelSize FitPreview(int32_t width, int32_t height);

// Fills `target` with copies of `texture` from the top-left corner, column by column.
void TileBackground(Surface& target, const Surface& texture);

}  // namespace orv
