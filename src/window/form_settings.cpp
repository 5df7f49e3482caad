// Remembered work: what the window keeps between runs in the user's settings store. The window's
// geometry, the last folder of the dialogs, and the audit and Ladder settings the referee types (not
// the maxima, which every load writes). A first run starts from the defaults of a fresh window.

#include <QComboBox>
#include <QSettings>
#include <algorithm>
#include <memory>
#include <span>

#include "app/tournament_settings.h"
#include "window/cp1251.h"
#include "window/form.h"
#include "window/form_fields.h"

namespace vsl {

using namespace form_fields;

namespace {

std::unique_ptr<QSettings> OpenStore() {
  return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "VellumSavesList",
                                     "vellum-saves-list");
}

}  // namespace

void TForm1::RestoreRememberedWork() {
  const auto store = OpenStore();
  if (store->contains("window/geometry")) restoreGeometry(store->value("window/geometry").toByteArray());
  lastFolder_ = store->value("window/lastFolder").toString();
  exportFolder_ = store->value("window/exportFolder").toString();
  settingsFile_ = store->value("window/settingsFile").toString();
  WindowEdits& edits = model_->Edits();
  store->beginGroup("settings");
  for (const auto& group :
       {std::span<const EditField>(kAuditEdits), std::span<const EditField>(kFactorEdits)}) {
    for (const EditField& f : group) {
      if (store->contains(f.Name)) edits.*f.Field = ToCp1251(store->value(f.Name).toString());
    }
  }
  if (store->contains("BaseLevelSelect")) {
    const int index = store->value("BaseLevelSelect").toInt();
    edits.BaseLevelSelect = index >= 0 && index < baseLevelSelect_->count() ? index : -1;
  }
  for (size_t i = 0; i < kLadderComponents.size(); ++i) {
    const QString key = QString("fixedMaximum/") + kLadderComponents[i].Key;
    if (store->contains(key)) fixedMaxima_[i] = store->value(key).toInt();
  }
  store->endGroup();
  SyncBaseLevel();
  try {
    model_->ApplyFactorEdits();
  } catch (const std::exception&) {
    // A remembered text that does not convert shows marked in its edit; its factor keeps the default.
  }
}

void TForm1::RememberWork() {
  PullEdits();
  const auto store = OpenStore();
  store->setValue("window/geometry", saveGeometry());
  store->setValue("window/lastFolder", lastFolder_);
  store->setValue("window/exportFolder", exportFolder_);
  store->setValue("window/settingsFile", settingsFile_);
  const WindowEdits& edits = model_->Edits();
  store->beginGroup("settings");
  for (const auto& group :
       {std::span<const EditField>(kAuditEdits), std::span<const EditField>(kFactorEdits)}) {
    for (const EditField& f : group) store->setValue(f.Name, FromCp1251(edits.*f.Field));
  }
  store->setValue("BaseLevelSelect", edits.BaseLevelSelect);
  for (size_t i = 0; i < kLadderComponents.size(); ++i) {
    const QString key = QString("fixedMaximum/") + kLadderComponents[i].Key;
    if (fixedMaxima_[i])
      store->setValue(key, *fixedMaxima_[i]);
    else
      store->remove(key);
  }
  store->endGroup();
}

void TForm1::SyncBaseLevel() {
  pushing_ = true;
  baseLevelSelect_->setCurrentIndex(model_->Edits().BaseLevelSelect);
  baseLevelSelect_->setProperty("vslHandledText", baseLevelSelect_->currentText());
  pushing_ = false;
}

void TForm1::ApplyFixedMaxima() {
  if (std::none_of(fixedMaxima_.begin(), fixedMaxima_.end(), [](const auto& m) { return m.has_value(); }))
    return;
  for (size_t i = 0; i < kLadderComponents.size(); ++i) {
    if (fixedMaxima_[i]) model_->Edits().*kLadderComponents[i].MaxEdit = std::to_string(*fixedMaxima_[i]);
  }
  PushEdits();
  Run([this] { model_->PopFactorEChange(); });
}

}  // namespace vsl
