#include "shell/skin/skin_fonts.h"

#include <QFontDatabase>
#include <QHash>
#include <QSet>
#include <QStringList>
#include <algorithm>

namespace zr4 {

namespace {

// The family a skin's face name draws with: the name itself when installed, else the first
// installed stand-in. Asked once per name; the installed families are listed once, so that a face
// this system lacks is never looked up through the font configuration's aliases, which costs
// more than the rest of a skin's loading.
QString InstalledFamily(const QString& name) {
  static const QSet<QString> installed = [] {
    QSet<QString> families;
    for (const QString& family : QFontDatabase::families()) families.insert(family.toCaseFolded());
    return families;
  }();
  static QHash<QString, QString> chosen;
  if (auto it = chosen.constFind(name); it != chosen.constEnd()) return *it;
  QString family = name;
  if (!installed.contains(name.toCaseFolded())) {
    for (const QString& standIn : QFont::substitutes(name)) {
      if (installed.contains(standIn.toCaseFolded())) {
        family = standIn;
        break;
      }
    }
  }
  chosen.insert(name, family);
  return family;
}

}  // namespace

QFont FontOf(const TSkinFont& f, const QFont& base) {
  QFont font = base;
  if (!f.Name.empty()) font.setFamilies({InstalledFamily(QString::fromStdString(f.Name))});
  font.setPixelSize(std::max(1, (f.Size * 96 + 36) / 72));
  font.setBold((f.Style & kFontBold) != 0);
  font.setItalic((f.Style & kFontItalic) != 0);
  font.setUnderline((f.Style & kFontUnderline) != 0);
  font.setStrikeOut((f.Style & kFontStrikeOut) != 0);
  font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::PreferNoShaping));
  return font;
}

QColor ColorOf(std::uint32_t bgr) {
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

// Faces that skins name and other systems lack, with what stands in for them.
void SubstituteSkinFonts() {
  static bool done = false;
  if (done) return;
  done = true;
  const QStringList japanese = {"IPAPGothic", "IPAGothic", "Noto Sans CJK JP", "VL PGothic"};
  for (const char* face :
       {"MS UI Gothic", "MS PGothic", "MS Gothic", "ＭＳ Ｐゴシック", "ＭＳ ゴシック"})
    QFont::insertSubstitutions(face, japanese);
  for (const char* face : {"Arial", "Tahoma", "MS Sans Serif", "Verdana"})
    QFont::insertSubstitutions(face, {"Liberation Sans", "DejaVu Sans", "IPAPGothic"});
}

}  // namespace zr4
