#pragma once
// Every text the window shows, in its GBK bytes (the program's ANSI code
// page), with the readable Chinese beside it. The sort command's own notice
// texts live in core/sort_texts.h.

namespace tavelin::ui::texts {

inline constexpr char kWindowTitle[] = "Tavelin";
inline constexpr char kChooseButton[] = "\xD1\xA1\xD4\xF1\xCE\xC4\xBC\xFE";  // 选择文件
inline constexpr char kSortButton[] = "\xC5\xC5\xD0\xF2";                     // 排序

// The maker's web address, shown and opened by the link label.
inline constexpr char kMakerWebAddress[] = "https://example.com/";

// The caption of a notice whose caller gives none.
inline constexpr char kDefaultNoticeCaption[] = "\xD0\xC5\xCF\xA2\xA3\xBA";  // 信息：

// The out-of-memory box: caption, and the message around the allocation's
// name and size: 内存不足，无法为<name>分配 <n> 字节。程序将退出。
inline constexpr char kErrorCaption[] = "\xB4\xED\xCE\xF3";  // 错误
inline constexpr char kOutOfMemoryBefore[] = "\xC4\xDA\xB4\xE6\xB2\xBB\xD7\xE3\xA3\xAC\xCE\xDE\xB7\xA8\xCE\xAA";  // 内存不足，无法为
inline constexpr char kOutOfMemoryMiddle[] = "\xB7\xD6\xC5\xE4 ";  // 分配
inline constexpr char kOutOfMemoryAfter[] = " \xD7\xD6\xBD\xDA\xA1\xA3\xB3\xCC\xD0\xF2\xBD\xAB\xCD\xCB\xB3\xF6\xA1\xA3";  // 字节。程序将退出。
// When the failed allocation is not known: 内存不足，程序将退出。
inline constexpr char kOutOfMemoryUnnamed[] = "\xC4\xDA\xB4\xE6\xB2\xBB\xD7\xE3\xA3\xAC\xB3\xCC\xD0\xF2\xBD\xAB\xCD\xCB\xB3\xF6\xA1\xA3";
// Any other failure that escapes a command: 程序出错，将退出。
inline constexpr char kUnexpectedFailure[] = "\xB3\xCC\xD0\xF2\xB3\xF6\xB4\xED\xA3\xAC\xBD\xAB\xCD\xCB\xB3\xF6\xA1\xA3";
inline constexpr char kFileContents[] = "\xCE\xC4\xBC\xFE\xC4\xDA\xC8\xDD";  // 文件内容
inline constexpr char kNumberList[] = "\xCA\xFD\xD7\xD6\xC1\xD0\xB1\xED";   // 数字列表
inline constexpr char kOutputText[] = "\xCA\xE4\xB3\xF6\xCE\xC4\xB1\xBE";   // 输出文本

}  // namespace tavelin::ui::texts
