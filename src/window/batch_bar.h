#pragma once
// The bar over the pages that marks a batch that ended early ("Loaded 14 of 100 files: the load was
// cancelled"): shown until the next load starts, so that partial standings never pass for whole ones.

#include <QLabel>

namespace vsl {

class BatchBar : public QLabel {
  Q_OBJECT
 public:
  explicit BatchBar(QWidget* parent = nullptr);
  // Marks the batch: `loaded` rows of `selected` files, and why it ended.
  void Mark(int loaded, int selected, const QString& why);
  void Clear();
  bool Marked() const { return !text().isEmpty(); }
};

}  // namespace vsl
