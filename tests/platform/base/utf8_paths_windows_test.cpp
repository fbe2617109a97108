#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/base/file_store_system.h"
#include "platform/base/program_folder.h"
#include "platform/base/utf8_windows.h"
#include "platform/settings/settings_location.h"

namespace zr4 {
namespace {

// "設定" (settings) as UTF-8 and as UTF-16.
const std::string kJapaneseUtf8 = "\xE8\xA8\xAD\xE5\xAE\x9A";
const std::wstring kJapaneseWide = L"\u8A2D\u5B9A";

TEST(Utf8PathsTest, ConversionsRoundTrip) {
  EXPECT_EQ(Widen(kJapaneseUtf8), kJapaneseWide);
  EXPECT_EQ(NarrowToUtf8(kJapaneseWide), kJapaneseUtf8);
  EXPECT_EQ(NarrowToUtf8(Widen("C:\\zr4")), "C:\\zr4");
  EXPECT_EQ(EnvUtf8("ZR4_SURELY_NOT_SET"), "");
}

TEST(Utf8PathsTest, AJapaneseProgramFolderHoldsTheSettingsFile) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / (L"zr4-" + kJapaneseWide);
  std::filesystem::create_directories(folder);
  ASSERT_EQ(_wputenv_s(L"ZR4PC_HOME", folder.wstring().c_str()), 0);

  const std::string utf8Folder = NarrowToUtf8(folder.wstring());
  EXPECT_EQ(ProgramFolder(), utf8Folder);
  const std::string path = SettingsFilePath();
  EXPECT_EQ(path.substr(0, utf8Folder.size()), utf8Folder);

  SystemFileStore files;
  ASSERT_EQ(files.WriteFileAtomic(path, "[Window]\r\nLeft=1\r\n"), FileWrite::Written);
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(Widen(path))));
  const FileRead read = files.ReadFile(path);
  EXPECT_EQ(read.result, FileRead::Result::Ok);
  EXPECT_EQ(read.bytes, "[Window]\r\nLeft=1\r\n");

  _wputenv_s(L"ZR4PC_HOME", L"");
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

}  // namespace
}  // namespace zr4
