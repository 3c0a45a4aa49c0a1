#pragma once
// The open-file dialog behind the choose button: its settings, the dialog
// itself, and the command that puts the chosen path into the path box.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "win.h"

namespace tavelin::ui {

// 文本文件（*.txt）|*.txt: one description with full-width parentheses, one pattern.
inline constexpr std::string_view kTextFileFilter =
    "\xCE\xC4\xB1\xBE\xCE\xC4\xBC\xFE\xA3\xA8*.txt\xA3\xA9|*.txt";

// The buffer the dialog fills with the chosen path: 259 bytes and a NUL.
using PathBuffer = std::array<char, 260>;

// `fileName`'s first 259 bytes at most, every byte after them 0.
PathBuffer startingPath(std::string_view fileName);

class FileChooser {
 public:
  // 0 shows the open-file dialog, 1 the save-file dialog.
  int kind() const { return kind_; }
  void setKind(int kind) { kind_ = kind; }
  // Empty leaves the system's title.
  const std::string& title() const { return title_; }
  void setTitle(std::string_view title) { title_ = title; }
  // The name the dialog starts with; after a confirmed choice, its full path.
  std::string fileName() const { return fileName_; }
  void setFileName(std::string_view fileName) { fileName_ = fileName; }
  // "description|pattern|..." (see filterList); empty passes no list.
  const std::string& filter() const { return filter_; }
  void setFilter(std::string_view filter) { filter_ = filter; }
  // The pair selected at the start, from 0; a negative value is stored as 0.
  int filterIndex() const { return filterIndex_; }
  void setFilterIndex(int index) { filterIndex_ = index < 0 ? 0 : index; }
  // Empty passes none.
  const std::string& initialFolder() const { return initialFolder_; }
  void setInitialFolder(std::string_view folder) { initialFolder_ = folder; }
  const std::string& defaultExtension() const { return defaultExtension_; }
  void setDefaultExtension(std::string_view extension) { defaultExtension_ = extension; }

  bool promptToCreate() const { return promptToCreate_; }
  void setPromptToCreate(bool on) { promptToCreate_ = on; }
  bool fileMustExist() const { return fileMustExist_; }
  void setFileMustExist(bool on) { fileMustExist_ = on; }
  bool promptToOverwrite() const { return promptToOverwrite_; }
  void setPromptToOverwrite(bool on) { promptToOverwrite_ = on; }
  bool pathMustExist() const { return pathMustExist_; }
  void setPathMustExist(bool on) { pathMustExist_ = on; }
  bool keepCurrentFolder() const { return keepCurrentFolder_; }
  void setKeepCurrentFolder(bool on) { keepCurrentFolder_ = on; }

  // The dialog's flag word for these settings: no read-only box, a hook,
  // the Explorer look and a sizing frame, plus one flag per set option.
  std::uint32_t flagWord() const;

  // Shows the dialog modally, owned by the active window's top-level window
  // (its last active pop-up), which is disabled meanwhile; the dialog is
  // centred over it. Afterwards the owner is enabled again and the focus goes
  // back where it was. True when the user confirmed a file: `fileName` is
  // then its full path. False for a cancel or a failure, `fileName` unchanged.
  bool open();

 private:
  int kind_ = 0;
  std::string title_;
  std::string fileName_;
  std::string filter_;
  int filterIndex_ = 0;
  std::string initialFolder_;
  std::string defaultExtension_;
  bool promptToCreate_ = false;
  bool fileMustExist_ = true;
  bool promptToOverwrite_ = true;
  bool pathMustExist_ = true;
  bool keepCurrentFolder_ = false;
};

// The main window's chooser: the defaults with the text-file filter.
FileChooser mainWindowChooser();

// The choose button's command: an open-file dialog; a confirmed choice
// replaces the text of `pathBox` with the chosen full path, anything else
// leaves it as it was.
void ChooseFileCommand(FileChooser& chooser, HWND pathBox);

}  // namespace tavelin::ui
