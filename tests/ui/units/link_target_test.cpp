#include "link_target.h"

#include <gtest/gtest.h>

#include <string>

#include "byte_notation.h"

namespace tavelin::ui {
namespace {

using testing::bytes;
using testing::shown;

TEST(LinkTarget, WebOrMailtoOrNothing) {
  struct Case {
    LinkKind kind;
    const char* web;
    const char* mail;
    const char* target;
  };
  const Case cases[] = {
      {LinkKind::Web, "https://example.com/", "me@example.com", "https://example.com/"},
      {LinkKind::Web, "", "me@example.com", ""},
      {LinkKind::Mail, "https://example.com/", "me@example.com", "mailto:me@example.com"},
      {LinkKind::Mail, "https://example.com/", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(linkTarget(c.kind, c.web, c.mail), c.target) << c.web << " / " << c.mail;
  }
}

TEST(ShownText, WindowTextElseTheAddressOfTheKind) {
  struct Case {
    const char* windowText;
    LinkKind kind;
    const char* shown;
  };
  const Case cases[] = {
      {"Home", LinkKind::Web, "Home"},
      {"Home", LinkKind::Mail, "Home"},
      {"", LinkKind::Web, "https://example.com/"},
      {"", LinkKind::Mail, "me@example.com"},  // no mailto: on the face
  };
  for (const auto& c : cases) {
    EXPECT_EQ(shownText(c.windowText, c.kind, "https://example.com/", "me@example.com"), c.shown) << c.windowText;
  }
  EXPECT_EQ(shownText("", LinkKind::Web, "", "me@example.com"), "");
}

TEST(FallbackCommandLine, CutsAtThePlaceholderAndAppendsTheAddress) {
  struct Case {
    const char* command;  // byte notation
    const char* line;     // byte notation; "<a>" is where the address goes
  };
  const Case cases[] = {
      // the quoted placeholder: its space stays, one more follows
      {"\"C:\\b.exe\" SP \"%1\"", "\"C:\\b.exe\" SP SP <a>"},
      {"\"C:\\b.exe\" SP \"%1\" SP -new", "\"C:\\b.exe\" SP SP <a>"},
      {"C:\\b.exe SP -url SP \"%1\"", "C:\\b.exe SP -url SP SP <a>"},
      // the quoted one wins over an earlier plain one
      {"b.exe SP %1 SP \"%1\"", "b.exe SP %1 SP SP <a>"},
      // a plain placeholder
      {"C:\\b.exe SP %1", "C:\\b.exe SP SP <a>"},
      {"C:\\b.exe SP %1 SP %2", "C:\\b.exe SP SP <a>"},
      {"b.exe SP -u=%1", "b.exe SP -u= SP <a>"},
      // none: the whole command, then the address
      {"C:\\b.exe", "C:\\b.exe SP <a>"},
      {"\"C:\\b.exe\" SP -nohome", "\"C:\\b.exe\" SP -nohome SP <a>"},
      {"", "SP <a>"},
      // a trail byte 0x22 starts no quote; the plain search is by byte
      {"b.exe SP 0x81 \"%1\" SP \"%1\"", "b.exe SP 0x81 \"%1\" SP SP <a>"},
      {"b.exe SP 0x81 \"%1\"", "b.exe SP 0x81 \" SP <a>"},
  };
  const std::string address = "https://example.com/";
  for (const auto& c : cases) {
    std::string expected = bytes(c.line);
    expected.replace(expected.find("<a>"), 3, address);
    EXPECT_EQ(fallbackCommandLine(bytes(c.command), address), expected) << shown(bytes(c.command));
  }
}

TEST(FallbackCommandLine, HasNoLengthLimit) {
  const std::string command = "\"C:\\" + std::string(600, 'b') + ".exe\" \"%1\"";
  const std::string address = "https://example.com/" + std::string(400, 'p');
  EXPECT_EQ(fallbackCommandLine(command, address), command.substr(0, command.size() - 4) + " " + address);
}

}  // namespace
}  // namespace tavelin::ui
