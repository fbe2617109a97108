// Loads a skin (a zip archive, a strip skin's INI file, or a folder's skin.ini) into the look of
// the window. A load works on a copy of the current look: what the new skin does not supply
// stays as the skin before left it, and a load that fails leaves the look untouched.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/base/rect.h"
#include "core/skin/bitmap.h"
#include "core/skin/picture_budget.h"
#include "core/skin/skin_info.h"
#include "core/skin/skin_ini.h"

namespace zr4 {

class FileStore;
class FolderList;
class TextCodec;
class TZipArchive;

constexpr int kStripSkin = 0;
constexpr int kShapedSkin = 1;

// One button's pictures.
struct TButtonFace {
  // Shaped skins: the skin bitmap with its state images side by side (normal, pointer over it,
  // pressed), transparent where it has the button colour. Strip skins: the glyph, transparent
  // where it has the colour of its lower-left pixel.
  TImage Image;
  // The same state images drawn at twice the size for screens at 200 % and more; empty when
  // the skin has none (the window then enlarges Image).
  TImage Image2x;
  bool SkinMode = false;  // draw state images rather than the glyph on a flat button
  int Width = 0;          // the button's size (one state image)
  int Height = 0;
};

struct TSkinLook {
  TSkinInfo Info;
  int SkinFormat = kStripSkin;
  std::string SkinFileName;
  TImage Main;    // the window's face
  TImage Main2x;  // the face drawn at twice the size, or empty (see TButtonFace::Image2x)
  // The window's outline in the order the region was built; none: the whole rectangle.
  std::optional<std::vector<TRect>> Outline;
  std::array<TButtonFace, kSkinButtonCount> Buttons{};
};

struct TSkinFiles {
  FileStore& Files;
  TextCodec& Codec;
  FolderList& Folders;
  bool HiDpi = true;  // false: 2x pictures are passed by unread, and the look has none
};

// A shaped skin may carry each picture a second time drawn at twice the size, named after it:
// "main.bmp" -> "main@2x.bmp". Readers that look pictures up by their own names pass these by.
std::string HiDpiName(const std::string& name);

// The path of a file in `folder` whose name equals `name` regardless of case (an exact match
// first); empty when there is none.
std::string FindFileNoCase(FolderList& folders, const std::string& folder, const std::string& name);

class TSkin {
 public:
  // Starts from `previous`, the look the window has: its pictures stay where the new skin
  // supplies none, while positions, flags, fonts and colours start afresh.
  TSkin(TSkinFiles files, const TSkinLook& previous) : files_(files), look_(previous) {
    look_.Info = TSkinInfo{};
  }

  // Loads the skin at `path`. Throws ESkinError (or the archive's and bitmap's errors, all
  // std::runtime_error) when it cannot be used; the messages of damaged sections collect in
  // Warnings().
  void LoadSkin(const std::string& path);
  // A skin archive held in memory; `name` stands for its file name.
  void LoadSkinArchive(const std::string& name, const std::string& bytes);

  const TSkinLook& Look() const { return look_; }
  // The look, handed over without a copy (a skin's pictures may take many megabytes); the
  // reader is spent afterwards.
  TSkinLook TakeLook() { return std::move(look_); }
  const std::vector<std::string>& Warnings() const { return warnings_; }

 private:
  void LoadArchive(const std::function<void(TZipArchive&, bool scan)>& open);
  void LoadFolderStripSkin(const std::string& iniPath);
  void LoadFolderShapedSkin(const std::string& iniPath);
  void LoadArchiveStripSkin(const TZipArchive& zip);
  void LoadArchiveShapedSkin(const TZipArchive& zip);
  void ApplyMainBitmap(const TBitmap& bitmap, std::uint32_t colour);
  void ApplyStripPicture(const TBitmap& bitmap);
  void LoadTransportStrip(const TBitmap& bitmap);
  void LoadInputStrip(const TBitmap& bitmap);
  void SetSkinBitmap(int button, const TBitmap& bitmap);
  // `read` delivers a picture by name, with a check of its size before its pixels are taken.
  using TBitmapReader = std::function<std::optional<TBitmap>(
      const std::string& name, const std::function<void(int width, int height)>& size)>;
  void LoadShapedPictures(const TBitmapReader& read);
  // The picture's 2x twin when it is exactly twice its size; others are passed by with a warning.
  std::optional<TBitmap> ReadHiDpi(const TBitmapReader& read, const std::string& name,
                                   const TBitmap& picture);
  std::optional<TBitmap> ReadFolderBitmap(const std::string& folder, const std::string& name,
                                          const std::function<void(int, int)>& size = {});
  std::optional<TBitmap> ExtractBitmap(const TZipArchive& zip, const std::string& name,
                                       const std::function<void(int, int)>& size = {});

  TSkinFiles files_;
  TSkinLook look_;
  std::vector<std::string> warnings_;
  TPictureBudget budget_;  // all pictures of this load together
};

}  // namespace zr4
