#pragma once

#include <QMainWindow>
#include <QUrl>
#include <memory>
#include <vector>

#include "help/chm/contents_file.h"

class QLabel;
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
  // False, with the window left as it was, when the file has no page to show.
  bool showFile(std::shared_ptr<const ChmFile> file);

  QTreeWidget* contents() const { return contents_; }
  ChmBrowser* browser() const { return browser_; }
  QLabel* contentsNote() const { return contentsNote_; }
  QLabel* pageNote() const { return pageNote_; }

 private:
  void buildToolBar();
  void fillContents(const std::vector<ContentsEntry>& entries);
  // The first page the contents list that the file holds.
  static QString firstTopic(const std::vector<ContentsEntry>& entries, const ChmFile& file);
  static QString cutNote(const Contents& contents);
  void openItem(QTreeWidgetItem* item);
  void followLink(const QUrl& link);
  void markCurrentPage(const QUrl& page);
  void notePageFlattened();

  std::shared_ptr<const ChmFile> file_;
  QTreeWidget* contents_;
  ChmBrowser* browser_;
  QLabel* contentsNote_;  // says when the contents were too large to list whole
  QLabel* pageNote_;      // says when the page shown nests too deep to show whole
  QString homeTopic_;
};

}  // namespace veltrano::help
