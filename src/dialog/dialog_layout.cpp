#include "dialog/dialog_layout.h"

#include <vector>

namespace orv {
namespace {

constexpr ControlId kClient{Ctl::Pic_C, 0};
constexpr ControlId kRight{Ctl::Pic_1, 0};
constexpr ControlId kLeft{Ctl::Pic_1, 1};
constexpr ControlId kMusic{Ctl::Pic_1, 2};

class Builder {
 public:
  std::vector<ControlLayout> rows;

  ControlLayout& Add(ControlId id, ControlKind kind, std::optional<ControlId> parent, int x,
                     int y, int w, int h, const char16_t* caption = u"") {
    ControlLayout row;
    row.id = id;
    row.kind = kind;
    row.parent = parent;
    row.x = static_cast<int16_t>(x);
    row.y = static_cast<int16_t>(y);
    row.width = static_cast<int16_t>(w);
    row.height = static_cast<int16_t>(h);
    row.caption = caption;
    rows.push_back(row);
    return rows.back();
  }
  ControlLayout& Label(ControlId id, ControlId parent, int x, int y, int w, int h,
                       const char16_t* caption, Align align = Align::kLeft) {
    ControlLayout& row = Add(id, ControlKind::kLabel, parent, x, y, w, h, caption);
    row.align = align;
    return row;
  }
  ControlLayout& Box(ControlId id, ControlId parent, int x, int y, int w, int h,
                     Align align = Align::kLeft) {
    ControlLayout& row = Label(id, parent, x, y, w, h, u"", align);
    row.box = true;
    row.background = kBoxBackground;
    return row;
  }
  ControlLayout& Picture(ControlId id, ControlId parent, int x, int y, int w, int h) {
    return Add(id, ControlKind::kPicture, parent, x, y, w, h);
  }
  // A plate with its caption.
  void Heading(int16_t plate, int16_t label, ControlId parent, int px, int py, int pw,
               int lx, int ly, int lw, int lh, const char16_t* caption) {
    Picture({Ctl::Img_H, plate}, parent, px, py, pw, 22);
    Label({Ctl::lbl, label}, parent, lx, ly, lw, lh, caption, Align::kCenter);
  }
  // A push button: face and caption.
  void Button(int16_t index, ControlId parent, int fx, int fy, int fw, int lx, int ly, int lw,
              const char16_t* caption) {
    Picture({Ctl::Img_Button, index}, parent, fx, fy, fw, 22);
    Label({Ctl::lbl_Button, index}, parent, lx, ly, lw, 17, caption, Align::kCenter)
        .handCursor = true;
  }
  // A mark and its caption, both taking the mouse.
  void Mark(Ctl mark, Ctl caption, int16_t index, ControlId parent, int mx, int lx, int y,
            int markSize, int lw, const char16_t* text) {
    Picture({mark, index}, parent, mx, y, markSize, markSize).handCursor = true;
    Label({caption, index}, parent, lx, y, lw, 13, text).handCursor = true;
  }
};

std::vector<ControlLayout> Build() {
  Builder b;
  b.Add(kClient, ControlKind::kPanel, std::nullopt, 0, 0, kClientWidth, kClientHeight);
  b.Add(kRight, ControlKind::kPanel, kClient, 336, 12, 249, 341);
  b.Add(kLeft, ControlKind::kPanel, kClient, 12, 12, 313, 341);
  b.Add(kMusic, ControlKind::kPanel, kClient, 12, 364, 573, 109);

  // Pictures: folder, list, preview, kinds.
  b.Heading(3, 12, kLeft, 12, 8, 109, 16, 12, 101, 13, u"画像のﾌｧｲﾙ名");
  b.Button(0, kLeft, 12, 40, 109, 16, 44, 101, u"ﾌｫﾙﾀﾞで指定...");
  b.Box({Ctl::lbl_Kei, 0}, kLeft, 128, 44, 33, 17, Align::kRight);
  b.Label({Ctl::lbl, 8}, kLeft, 164, 48, 17, 13, u"枚");
  {
    ControlLayout& list = b.Add({Ctl::List_1, 0}, ControlKind::kList, kLeft, 12, 68, 169, 225);
    list.background = kListBackground;
    list.handCursor = true;
  }
  b.Box({Ctl::Folder_Path, 0}, kLeft, 12, 308, 281, 17);
  b.Heading(4, 6, kLeft, 192, 8, 101, 196, 12, 92, 13, u"画像のﾌﾟﾚﾋﾞｭｰ");
  b.Label({Ctl::lbl_PreSize, 0}, kLeft, 192, 36, 101, 13, u"9999 * 9999", Align::kCenter);
  b.Add({Ctl::Pic_K, 0}, ControlKind::kSurface, kLeft, 192, 52, 100, 100).background =
      kPreviewBackground;
  b.Heading(7, 11, kLeft, 192, 164, 101, 196, 168, 93, 13, u"画像の種類");
  {
    const int widths[] = {32, 23, 25, 32};
    const char16_t* captions[] = {u"*.bmp", u"*.gif", u"*.jpg", u"*.wmf"};
    for (int16_t i = 0; i < 4; ++i) {
      b.Mark(Ctl::Img_Kind, Ctl::lbl_Kind, i, kLeft, 208, 224, 192 + 20 * i, kKindMarkSize,
             widths[i], captions[i]);
    }
  }
  b.Button(1, kLeft, 196, 272, 95, 196, 276, 97, u"ｸﾘｱ");

  // Order, size, interval, crash values.
  b.Heading(1, 13, kRight, 12, 8, 109, 12, 12, 109, 17, u"画像ﾁｪﾝｼﾞ");
  b.Mark(Ctl::Img_SR, Ctl::lbl_Rdm_Seq, 0, kRight, 24, 40, 40, kOptionSize, 55, u"ｼｰｹﾝｼｬﾙ");
  b.Mark(Ctl::Img_SR, Ctl::lbl_Rdm_Seq, 1, kRight, 24, 40, 60, kOptionSize, 32, u"ﾗﾝﾀﾞﾑ");
  b.Heading(2, 10, kRight, 12, 88, 109, 12, 92, 109, 17, u"画像のｻｲｽﾞ");
  b.Mark(Ctl::Img_Size, Ctl::lbl_Size, 0, kRight, 24, 40, 120, kOptionSize, 42, u"ｵﾘｼﾞﾅﾙ");
  b.Mark(Ctl::Img_Size, Ctl::lbl_Size, 1, kRight, 24, 40, 140, kOptionSize, 52, u"ﾌﾙｽｸﾘｰﾝ");
  b.Heading(8, 3, kRight, 136, 8, 101, 136, 12, 101, 17, u"ｲﾝﾀｰﾊﾞﾙ");
  b.Add({Ctl::HS_Interval, 0}, ControlKind::kSlider, kRight, 148, 40, 89, 17).handCursor = true;
  b.Label({Ctl::lbl_Sec, 0}, kRight, 188, 64, 21, 13, u"999", Align::kRight);
  b.Label({Ctl::lbl, 4}, kRight, 212, 64, 13, 13, u"秒");
  b.Button(5, kRight, 144, 168, 85, 144, 172, 85, u"初期値");
  b.Heading(5, 0, kRight, 12, 168, 109, 12, 172, 109, 17, u"激突時の設定");
  {
    const int16_t names[] = {5, 7, 14, 15, 16, 17};
    const int widths[] = {59, 72, 33, 46, 40, 30};
    const char16_t* captions[] = {u"・小片の数", u"・小片の弾性", u"・重力",
                                  u"・拡散度",   u"・激しさ",     u"・速さ"};
    for (int16_t k = 0; k < 6; ++k) {
      b.Label({Ctl::lbl, names[k]}, kRight, 20, 204 + 20 * k, widths[k], 13, captions[k]);
      b.Add({Ctl::HS, k}, ControlKind::kSlider, kRight, 100, 200 + 20 * k, 97, 17).handCursor =
          true;
      b.Label({Ctl::lbl_Value, k}, kRight, 200, 204 + 20 * k, 29, 13, u"9999", Align::kRight);
    }
  }

  // Music.
  b.Heading(6, 1, kMusic, 12, 8, 95, 12, 12, 93, 17, u"BGM");
  {
    const int ys[] = {32, 12, 52};
    const int widths[] = {23, 43, 60};
    const char16_t* captions[] = {u"無し", u"音楽CD", u"MP3、WAV"};
    for (int16_t i = 0; i < 3; ++i) {
      b.Mark(Ctl::Img_BGM, Ctl::lbl_BGM, i, kMusic, 124, 140, ys[i], kOptionSize, widths[i],
             captions[i]);
    }
  }
  b.Add({Ctl::BGM_Repeat, 0}, ControlKind::kCombo, kMusic, 188, 8, 41, 20).handCursor = true;
  b.Label({Ctl::lbl, 2}, kMusic, 236, 12, 66, 13, u"曲目をﾘﾋﾟｰﾄ");
  b.Button(4, kMusic, 208, 48, 85, 208, 52, 85, u"ﾌｧｲﾙ名");
  b.Box({Ctl::lbl_Fname, 0}, kMusic, 208, 80, 353, 17);

  // Footer.
  b.Label({Ctl::lbl, 9}, kClient, 12, 484, 165, 13, kVersionCaption);
  {
    ControlLayout& url = b.Label({Ctl::lbl_URL, 0}, kClient, 12, 500, 214, 13, kHomePage);
    url.underline = true;
    url.handCursor = true;
  }
  b.Button(2, kClient, 392, 492, 95, 392, 496, 93, u"設定");
  b.Button(3, kClient, 492, 492, 95, 492, 496, 93, u"ｷｬﾝｾﾙ");
  // Over the preview, above everything else there.
  {
    ControlLayout& note =
        b.Label({Ctl::lbl_PreNote, 0}, kLeft, 192, 62, 100, 88, u"", Align::kCenter);
    note.multiline = true;
  }
  return b.rows;
}

}  // namespace

std::span<const ControlLayout> DialogLayout() {
  static const std::vector<ControlLayout> rows = Build();
  return rows;
}

const ControlLayout* FindLayout(ControlId id) {
  for (const ControlLayout& row : DialogLayout()) {
    if (row.id == id) return &row;
  }
  return nullptr;
}

}  // namespace orv
