#pragma once
// Messages of failed handlers for the error box, naming a failing setting as the window shows it.

#include <QString>
#include <exception>
#include <string>

#include "app/window_model.h"

class QWidget;

namespace vsl {

// The setting's caption in `form`: the label beside its edit, or for a Ladder edit the row's label and
// the column the edit stands over. Empty for an edit without one.
QString SettingCaption(const QWidget& form, const WindowModel& model, std::string WindowEdits::*edit);

// `message` (what a conversion or the arithmetic said) followed by the setting's caption:
// "'x' is not a valid integer value. (setting "Min session time (...)")".
QString SettingMessage(const QString& message, const QString& caption);

// The message of `e` as the user reads it; when it comes from a setting, followed by that setting's
// caption in `form`. Settings messages quote code page 1251 edit texts, other messages carry paths in
// the file system's encoding.
QString FailureMessage(const QWidget& form, const WindowModel& model, const std::exception& e);

}  // namespace vsl
