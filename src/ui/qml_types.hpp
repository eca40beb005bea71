#pragma once

// The app layer's types as QML sees them. They live in src/app, which knows nothing of QML, so
// they are declared here as foreign types of the Quernhold module.
#include <QtQml/qqml.h>

#include "app/app_state.hpp"
#include "app/package_documents.hpp"
#include "app/update_review.hpp"
#include "installer/plan.hpp"
#include "profiles/config_value.hpp"

struct AppStateForeign {
  Q_GADGET
  QML_FOREIGN(AppState)
  QML_NAMED_ELEMENT(AppState)
  QML_UNCREATABLE("The window is given the one AppState.")
};

struct WindowStateForeign {
  Q_GADGET
  QML_FOREIGN(WindowState)
  QML_NAMED_ELEMENT(WindowState)
  QML_UNCREATABLE("Owned by AppState.")
};

struct ActivityForeign {
  Q_GADGET
  QML_FOREIGN(Activity)
  QML_NAMED_ELEMENT(Activity)
  QML_UNCREATABLE("Owned by AppState.")
};

struct GameStateForeign {
  Q_GADGET
  QML_FOREIGN(GameState)
  QML_NAMED_ELEMENT(GameState)
  QML_UNCREATABLE("Owned by AppState.")
};

struct CatalogueStateForeign {
  Q_GADGET
  QML_FOREIGN(CatalogueState)
  QML_NAMED_ELEMENT(CatalogueState)
  QML_UNCREATABLE("Owned by AppState.")
};

struct UpdateReviewForeign {
  Q_GADGET
  QML_FOREIGN(UpdateReview)
  QML_NAMED_ELEMENT(UpdateReview)
  QML_UNCREATABLE("Owned by AppState.")
};

struct ModControllerForeign {
  Q_GADGET
  QML_FOREIGN(ModController)
  QML_NAMED_ELEMENT(ModController)
  QML_UNCREATABLE("Owned by AppState.")
};

struct ModSelectionForeign {
  Q_GADGET
  QML_FOREIGN(ModSelection)
  QML_NAMED_ELEMENT(ModSelection)
  QML_UNCREATABLE("Owned by AppState.")
};

struct ProfileTransferForeign {
  Q_GADGET
  QML_FOREIGN(ProfileTransfer)
  QML_NAMED_ELEMENT(ProfileTransfer)
  QML_UNCREATABLE("Owned by AppState.")
};

struct SelectedProfileForeign {
  Q_GADGET
  QML_FOREIGN(SelectedProfile)
  QML_NAMED_ELEMENT(SelectedProfile)
  QML_UNCREATABLE("Owned by AppState.")
};

struct LauncherForeign {
  Q_GADGET
  QML_FOREIGN(Launcher)
  QML_NAMED_ELEMENT(Launcher)
  QML_UNCREATABLE("Owned by AppState.")
};

struct ProfileListModelForeign {
  Q_GADGET
  QML_FOREIGN(ProfileListModel)
  QML_NAMED_ELEMENT(ProfileListModel)
  QML_UNCREATABLE("Owned by AppState.")
};

struct ModListModelForeign {
  Q_GADGET
  QML_FOREIGN(ModListModel)
  QML_NAMED_ELEMENT(ModListModel)
  QML_UNCREATABLE("Owned by AppState.")
};

struct ProfileHistoryForeign {
  Q_GADGET
  QML_FOREIGN(ProfileHistory)
  QML_NAMED_ELEMENT(ProfileHistory)
  QML_UNCREATABLE("Owned by AppState.")
};

struct HistoryListModelForeign {
  Q_GADGET
  QML_FOREIGN(HistoryListModel)
  QML_NAMED_ELEMENT(HistoryListModel)
  QML_UNCREATABLE("Owned by the history.")
};

struct PackageListModelForeign {
  Q_GADGET
  QML_FOREIGN(PackageListModel)
  QML_NAMED_ELEMENT(PackageListModel)
  QML_UNCREATABLE("Owned by AppState.")
};

struct ConfigEditorForeign {
  Q_GADGET
  QML_FOREIGN(ConfigEditor)
  QML_NAMED_ELEMENT(ConfigEditor)
  QML_UNCREATABLE("Owned by AppState.")
};

struct ConfigSearchForeign {
  Q_GADGET
  QML_FOREIGN(ConfigSearch)
  QML_NAMED_ELEMENT(ConfigSearch)
  QML_UNCREATABLE("Owned by the settings editor.")
};

struct UnsavedPromptForeign {
  Q_GADGET
  QML_FOREIGN(UnsavedPrompt)
  QML_NAMED_ELEMENT(UnsavedPrompt)
  QML_UNCREATABLE("Owned by the settings editor.")
};

// The open file of the settings editor, a value QML only reads.
struct OpenConfigFileForeign {
  Q_GADGET
  QML_FOREIGN(OpenConfigFile)
  QML_ANONYMOUS
};

struct LaunchCheckForeign {
  Q_GADGET
  QML_FOREIGN(LaunchCheck)
  QML_NAMED_ELEMENT(LaunchCheck)
  QML_UNCREATABLE("Owned by AppState.")
};

struct PackageDocumentsForeign {
  Q_GADGET
  QML_FOREIGN(PackageDocuments)
  QML_NAMED_ELEMENT(PackageDocuments)
  QML_UNCREATABLE("Owned by AppState.")
};

struct ConfigFileListModelForeign {
  Q_GADGET
  QML_FOREIGN(ConfigFileListModel)
  QML_NAMED_ELEMENT(ConfigFileListModel)
  QML_UNCREATABLE("Owned by the settings editor.")
};

struct ConfigEntryModelForeign {
  Q_GADGET
  QML_FOREIGN(ConfigEntryModel)
  QML_NAMED_ELEMENT(ConfigEntryModel)
  QML_UNCREATABLE("Owned by the settings editor.")
};

struct ConfigMatchModelForeign {
  Q_GADGET
  QML_FOREIGN(ConfigMatchModel)
  QML_NAMED_ELEMENT(ConfigMatchModel)
  QML_UNCREATABLE("Owned by the settings editor.")
};

// The core's enumerations carry no Qt metadata, so QML reads them through these namespaces, whose
// values are the core's own: QML names them (ModStatus.UpdateAvailable), never by number.
namespace ModStatusForeign {
Q_NAMESPACE
QML_NAMED_ELEMENT(ModStatus)
enum Value {
  NotInstalled = int(ModStatus::NotInstalled),
  UpToDate = int(ModStatus::UpToDate),
  UpdateAvailable = int(ModStatus::UpdateAvailable),
  Installed = int(ModStatus::Installed)
};
Q_ENUM_NS(Value)
}  // namespace ModStatusForeign

namespace ConfigControlForeign {
Q_NAMESPACE
QML_NAMED_ELEMENT(ConfigControl)
enum Value {
  Text = int(ConfigControl::Text),
  Toggle = int(ConfigControl::Toggle),
  Number = int(ConfigControl::Number),
  Slider = int(ConfigControl::Slider),
  Choice = int(ConfigControl::Choice),
  Flags = int(ConfigControl::Flags)
};
Q_ENUM_NS(Value)
}  // namespace ConfigControlForeign

namespace DetailTabForeign {
Q_NAMESPACE
QML_FOREIGN_NAMESPACE(AppEnums)
QML_NAMED_ELEMENT(DetailTab)
}  // namespace DetailTabForeign
