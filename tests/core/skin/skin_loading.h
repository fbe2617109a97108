// Loads skins from a fake disk as the program does, keeping the warnings the load gave.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/skin/skin.h"
#include "fakes/fake_folder_list.h"

namespace zr4::test {

class SkinLoadingTest : public ::testing::Test {
 protected:
  // `previous`: the look the window has before, which a skin's missing pictures keep.
  TSkinLook Load(const std::string& path, const TSkinLook& previous = {}) {
    TSkin skin({files, codec, folders}, previous);
    skin.LoadSkin(path);
    warnings = skin.Warnings();
    return skin.Look();
  }
  FakeFileStore files;
  FakeTextCodec codec;
  FakeFolderList folders{files};
  std::vector<std::string> warnings;
};

}  // namespace zr4::test
