#include "window/setting_caption.h"

#include <QCoreApplication>
#include <QLabel>
#include <QWidget>
#include <span>

#include "window/cp1251.h"
#include "window/form_fields.h"

namespace vsl {
namespace {

using form_fields::EditField;

struct LabelledEdit {
  std::string WindowEdits::*Edit;
  const char* Label;
};
// clang-format off
constexpr LabelledEdit kLabelledEdits[] = {
    {&WindowEdits::Edit6, "StartDateLabel"},       {&WindowEdits::Edit2, "StartDateLabel"},
    {&WindowEdits::Edit3, "StartDateLabel"},       {&WindowEdits::Edit7, "SessionsPerDayLabel"},
    {&WindowEdits::Edit8, "MinSessionLabel"},      {&WindowEdits::Edit4, "PresessionsLabel"},
    {&WindowEdits::LevelBonusE, "LevelBonusLabel"}, {&WindowEdits::MaxReloadE, "MaxReloadLabel"}};
// clang-format on

QString LabelText(const QWidget& form, const char* name) {
  const auto* label = form.findChild<const QLabel*>(name);
  return label != nullptr ? label->text().simplified() : QString();
}

}  // namespace

QString SettingCaption(const QWidget& form, const WindowModel& model, std::string WindowEdits::*edit) {
  for (const LabelledEdit& e : kLabelledEdits) {
    if (e.Edit == edit) return LabelText(form, e.Label);
  }
  // The Ladder rows stand over LadderGrid columns 2..8, whose headers name the components.
  const auto ladderRow = [&](std::span<const EditField> row, const char* label) -> QString {
    for (size_t i = 0; i < row.size(); ++i) {
      if (row[i].Field == edit) {
        const std::string& header = model.LadderGrid().Cell(static_cast<int>(i) + 2, 0);
        return LabelText(form, label) + " " + FromCp1251(header);
      }
    }
    return {};
  };
  const QString max = ladderRow(form_fields::kMaxEdits, "MaxScoreLabel");
  return max.isEmpty() ? ladderRow(form_fields::kFactorEdits, "FactorLabel") : max;
}

QString SettingMessage(const QString& message, const QString& caption) {
  // The message keeps its full stop before the setting is named.
  const QString sentence = message.endsWith('.') ? message : message + '.';
  return caption.isEmpty()
             ? message
             : sentence + QCoreApplication::translate("vsl::TForm1", " (setting \"%1\")").arg(caption);
}

QString FailureMessage(const QWidget& form, const WindowModel& model, const std::exception& e) {
  const auto* setting = dynamic_cast<const SettingFailure*>(&e);
  if (setting == nullptr) return PathText(e.what());
  return SettingMessage(FromCp1251(e.what()), SettingCaption(form, model, setting->Edit()));
}

}  // namespace vsl
