#include "link_opener.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace tavelin::ui {
namespace {

// Stands in for the shell, the registry and WinExec, and notes each call.
struct FakePlatform {
  bool shellOpens = false;
  std::map<std::string, std::string> classes;  // key -> readable default value
  bool runStarts = true;
  std::vector<std::string> calls;

  OpenSteps steps() {
    return {[this](const std::string& address, int show) {
              calls.push_back("shell " + address + " " + std::to_string(show));
              return shellOpens;
            },
            [this](const std::string& key) -> std::optional<std::string> {
              calls.push_back("read " + key);
              const auto found = classes.find(key);
              if (found == classes.end()) return std::nullopt;
              return found->second;
            },
            [this](const std::string& line, int show) {
              calls.push_back("run " + line + " " + std::to_string(show));
              return runStarts;
            }};
  }
};

constexpr const char* kCommandKey = "htmlfile\\shell\\open\\command";

TEST(OpenTarget, ShellFirstThenTheWebPageCommand) {
  struct Case {
    const char* what;
    bool shellOpens;
    const char* pageClass;  // nullptr: ".htm" cannot be read
    const char* command;    // nullptr: the command key cannot be read
    bool runStarts;
    bool opened;
    std::vector<std::string> calls;
  };
  const std::string a = "https://example.com/";
  const Case cases[] = {
      {"the shell opens it", true, "htmlfile", "b.exe \"%1\"", true, true, {"shell " + a + " 5"}},
      {"fallback runs", false, "htmlfile", "b.exe \"%1\"", true, true,
       {"shell " + a + " 5", "read .htm", std::string("read ") + kCommandKey, "run b.exe  " + a + " 5"}},
      {"fallback does not start", false, "htmlfile", "b.exe", false, false,
       {"shell " + a + " 5", "read .htm", std::string("read ") + kCommandKey, "run b.exe " + a + " 5"}},
      {"no web page class", false, nullptr, "b.exe", true, false, {"shell " + a + " 5", "read .htm"}},
      {"no open command", false, "htmlfile", nullptr, true, false,
       {"shell " + a + " 5", "read .htm", std::string("read ") + kCommandKey}},
  };
  for (const auto& c : cases) {
    FakePlatform platform;
    platform.shellOpens = c.shellOpens;
    platform.runStarts = c.runStarts;
    if (c.pageClass) platform.classes[".htm"] = c.pageClass;
    if (c.command) platform.classes[kCommandKey] = c.command;
    EXPECT_EQ(openTarget(a, 5, platform.steps()), c.opened) << c.what;
    EXPECT_EQ(platform.calls, c.calls) << c.what;
  }
}

TEST(OpenTarget, AnEmptyAddressTriesNothing) {
  FakePlatform platform;
  platform.shellOpens = true;
  EXPECT_FALSE(openTarget("", 5, platform.steps()));
  EXPECT_TRUE(platform.calls.empty());
}

}  // namespace
}  // namespace tavelin::ui
