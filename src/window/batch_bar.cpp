#include "window/batch_bar.h"

namespace vsl {

BatchBar::BatchBar(QWidget* parent) : QLabel(parent) {
  setObjectName("BatchBar");
  setAccessibleName("Batch state");
  setWordWrap(true);
  setFocusPolicy(Qt::TabFocus);  // reached by Tab, so that a screen reader reads it
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  // White on dark red: the rows below are not the whole batch.
  setStyleSheet("QLabel { background: #9C0006; color: white; font-weight: bold; padding: 3px; }");
  hide();
}

void BatchBar::Mark(int loaded, int selected, const QString& why) {
  setText(QString("Loaded %1 of %2 files: %3").arg(loaded).arg(selected).arg(why));
  setToolTip(text() + ". The standings hold only these files; load the batch again to complete them.");
  show();
}

void BatchBar::Clear() {
  setText(QString());
  hide();
}

}  // namespace vsl
