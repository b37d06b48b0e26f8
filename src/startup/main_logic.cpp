#include "startup/main_logic.h"

#include <cmath>

#include "core/numbers.h"
#include "images/folder_scan.h"
#include "images/image_order.h"
#include "settings/load_settings.h"

namespace orv {

Text ArgumentsOf(TextView line) {
  size_t i = 0;
  if (!line.empty() && line[0] == u'"') {
    const auto close = line.find(u'"', 1);
    i = close == TextView::npos ? line.size() : close + 1;
  } else {
    while (i < line.size() && line[i] != u' ' && line[i] != u'\t') ++i;
  }
  while (i < line.size() && (line[i] == u' ' || line[i] == u'\t')) ++i;
  return Text(line.substr(i));
}

static Text HandleText(TextView commandLine) {
  return commandLine.size() < 4 ? Text() : Text(commandLine.substr(3));
}

int32_t PreviewHandle(TextView commandLine) {
  // A handle text that does not fit is no window: 0, instead of ending with an overflow.
  return num::RoundToInt32(num::ReadLeadingNumber(HandleText(commandLine))).value_or(0);
}

int32_t PreviewExtent(int32_t low, int32_t high, double twipsPerPixel) {
  // Sizes are taken in 64 bits and twips in doubles, so a host of any size is covered.
  const double twips = num::RoundHalfEven(twipsPerPixel * (double(high) - double(low)));
  const double pixels = twipsPerPixel > 0 ? num::RoundHalfEven(twips / twipsPerPixel) : 0;
  return num::RoundToInt32(pixels).value_or(pixels < 0 ? INT32_MIN : INT32_MAX);
}

StartResult Main(AppState& app, StartupServices& svc) {
  const bool displayRuns = svc.system.TopLevelWindowExists(kDisplayTitle);
  const bool dialogRuns = svc.system.TopLevelWindowExists(kDialogTitle);
  if (displayRuns || dialogRuns) return StartResult::kEnded;

  const Text mode = ModeLetter(app.commandLine);
  if (mode == u"P") {
    const WindowHandle host = PreviewHandle(app.commandLine);
    const ScreenRect r = svc.host.WindowRect(host);
    svc.host.OpenPreview(host, PreviewExtent(r.left, r.right, svc.host.TwipsPerPixelX()),
                         PreviewExtent(r.top, r.bottom, svc.host.TwipsPerPixelY()));
    return StartResult::kWindowOpen;
  }

  LoadSettings(app.settings, svc.files, svc.store.Read());
  ScanImageFolder(app, svc.files, app.settings.ImageFolder);

  if (mode == u"A") {
    if (IsWindowsNT(svc.system) == kFalse) {
      if (const auto number = num::ParseNumber(HandleText(app.commandLine))) {
        if (const auto handle = num::RoundToInt32(*number)) {
          svc.system.ChangeScreenSaverPassword(*handle);
        }
      }
    }
    return StartResult::kEnded;
  }
  if (mode == u"C") {
    svc.host.RunSettingsDialog();
    return StartResult::kEnded;
  }
  if (mode != u"S" && !app.commandLine.empty()) return StartResult::kEnded;

  if (app.imageCount != 0) {
    app.imageOrder.assign(static_cast<size_t>(app.imageCount) + 1, 0);
    BuildImageOrder(app, svc.random);
  }
  if (mode == u"S") app.savedCursorCount = svc.system.ShowCursor(0);
  svc.host.OpenDisplay();
  return StartResult::kWindowOpen;
}

}  // namespace orv
