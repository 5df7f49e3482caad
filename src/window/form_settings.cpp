// Remembered work: what the window keeps between runs in the user's settings store. The window's
// geometry, the last folder of the dialogs, and the audit and Ladder settings the referee types (not
// the maxima, which every load writes, unless a settings file fixed them). A first run starts from the
// defaults of a fresh window.
//
// The settings are kept under their keys in the tournament settings file and in its notation (numbers
// with a point), so that a store written under one locale reads the same under any other; the edits
// show them in the locale's notation.

#include <QComboBox>
#include <QSettings>
#include <QStringList>
#include <algorithm>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "app/tournament_settings.h"
#include "window/cp1251.h"
#include "window/form.h"
#include "window/form_fields.h"
#include "window/language.h"
#include "window/setting_caption.h"

namespace vsl {

using namespace form_fields;

namespace {

constexpr char kGroup[] = "tournament";
constexpr char kEarlierGroup[] = "settings";  // edit texts as typed, in the locale of the run

std::unique_ptr<QSettings> OpenStore() {
  return OpenWindowStore();
}

// Every key of the settings, the maxima included.
std::vector<std::string> SettingKeys() {
  TournamentSettings all;
  all.Maxima.fill(0);
  std::vector<std::string> keys;
  for (const auto& [key, text] : SettingTexts(all)) keys.push_back(key);
  return keys;
}

// The texts an earlier version kept, by the settings' keys, in the file's notation as far as it goes.
std::map<std::string, QString> EarlierTexts(QSettings& store) {
  std::map<std::string, QString> texts;
  store.beginGroup(kEarlierGroup);
  const auto text = [&store](const QString& name) { return store.value(name).toString().trimmed(); };
  for (const std::string& key : SettingKeys()) {
    std::string WindowEdits::*edit = SettingEdit(key);
    for (const auto group :
         {std::span<const EditField>(kAuditEdits), std::span<const EditField>(kFactorEdits)}) {
      for (const EditField& f : group) {
        if (f.Field == edit && store.contains(f.Name)) texts[key] = text(f.Name).replace(',', '.');
      }
    }
  }
  if (store.contains("Edit6"))
    texts["audit.startDate"] = QString::fromStdString(
        DateText{text("Edit6").toStdString(), text("Edit2").toStdString(), text("Edit3").toStdString()}.Joined());
  if (store.contains("BaseLevelSelect")) {
    const int index = store.value("BaseLevelSelect").toInt();
    texts["audit.baseLevel"] = index >= 0 && index < static_cast<int>(kBaseLevelItems.size())
                                   ? QString(kBaseLevelItems[static_cast<size_t>(index)]).trimmed()
                                   : "none";
  }
  for (const LadderComponent& c : kLadderComponents) {
    const QString name = QString("fixedMaximum/") + c.Key;
    if (store.contains(name)) texts[std::string("ladder.maxima.") + c.Key] = text(name);
  }
  store.endGroup();
  return texts;
}

// The remembered settings: each stored text that converts and is in range replaces the default; the
// keys of the others are added to `dropped`.
TournamentSettings ReadStoredSettings(QSettings& store, std::vector<std::string>* dropped) {
  std::map<std::string, QString> texts;
  if (store.childGroups().contains(kGroup)) {
    store.beginGroup(kGroup);
    for (const std::string& key : SettingKeys()) {
      const QString name = QString::fromStdString(key);
      if (store.contains(name)) texts[key] = store.value(name).toString();
    }
    store.endGroup();
  } else if (store.childGroups().contains(kEarlierGroup)) {
    texts = EarlierTexts(store);
  }
  TournamentSettings settings;
  for (const auto& [key, text] : texts) {
    if (SetSettingFromText(settings, key, text.toStdString()) && dropped) dropped->push_back(key);
  }
  return settings;
}

}  // namespace

void TForm1::RestoreRememberedWork() {
  const auto store = OpenStore();
  if (store->contains("window/geometry")) restoreGeometry(store->value("window/geometry").toByteArray());
  lastFolder_ = store->value("window/lastFolder").toString();
  exportFolder_ = store->value("window/exportFolder").toString();
  settingsFile_ = store->value("window/settingsFile").toString();
  std::vector<std::string> dropped;
  TournamentSettings settings = ReadStoredSettings(*store, &dropped);
  fixedMaxima_ = settings.Maxima;
  settings.Maxima = {};  // the Max edits show the maxima in force, which the next load sets
  ApplyAuditSettings(settings, model_->Edits(), model_->Locale().DecimalSeparator());
  ApplyLadderSettings(settings, model_->Edits());
  SyncBaseLevel();
  model_->ApplyFactorEdits();  // every remembered factor converts
  QStringList captions;
  for (const std::string& key : dropped) {
    std::string WindowEdits::*edit = SettingEdit(key);
    captions.append(edit ? SettingCaption(*this, *model_, edit) : tr("Base Level"));
  }
  captions.removeDuplicates();
  if (!captions.isEmpty()) {
    settingsNotice_ =
        tr("Remembered settings that were not valid are back to their defaults: %1").arg(captions.join(", "));
  }
}

void TForm1::RememberWork() {
  PullEdits();
  const auto store = OpenStore();
  store->setValue("window/geometry", saveGeometry());
  store->setValue("window/lastFolder", lastFolder_);
  store->setValue("window/exportFolder", exportFolder_);
  store->setValue("window/settingsFile", settingsFile_);
  // A text that does not convert (or is out of range) is not kept: the setting keeps the value
  // remembered before, or its default.
  TournamentSettings settings = SettingsFromEdits(*model_, ReadStoredSettings(*store, nullptr));
  settings.Maxima = fixedMaxima_;
  store->remove(kEarlierGroup);
  store->remove(kGroup);
  store->beginGroup(kGroup);
  for (const auto& [key, text] : SettingTexts(settings))
    store->setValue(QString::fromStdString(key), QString::fromStdString(text));
  store->endGroup();
}

void TForm1::SyncBaseLevel() {
  pushing_ = true;
  baseLevelSelect_->setCurrentIndex(model_->Edits().BaseLevelSelect);
  baseLevelSelect_->setProperty("vslHandledText", baseLevelSelect_->currentText());
  pushing_ = false;
}

void TForm1::ApplyFixedMaxima() {
  for (size_t i = 0; i < kLadderComponents.size(); ++i)
    loadedMaxima_[i] = model_->Ladder().*kLadderComponents[i].Maximum;
  if (std::none_of(fixedMaxima_.begin(), fixedMaxima_.end(), [](const auto& m) { return m.has_value(); }))
    return;
  for (size_t i = 0; i < kLadderComponents.size(); ++i) {
    if (fixedMaxima_[i]) model_->Edits().*kLadderComponents[i].MaxEdit = std::to_string(*fixedMaxima_[i]);
  }
  PushEdits();
  Run([this] { model_->PopFactorEChange(); });
}

}  // namespace vsl
