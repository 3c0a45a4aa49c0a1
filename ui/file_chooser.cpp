#include "file_chooser.h"

#include <algorithm>

#include <commdlg.h>

#include "dialog_placement.h"
#include "filter_list.h"

namespace tavelin::ui {
namespace {

// The name-only buffer is filled by the dialog and never read.
using NameBuffer = std::array<char, 64>;

ScreenRect screenRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

ScreenRect workAreaOf(HMONITOR monitor) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoA(monitor, &info);
  return screenRect(info.rcWork);
}

void centreDialog(HWND dialog) {
  RECT dialogRect{};
  GetWindowRect(dialog, &dialogRect);
  const HWND owner = GetWindow(dialog, GW_OWNER);
  ScreenRect over;
  ScreenRect area;
  if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner)) {
    RECT ownerRect{};
    GetWindowRect(owner, &ownerRect);
    over = screenRect(ownerRect);
    area = workAreaOf(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST));
  } else {
    area = workAreaOf(MonitorFromWindow(GetActiveWindow(), MONITOR_DEFAULTTOPRIMARY));
    over = area;
  }
  const Point corner = centredOver(screenRect(dialogRect), over, area);
  SetWindowPos(dialog, nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// With the Explorer look the hook is the procedure of a child dialog inside
// the real one: its parent is the window to move.
UINT_PTR CALLBACK dialogHook(HWND child, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == CDN_INITDONE) {
    centreDialog(GetParent(child));
  }
  return 0;  // everything else gets the dialog's own handling
}

HWND dialogOwner() {
  HWND window = GetActiveWindow();
  while (window != nullptr && (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) != 0) window = GetParent(window);
  return window != nullptr ? GetLastActivePopup(window) : nullptr;
}

const char* textOrNone(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

// For the dialog's life its owner is disabled (unless it already was), and
// the focus goes back where it was afterwards, if that window still exists.
class OwnerDisabled {
 public:
  explicit OwnerDisabled(HWND owner)
      : owner_(owner), focus_(GetFocus()), disabled_(owner != nullptr && IsWindowEnabled(owner)) {
    if (disabled_) EnableWindow(owner_, FALSE);
  }
  ~OwnerDisabled() {
    if (disabled_) EnableWindow(owner_, TRUE);
    if (focus_ != nullptr && IsWindow(focus_)) SetFocus(focus_);
  }
  OwnerDisabled(const OwnerDisabled&) = delete;
  OwnerDisabled& operator=(const OwnerDisabled&) = delete;

 private:
  HWND owner_;
  HWND focus_;
  bool disabled_;
};

}  // namespace

PathBuffer startingPath(std::string_view fileName) {
  PathBuffer buffer{};
  const std::size_t n = std::min(fileName.size(), buffer.size() - 1);
  std::copy_n(fileName.begin(), n, buffer.begin());
  return buffer;
}

std::uint32_t FileChooser::flagWord() const {
  std::uint32_t flags = OFN_HIDEREADONLY;
  if (promptToCreate_) flags |= OFN_CREATEPROMPT;
  if (fileMustExist_) flags |= OFN_FILEMUSTEXIST;
  if (promptToOverwrite_) flags |= OFN_OVERWRITEPROMPT;
  if (pathMustExist_) flags |= OFN_PATHMUSTEXIST;
  if (keepCurrentFolder_) flags |= OFN_NOCHANGEDIR;
  return flags | OFN_ENABLEHOOK | OFN_EXPLORER | OFN_ENABLESIZING;
}

bool FileChooser::open() {
  const std::string list = filterList(filter_);
  PathBuffer path = startingPath(fileName_);
  NameBuffer name{};

  OPENFILENAMEA block{};
  block.lStructSize = sizeof block;
  block.lpstrFilter = list.empty() ? nullptr : list.c_str();
  block.nFilterIndex = list.empty() ? 0 : static_cast<DWORD>(filterIndex_) + 1;
  block.lpstrFile = path.data();
  block.nMaxFile = static_cast<DWORD>(path.size());
  block.lpstrFileTitle = name.data();
  block.nMaxFileTitle = static_cast<DWORD>(name.size());
  block.lpstrInitialDir = textOrNone(initialFolder_);
  block.lpstrTitle = textOrNone(title_);
  block.Flags = flagWord();
  block.lpstrDefExt = textOrNone(defaultExtension_);
  block.lpfnHook = dialogHook;

  block.hwndOwner = dialogOwner();
  BOOL confirmed = FALSE;
  {
    const OwnerDisabled modal(block.hwndOwner);
    confirmed = kind_ == 1 ? GetSaveFileNameA(&block) : GetOpenFileNameA(&block);
  }
  if (!confirmed) return false;
  fileName_.assign(path.begin(), std::find(path.begin(), path.end(), '\0'));
  return true;
}

FileChooser mainWindowChooser() {
  FileChooser chooser;
  chooser.setFilter(kTextFileFilter);
  return chooser;
}

void ChooseFileCommand(FileChooser& chooser, HWND pathBox) {
  chooser.setKind(0);
  if (!chooser.open()) return;
  const std::string path = chooser.fileName();
  SetWindowTextA(pathBox, path.c_str());
}

}  // namespace tavelin::ui
