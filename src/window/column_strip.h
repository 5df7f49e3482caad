#pragma once
// A band above a grid whose controls stand over given columns and follow them when the columns are
// resized or the grid scrolls sideways: the sort buttons over their columns, the Ladder edits over
// the columns they set.

#include <QPointer>
#include <QTableView>
#include <QWidget>
#include <vector>

namespace vsl {

class ColumnStrip : public QWidget {
  Q_OBJECT
 public:
  ColumnStrip(QTableView* grid, int height, QWidget* parent);

  // Places `w` at height `y`, spanning columns first..last.
  void Span(QWidget* w, int first, int last, int y);
  // Places `w` at height `y`, keeping its size, centred over column `col`.
  void Centre(QWidget* w, int col, int y);

 public Q_SLOTS:
  void Relayout();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  struct Placement {
    QPointer<QWidget> widget;
    int first;
    int last;
    int y;
    bool centred;
  };
  QTableView* grid_;
  std::vector<Placement> placements_;
};

}  // namespace vsl
