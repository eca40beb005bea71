#pragma once

#include <QString>

#include <filesystem>
#include <functional>
#include <optional>

// The desktop services AppState asks for: the browser, Finder, the pasteboard and the folder
// chooser. The UI may replace the folder chooser; tests replace the whole thing to record calls.
class Workspace {
 public:
  using FolderChosen = std::function<void(std::optional<std::filesystem::path>)>;

  virtual ~Workspace() = default;
  virtual void openURL(const QString& url);  // in the default browser
  virtual void openFile(const std::filesystem::path& file);  // with its default application
  virtual void reveal(const std::filesystem::path& item);  // in Finder, selected
  virtual void openFolder(const std::filesystem::path& folder);  // in Finder
  virtual void setClipboard(const QString& text);
  virtual QString clipboard();
  // Shows a modal folder chooser and calls `done` with the chosen folder, or nothing on cancel.
  // The default shows nothing and answers nothing; the window puts its own dialog here.
  virtual void chooseFolder(const QString& message, const QString& button, FolderChosen done);
};
