#include "notices.h"

#include <string>

#include "texts.h"

namespace tavelin::ui {

UINT noticeStyle(UINT buttonValue) {
  return (buttonValue & MB_SYSTEMMODAL) ? buttonValue : buttonValue | MB_TASKMODAL;
}

int noticeResult(int messageBoxResult) {
  switch (messageBoxResult) {
    case IDOK: return 0;
    case IDCANCEL: return 1;
    case IDABORT: return 2;
    case IDRETRY: return 3;
    case IDIGNORE: return 4;
    case IDYES: return 5;
    case IDNO: return 6;
    default: return 0;
  }
}

int showNotice(const char* text, const char* caption, UINT buttonValue) {
  const int pressed = MessageBoxA(nullptr, text ? text : "", caption ? caption : texts::kDefaultNoticeCaption,
                                  noticeStyle(buttonValue));
  return noticeResult(pressed);
}

void showCommandNotice(const Notice& notice) {
  // The views need not end in NUL; the box does.
  const std::string text(notice.text);
  const std::string caption(notice.caption);
  showNotice(text.c_str(), caption.empty() ? nullptr : caption.c_str(), notice.style);
}

}  // namespace tavelin::ui
