#pragma once
// Messages of failed handlers for the error box, naming a failing setting as the window shows it.

#include <exception>
#include <string>

class QWidget;

namespace vsl {

class WindowModel;

// The message of `e`; when it comes from a setting, followed by that setting's caption in `form`: the
// label beside its edit, or for a Ladder edit the row's label and the column the edit stands over.
std::string FailureMessage(const QWidget& form, const WindowModel& model, const std::exception& e);

}  // namespace vsl
