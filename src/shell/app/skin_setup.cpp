#include "shell/app/skin_setup.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>

#include "core/skin/skin_report.h"

#include "platform/base/program_folder.h"

namespace zr4 {

std::string BuiltInSkin() {
  QFile file(":/skins/skindefa.zip");
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray bytes = file.readAll();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

namespace {
// Whether any screen draws at 200 % or more; without screens (--check-skin) every picture is read.
bool AnyScreenAt2x() {
  const auto* app = qobject_cast<const QGuiApplication*>(QCoreApplication::instance());
  return !app || app->devicePixelRatio() >= 2;
}
}  // namespace

// A screen plugged in later at 200 % gets the 2x pictures with the next skin chosen.
SkinSetup::SkinSetup()
    : ports_{files_, codec_, folders_, DataFolders(), BuiltInSkin(), AnyScreenAt2x()} {}

}  // namespace zr4

namespace zr4 {

int CheckSkin(const std::string& path, bool json) {
  SkinSetup setup;
  const TSkinPorts& ports = setup.Ports();
  const QFileInfo info(QString::fromStdString(path));
  const std::string file = info.isDir() ? JoinPath(path, "skin.ini") : path;
  TSkin skin({ports.Files, ports.Codec, ports.FolderLister}, TSkinLook{});
  try {
    skin.LoadSkin(file);
  } catch (const std::exception& e) {
    for (const std::string& warning : skin.Warnings())
      std::fprintf(stderr, "%s\n", warning.c_str());
    std::fprintf(stderr, "zr4pcctrl: %s\n", e.what());
    return 1;
  }
  const std::string report = json ? FormatSkinReportJson(skin.Look(), skin.Warnings()) + "\n"
                                  : FormatSkinReport(skin.Look(), skin.Warnings());
  std::fputs(report.c_str(), stdout);
  return 0;
}

}  // namespace zr4
