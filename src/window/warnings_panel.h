#pragma once
// The warnings panel over the pages: one line per warning of the current batch (and of the settings),
// each saying what is wrong and what to do, with the files it concerns listed under it. A line is
// reached by Tab and the arrow keys or by the mouse; Enter or a double click on it does what it says
// where the window can (opens the page of the setting, restores the defaults). Hidden while empty.

#include <QString>
#include <QStringList>
#include <QWidget>
#include <vector>

class QPushButton;
class QResizeEvent;
class QTreeWidget;
class QTreeWidgetItem;

namespace vsl {

struct PanelLine {
  int Kind = 0;         // the window's own code of the warning, handed back on activation
  QString Text;         // what is wrong and what to do
  QStringList Details;  // listed under the line (files with their reasons)
};

class WarningsPanel : public QWidget {
  Q_OBJECT
 public:
  explicit WarningsPanel(QWidget* parent = nullptr);

  void SetLines(const std::vector<PanelLine>& lines);
  void Clear() { SetLines({}); }
  // The lines' texts, and each detail under its line indented by two blanks.
  QStringList Texts() const;
  // The button that restores the default settings shows beside the lines while `shown`.
  void ShowRestoreButton(bool shown);

 Q_SIGNALS:
  void Activated(int kind);
  void RestoreDefaults();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void FitHeight();

  QTreeWidget* list_ = nullptr;
  QPushButton* restore_ = nullptr;
  std::vector<PanelLine> lines_;
};

}  // namespace vsl
