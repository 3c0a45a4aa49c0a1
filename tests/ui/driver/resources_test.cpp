// The resources compiled into Tavelin.exe, read from the file itself.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "program.h"

namespace driver {
namespace {

#pragma pack(push, 2)
struct IconGroupEntry {
  BYTE width, height, colours, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};
struct CursorGroupEntry {
  WORD width, height, planes, bitCount;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

class Resources : public testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExA(programPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module_, nullptr) << GetLastError();
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }
  std::string resource(LPCSTR name, LPCSTR type) const {
    const HRSRC found = FindResourceA(module_, name, type);
    if (!found) return {};
    const auto* data = static_cast<const char*>(LockResource(LoadResource(module_, found)));
    return std::string(data, SizeofResource(module_, found));
  }
  HMODULE module_ = nullptr;
};

TEST_F(Resources, IconGroupHoldsTheEightImages) {
  const std::string group = resource("DEFAULT_ICON", RT_GROUP_ICON);
  ASSERT_GE(group.size(), 6u);
  WORD count = 0;
  std::memcpy(&count, group.data() + 4, 2);
  ASSERT_EQ(group.size(), 6 + count * sizeof(IconGroupEntry));
  std::vector<std::pair<int, int>> images;  // size, bits
  for (WORD i = 0; i < count; ++i) {
    IconGroupEntry entry{};
    std::memcpy(&entry, group.data() + 6 + i * sizeof entry, sizeof entry);
    images.emplace_back(entry.width == 0 ? 256 : entry.width, entry.bitCount);
    EXPECT_EQ(entry.width, entry.height);
    EXPECT_FALSE(resource(MAKEINTRESOURCEA(entry.id), RT_ICON).empty()) << "image " << i;
  }
  const std::vector<std::pair<int, int>> wanted = {{32, 8}, {16, 8}, {32, 24}, {16, 24},
                                                   {256, 32}, {48, 32}, {32, 32}, {16, 32}};
  EXPECT_EQ(images, wanted);
}

TEST_F(Resources, HandCursorIsBlackAndWhite32WithItsHotSpotOnTheFingertip) {
  const std::string group = resource(MAKEINTRESOURCEA(1032), RT_GROUP_CURSOR);
  ASSERT_EQ(group.size(), 6 + sizeof(CursorGroupEntry));
  CursorGroupEntry entry{};
  std::memcpy(&entry, group.data() + 6, sizeof entry);
  const std::string cursor = resource(MAKEINTRESOURCEA(entry.id), RT_CURSOR);
  ASSERT_GE(cursor.size(), 4 + sizeof(BITMAPINFOHEADER));
  WORD hotSpot[2] = {};
  std::memcpy(hotSpot, cursor.data(), sizeof hotSpot);
  EXPECT_EQ(hotSpot[0], 6);
  EXPECT_EQ(hotSpot[1], 1);
  BITMAPINFOHEADER header{};
  std::memcpy(&header, cursor.data() + 4, sizeof header);
  EXPECT_EQ(header.biWidth, 32);
  EXPECT_EQ(header.biHeight, 64);  // image and mask
  EXPECT_EQ(header.biBitCount, 1);
}

TEST_F(Resources, ManifestAsksForCommonControlsSixWithoutDpiAwareness) {
  const std::string manifest = resource(MAKEINTRESOURCEA(1), RT_MANIFEST);
  ASSERT_FALSE(manifest.empty());
  EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
  EXPECT_EQ(manifest.find("<dpiAware"), std::string::npos);
  EXPECT_EQ(manifest.find(":dpiAware"), std::string::npos);
  for (const char* os : {"35138b9a-5d96-4fbd-8e2d-a2440225f93a", "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",
                         "1f676c76-80e1-4239-95bb-83d0f6d0da78", "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"}) {
    EXPECT_NE(manifest.find(os), std::string::npos) << "supportedOS " << os;
  }
}

// A string of the version block in GBK. Read through the wide calls, as
// Explorer does: the block holds UTF-16 texts.
std::string versionValue(const std::vector<char>& info, const wchar_t* name) {
  wchar_t* value = nullptr;
  UINT length = 0;
  const std::wstring key = std::wstring(L"\\StringFileInfo\\080403a8\\") + name;
  if (!VerQueryValueW(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &length) || length == 0) return {};
  char ansi[256] = {};
  const int size = WideCharToMultiByte(936, 0, value, static_cast<int>(wcslen(value)), ansi, sizeof ansi, nullptr,
                                       nullptr);
  return std::string(ansi, size > 0 ? size : 0);
}

TEST(VersionInformation, NamesTheProductItsVersionAndWhatItDoes) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(programPath().c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<char> info(size);
  ASSERT_TRUE(GetFileVersionInfoA(programPath().c_str(), 0, size, info.data()));
  EXPECT_EQ(versionValue(info, L"ProductName"), "Tavelin");
  EXPECT_EQ(versionValue(info, L"ProductVersion"), TAVELIN_EXPECTED_VERSION);
  EXPECT_EQ(versionValue(info, L"FileVersion"), TAVELIN_EXPECTED_VERSION);
  EXPECT_EQ(versionValue(info, L"FileDescription"),
            "\xCA\xFD\xD7\xD6\xCE\xC4\xBC\xFE\xC5\xC5\xD0\xF2\xB9\xA4\xBE\xDF");  // 数字文件排序工具
}

}  // namespace
}  // namespace driver
