// Renders named scenes of the real window to PNG files, offscreen, from fixture state.
//
//   quernhold_preview [--scale 2] <folder> [scene …]
//   quernhold_preview --live <scene>     (shows the scene's window on the display and keeps it open)
//
// Without scene names it renders them all. Each scene runs in a fresh temporary home folder with
// the fake catalogue on 127.0.0.1; nothing touches the network or the real home folder.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QQuickStyle>
#include <QQuickWindow>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "app/translations.hpp"
#include "scenes.hpp"

namespace {
// One scene, interactive, in a throwaway home folder with the fake catalogue: for clicking through.
int live(int argc, char* argv[], const std::string& name) {
  std::string home = (std::filesystem::temp_directory_path() / "quernhold-live-XXXXXX").string();
  if (!mkdtemp(home.data())) return 1;
  setenv("HOME", home.c_str(), 1);
  QGuiApplication application(argc, argv);
  installTranslations();
  QQuickStyle::setStyle(QStringLiteral("Basic"));
  for (const Scene& scene : scenes()) {
    if (scene.name != name) continue;
    auto world = scene.build();
    const int code = QGuiApplication::exec();
    world.reset();
    std::filesystem::remove_all(home);
    return code;
  }
  std::cerr << "no scene " << name << "\n";
  return 2;
}
}  // namespace

int main(int argc, char* argv[]) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string scale = "1";
  if (args.size() == 2 && args[0] == "--live") return live(argc, argv, args[1]);
  if (args.size() >= 2 && args[0] == "--scale") {
    scale = args[1];
    args.erase(args.begin(), args.begin() + 2);
  }
  if (args.empty()) {
    std::cerr << "usage: quernhold_preview [--scale 2] <folder> [scene …]\nscenes:";
    for (const Scene& s : scenes()) std::cerr << " " << s.name;
    std::cerr << "\n";
    return 2;
  }
  const QString folder = QString::fromStdString(args[0]);
  args.erase(args.begin());

  // Before anything reads them: a throwaway home, the offscreen platform, the scale.
  std::string home = (std::filesystem::temp_directory_path() / "quernhold-preview-XXXXXX").string();
  if (!mkdtemp(home.data())) return 1;
  setenv("HOME", home.c_str(), 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("QT_SCALE_FACTOR", scale.c_str(), 1);

  QGuiApplication application(argc, argv);
  installTranslations();
  QQuickStyle::setStyle(QStringLiteral("Basic"));
  QDir().mkpath(folder);

  int failures = 0;
  for (const Scene& scene : scenes()) {
    if (!args.empty() && std::find(args.begin(), args.end(), scene.name) == args.end()) continue;
    auto world = scene.build();
    const QString file = QStringLiteral("%1/%2@%3x.png")
                             .arg(folder, QString::fromStdString(scene.name), QString::fromStdString(scale));
    QImage image = world->window().grabWindow();
    if (image.isNull() || !image.save(file)) {
      std::cerr << "could not render " << scene.name << "\n";
      ++failures;
      continue;
    }
    std::cout << file.toStdString() << "\n";
  }
  std::filesystem::remove_all(home);
  return failures ? 1 : 0;
}
