#include "window/batch_bar.h"

#include "app/translation.h"

namespace vsl {

BatchBar::BatchBar(QWidget* parent) : QLabel(parent) {
  setObjectName("BatchBar");
  setAccessibleName(tr("Batch state"));
  setWordWrap(true);
  setFocusPolicy(Qt::TabFocus);  // reached by Tab, so that a screen reader reads it
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  // White on dark red: the rows below are not the whole batch.
  setStyleSheet("QLabel { background: #9C0006; color: white; font-weight: bold; padding: 3px; }");
  hide();
}

void BatchBar::Mark(int loaded, int selected, const QString& why) {
  setText(CountedText("vsl::BatchBar", QT_TRANSLATE_N_NOOP("vsl::BatchBar", "Loaded %1 of %n file(s): %2"),
                      selected)
              .arg(loaded)
              .arg(why));
  setToolTip(
      tr("%1. The standings hold only these files; load the batch again to complete them.").arg(text()));
  show();
}

void BatchBar::Clear() {
  setText(QString());
  hide();
}

}  // namespace vsl
