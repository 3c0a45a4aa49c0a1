#pragma once
// Notices: modal message boxes with no owner, task-modal so that every
// top-level window of the thread (the main window) is disabled while one is
// open.

#include "notice.h"
#include "win.h"

namespace tavelin::ui {

// The message box style for a button value: the value plus MB_TASKMODAL,
// unless it already asks for MB_SYSTEMMODAL, then the value unchanged.
UINT noticeStyle(UINT buttonValue);

// The notice's result for what MessageBoxA returned: OK 0, Cancel 1, Abort 2,
// Retry 3, Ignore 4, Yes 5, No 6; anything else (the failure value 0
// included) gives 0.
int noticeResult(int messageBoxResult);

// Shows `text` (null shows as the empty text) with `caption` (null gives
// "信息：") and returns when the box is closed, with noticeResult of it.
int showNotice(const char* text, const char* caption = nullptr, UINT buttonValue = MB_OK);

// The sort command's way of telling the user something: showNotice with the
// notice's text, caption and style (plain, or the error icon).
void showCommandNotice(const Notice& notice);

}  // namespace tavelin::ui
