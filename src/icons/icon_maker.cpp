// Draws the program's built-in icon and writes it for the program to embed.
// Linux: each size the window, the taskbar and the tray use as its raw pixels (zr16.rgba ...
// zr64.rgba: rows of premultiplied R, G, B, A bytes), compiled in as Qt resources: a start takes
// them as they are, without drawing text or decoding a picture (which would load every image
// format plugin).
// Windows: one icon file for the .exe's resources, with the sizes Explorer, shortcuts, the
// taskbar and the notification area pick from; the system decodes it.
// Usage: zr4_icon_maker -platform offscreen FOLDER
//        zr4_icon_maker -platform minimal:enable_fonts --ico FILE
#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QtEndian>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

// A dark front panel with a display-tube green "ZR", as on the controller window.
QImage DrawIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QColor(0x7f, 0xe3, 0xff));
  painter.setBrush(QColor(0x1c, 0x20, 0x26));
  painter.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), size / 6.0, size / 6.0);
  // "Sans" is fontconfig's name; where nothing answers to it (Windows, Wine) the first of the
  // others found, so that the letters stay sans-serif rather than the system's default face.
  QFont font(QStringList{"Sans", "DejaVu Sans", "Tahoma", "Arial"});
  font.setPixelSize(size / 2);
  font.setBold(true);
  painter.setFont(font);
  painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, "ZR");
  painter.end();
  return image;
}

bool WriteFile(const QString& path, const QByteArray& data) {
  QFile file(path);
  if (file.open(QIODevice::WriteOnly) && file.write(data) == data.size()) return true;
  std::fprintf(stderr, "zr4_icon_maker: cannot write %s\n", qPrintable(path));
  return false;
}

int WriteRawPictures(const QDir& folder) {
  for (int size : {16, 24, 32, 48, 64}) {
    const QImage pixels = DrawIcon(size).convertToFormat(QImage::Format_RGBA8888_Premultiplied);
    const QByteArray bytes(reinterpret_cast<const char*>(pixels.constBits()),
                           static_cast<qsizetype>(size) * size * 4);
    if (!WriteFile(folder.filePath(QString("zr%1.rgba").arg(size)), bytes)) return 1;
  }
  return 0;
}

void Append16(QByteArray& data, quint16 value) {
  value = qToLittleEndian(value);
  data.append(reinterpret_cast<const char*>(&value), sizeof value);
}

void Append32(QByteArray& data, quint32 value) {
  value = qToLittleEndian(value);
  data.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// One image of an icon file as the oldest readers take it: a 32-bit bitmap without its file
// header, twice as high as the picture (colour rows, then the 1-bit transparency mask), both
// bottom row first.
QByteArray IconBitmap(const QImage& picture) {
  const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
  const int size = image.width();
  const int maskStride = (size + 31) / 32 * 4;  // rows padded to 32 bits
  QByteArray data;
  Append32(data, 40);  // BITMAPINFOHEADER
  Append32(data, size);
  Append32(data, size * 2);
  Append16(data, 1);   // planes
  Append16(data, 32);  // bits per pixel
  Append32(data, 0);   // uncompressed
  Append32(data, size * size * 4 + maskStride * size);
  for (int i = 0; i < 4; ++i) Append32(data, 0);  // resolution, palette
  for (int y = size - 1; y >= 0; --y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < size; ++x) Append32(data, row[x]);  // B, G, R, A in memory
  }
  for (int y = size - 1; y >= 0; --y) {
    QByteArray mask(maskStride, '\0');
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < size; ++x)
      if (qAlpha(row[x]) == 0) mask[x / 8] = static_cast<char>(mask[x / 8] | (0x80 >> (x % 8)));
    data.append(mask);
  }
  return data;
}

// The icon file: the small sizes as bitmaps, 256 px as a PNG, as the system's own icons are.
int WriteIconFile(const QString& path) {
  std::vector<std::pair<int, QByteArray>> images;
  for (int size : {16, 24, 32, 48}) images.emplace_back(size, IconBitmap(DrawIcon(size)));
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!DrawIcon(256).convertToFormat(QImage::Format_ARGB32).save(&buffer, "PNG")) {
    std::fprintf(stderr, "zr4_icon_maker: cannot make the 256 px picture\n");
    return 1;
  }
  images.emplace_back(256, png);

  QByteArray file;
  Append16(file, 0);  // ICONDIR: reserved, type 1 (icon), count
  Append16(file, 1);
  Append16(file, static_cast<quint16>(images.size()));
  quint32 offset = 6 + 16 * static_cast<quint32>(images.size());
  for (const auto& [size, data] : images) {
    file.append(static_cast<char>(size == 256 ? 0 : size));  // 0 stands for 256
    file.append(static_cast<char>(size == 256 ? 0 : size));
    file.append('\0');  // no palette
    file.append('\0');
    Append16(file, 1);  // planes
    Append16(file, 32);
    Append32(file, static_cast<quint32>(data.size()));
    Append32(file, offset);
    offset += static_cast<quint32>(data.size());
  }
  for (const auto& image : images) file.append(image.second);
  return WriteFile(path, file) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QStringList args = QGuiApplication::arguments();
  if (args.size() == 3 && args[1] == "--ico") return WriteIconFile(args[2]);
  if (args.size() == 2) return WriteRawPictures(QDir(args[1]));
  std::fprintf(stderr, "usage: zr4_icon_maker [-platform NAME] FOLDER | --ico FILE\n");
  return 2;
}
