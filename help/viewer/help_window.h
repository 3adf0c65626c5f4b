#pragma once

#include <QMainWindow>
#include <QUrl>
#include <memory>
#include <vector>

#include "help/chm/contents_file.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace veltrano::help {

class ChmBrowser;
class ChmFile;

// The help window: the table of contents as a tree beside the page.
class HelpWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* parent = nullptr);

  // Shows the file's contents and its first page; the previous file goes.
  void showFile(std::shared_ptr<const ChmFile> file);

  QTreeWidget* contents() const { return contents_; }
  ChmBrowser* browser() const { return browser_; }

 private:
  void buildToolBar();
  void fillContents(const std::vector<ContentsEntry>& entries, QTreeWidgetItem* parent);
  QString firstTopic(const std::vector<ContentsEntry>& entries) const;
  void openItem(QTreeWidgetItem* item);
  void followLink(const QUrl& link);
  void markCurrentPage(const QUrl& page);

  std::shared_ptr<const ChmFile> file_;
  QTreeWidget* contents_;
  ChmBrowser* browser_;
  QString homeTopic_;
};

}  // namespace veltrano::help
