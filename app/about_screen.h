#pragma once

#include <QString>
#include <QWidget>
#include <vector>

namespace veltrano {

// frmAbout: a black window without caption on which text lines are printed
// one under the other, as on a page. A click anywhere unloads it; it never
// ends the program.
class AboutWindow : public QWidget {
  Q_OBJECT

 public:
  struct PrintedLine {
    QString text;
    int y;  // top of the line, in pixels from the top of the window
  };

  explicit AboutWindow(QWidget* parent = nullptr);

  // Prints at the current print position, which then moves down one line.
  void print(const QString& text);
  const std::vector<PrintedLine>& printedLines() const { return lines_; }
  int lineHeight() const;

  bool isUnloaded() const { return unloaded_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  std::vector<PrintedLine> lines_;
  int currentY_ = 0;
  bool unloaded_ = false;
};

// The About screen, shown as the splash at start-up and by every About menu.
namespace AboutVeltrano {

// Shows frmAbout, loading it first if needed, and prints the ten lines of the
// About text at its current print position.
void ShowAboutScreen();
// The loaded About window, or nullptr.
AboutWindow* AboutScreen();
void UnloadAboutScreen();

// The ten lines: three empty lines, the title, and the copyright notice, the
// rights line and the web address, each after an empty line.
QStringList AboutLines();

}  // namespace AboutVeltrano

}  // namespace veltrano
