// The settings dialog's controls as data: what each one is, where it sits, what it says and
// how it looks. The window layer creates and draws the controls by walking this table in
// order (a later row lies above an earlier one: captions above their plates and faces).
#pragma once
#include <cstdint>
#include <optional>
#include <span>

#include "core/text.h"
#include "orvane_version.h"

namespace orv {

// Control arrays and single controls, named as the dialog names them. A single control
// is index 0 of its name.
enum class Ctl : uint8_t {
  Pic_C,        // the panel that fills the client area
  Pic_1,        // the three group panels, 0 right, 1 left, 2 bottom
  Img_H,        // heading plates 1..8
  lbl,          // plain captions and heading captions 0..17
  Img_Button,   // push-button faces 0..5
  lbl_Button,   // push-button captions 0..5 (they take the mouse)
  lbl_Kei,      // number of listed pictures (box)
  List_1,       // picture file names
  Folder_Path,  // chosen picture folder (box)
  lbl_PreSize,  // picture size of the preview
  Pic_K,        // preview surface
  Img_Kind,     // picture-kind marks 0..3
  lbl_Kind,     // picture-kind captions 0..3
  Img_SR,       // order option marks 0..1
  lbl_Rdm_Seq,  // order option captions 0..1
  Img_Size,     // size option marks 0..1
  lbl_Size,     // size option captions 0..1
  HS_Interval,  // interval slider
  lbl_Sec,      // interval value
  HS,           // crash sliders 0..5
  lbl_Value,    // crash values 0..5
  Img_BGM,      // music source marks 0..2
  lbl_BGM,      // music source captions 0..2
  BGM_Repeat,   // CD track to repeat (editable drop-down)
  lbl_Fname,    // music file (box)
  lbl_URL,      // link to the notes shipped beside the program
  lbl_PreNote,  // what the preview area says instead of a picture
};

struct ControlId {
  Ctl name = Ctl::Pic_C;
  int16_t index = 0;
  friend bool operator==(const ControlId&, const ControlId&) = default;
};

enum class ControlKind : uint8_t {
  kPanel,    // textured picture surface that holds other controls
  kPicture,  // image showing one of the dialog's pictures (plates, faces, marks), stretched
  kLabel,    // caption, transparent unless `box`
  kSlider,   // horizontal scroll bar
  kList,     // list box, white
  kCombo,    // editable drop-down
  kSurface,  // picture surface drawn by the dialog (the preview)
};

enum class Align : uint8_t { kLeft, kCenter, kRight };

// The dialog's fixed pictures; which one an image shows is part of the dialog's state.
enum class Artwork : uint8_t {
  kNone,            // no picture (marks before they are first set)
  kPlate,           // heading plate, 95 x 22
  kButtonPressed,   // push-button face held down, 95 x 22, light blue
  kButtonReleased,  // push-button face at rest, 95 x 22, darker blue with a frame
  kOptionOff,       // round mark, 13 x 13
  kOptionOn,        // round mark with a red centre, 13 x 13
  kKindOff,         // square mark, 12 x 12
  kKindOn,          // square mark filled blue, 12 x 12
};

// Colours are 0x00RRGGBB.
struct ControlLayout {
  ControlId id;
  ControlKind kind = ControlKind::kLabel;
  std::optional<ControlId> parent;  // nullopt: the window's client area
  int16_t x = 0, y = 0, width = 0, height = 0;
  const char16_t* caption = u"";    // design caption (labels)
  Align align = Align::kLeft;
  bool box = false;                 // white background and a single-line border
  bool underline = false;
  bool multiline = false;           // breaks its caption at line feeds
  bool handCursor = false;          // the pointing hand instead of the arrow
  std::optional<uint32_t> background;  // nullopt: transparent / the control's own default
};

// Every visible control of the dialog, parents before their children.
std::span<const ControlLayout> DialogLayout();
// The row of a control; nullptr for an id the dialog does not have.
const ControlLayout* FindLayout(ControlId id);

// Window.
inline constexpr char16_t kDialogWindowTitle[] = u"Orvaneの設定";
inline constexpr int16_t kClientWidth = 601;   // Pic_C
inline constexpr int16_t kClientHeight = 533;
// The outer size leaves room for the frame (8) and the title bar (27).
inline constexpr int16_t kOuterWidth = kClientWidth + 8;
inline constexpr int16_t kOuterHeight = kClientHeight + 27;

// Text of every label: this font, regular, in the system's window-text colour (the link
// label's colour walks, see DialogModel::UrlColour).
inline constexpr char16_t kFontName[] = u"ＭＳ Ｐゴシック";
inline constexpr double kFontPoints = 9.75;

inline constexpr uint32_t kListBackground = 0xFFFFFF;
inline constexpr uint32_t kBoxBackground = 0xFFFFFF;
inline constexpr uint32_t kPreviewBackground = 0xE0E0E0;

// File names wider than the list can be scrolled into view.
inline constexpr int32_t kListHorizontalExtent = 169 + 300;

// The background tile (Pic_Mbl) and the pictures' own sizes.
inline constexpr int16_t kTextureWidth = 606, kTextureHeight = 20;
inline constexpr int16_t kPlateWidth = 95, kPlateHeight = 22;
inline constexpr int16_t kOptionSize = 13;
inline constexpr int16_t kKindMarkSize = 12;

// The hand cursor is 32 x 32 with its hot spot here.
inline constexpr int16_t kHandHotX = 12, kHandHotY = 1;

// Link colour walk.
inline constexpr int32_t kColourWalkIntervalMs = 50;

inline constexpr char16_t kVersionCaption[] = u"Designed by k-sorel Ver." ORVANE_VERSION_TEXT;

// The link label: the notes shipped beside the program (the package's README.txt), opened
// in the system's viewer. Without that file the label does not show: no dead link.
inline constexpr char16_t kReadmeName[] = u"README.txt";
inline constexpr char16_t kReadmeLink[] = u"説明書 (README.txt)";
inline constexpr const char16_t* kHomePage = kReadmeLink;  // the label's design caption

// What the preview area says instead of a picture.
inline constexpr char16_t kCannotShowNote[] = u"表示できません";
inline constexpr char16_t kNoPicturesNote[] =
    u"画像が\nありません。\n\nｽｸﾘｰﾝｾｰﾊﾞｰは\nﾃﾞｽｸﾄｯﾌﾟを\n使います。";

}  // namespace orv
