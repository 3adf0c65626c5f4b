#pragma once

#include <QListView>
#include <QStringList>
#include <functional>

#include "common/worksheet_file.h"

namespace veltrano {

class RowModel;

// Rows that are written only when they are shown or asked for: row(i)
// writes row i. Tens of thousands of rows then cost nothing until seen.
struct RowSource {
  int count = 0;
  std::function<QString(int)> row;
};

// A list box of text rows. Like the list boxes the worksheets were designed
// for, it counts its rows in 16 bits, so it holds at most 32767; the calls
// that add rows say whether they could.
class ResultList : public QListView {
  Q_OBJECT

 public:
  static constexpr int kMaxRows = kMaxListRows;

  explicit ResultList(QWidget* parent = nullptr);

  int count() const;
  QString row(int index) const;
  QStringList rows() const;
  bool isFull() const { return count() >= kMaxRows; }

  bool append(const QString& text);
  bool insertTop(const QString& text);
  // Replaces every row in one step; returns false when rows had to be left
  // out because the list is full.
  bool setRows(QStringList rows);
  bool setRows(RowSource source);
  void clear();

 private:
  void makeCurrent(int row);

  RowModel* model_;
};

}  // namespace veltrano
